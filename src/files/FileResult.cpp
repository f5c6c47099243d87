#include "files/FileResult.h"

#include <utility>

#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano {

FileResult FileFailure(FileError error, int32_t counter, int32_t fileLine, std::string detail) {
    FileResult r;
    r.ok = false;
    r.error = error;
    r.counter = counter;
    r.fileLine = fileLine;
    r.detail = std::move(detail);
    return r;
}

FileResult TokenCountFailure(int32_t counter, int32_t fileLine, size_t found,
                             std::string_view expected) {
    return FileFailure(FileError::WrongTokenCount, counter, fileLine,
                       FormatInteger(static_cast<int64_t>(found)) + " values, " +
                           std::string(expected) + " expected");
}

FileResult ValueFailure(FileError error, int32_t counter, int32_t fileLine, std::string_view token,
                        std::string_view allowed) {
    FileResult r = FileFailure(error, counter, fileLine, std::string(token));
    if (error == FileError::NumberOutOfRange) r.allowed = allowed;
    return r;
}

const char* FileErrorText(FileError error) {
    switch (error) {
        case FileError::None:
            return "no error";
        case FileError::CannotOpen:
            return "the file cannot be opened";
        case FileError::BadEncoding:
            return "the text cannot be decoded";
        case FileError::UnknownFormat:
            return "unknown file format";
        case FileError::UnknownKind:
            return "unknown kind of supplementary measurement";
        case FileError::WrongTokenCount:
            return "wrong number of values on the line";
        case FileError::TooFewTokens:
            return "too few values on the line";
        case FileError::BadStationNumber:
            return "the station number is not a whole number";
        case FileError::NegativeStation:
            return "negative station number";
        case FileError::BadNumber:
            return "not a number";
        case FileError::NumberOutOfRange:
            return "number out of range";
        case FileError::BadBoolean:
            return "neither a number nor True or False";
        case FileError::InconsistentStationName:
            return "station name differs from the previous row of the same station";
        case FileError::InconsistentInstrumentHeight:
            return "instrument height differs from the previous row of the same station";
        case FileError::MissingStationHeader:
            return "a station header \"1 name [height]\" is expected";
        case FileError::MissingBlockEnd:
            return "the second-to-last line must be \"/\"";
        case FileError::MissingFileEnd:
            return "the last line must be \"-2\"";
        case FileError::TooFewLines:
            return "too few lines (an ASC file ends with \"/\" and \"-2\")";
        case FileError::UnwritableName:
            return "a point name that is empty, contains blanks or is reserved cannot be written";
        case FileError::UnwritableValue:
            return "a value that is not a number or exceeds 1e12 cannot be written";
        case FileError::NothingToWrite:
            return "the list has no measurements";
        case FileError::CannotSave:
            return "the file cannot be saved";
        case FileError::BadTag:
            return "the section tags are not in order";
        case FileError::WrongLineCount:
            return "wrong number of lines in the section";
        case FileError::BadName:
            return "a point name with a control character";
    }
    return "unknown error";
}

namespace {

// A token or point number quoted in a message: a line of garbage can hold a
// "number" of a hundred thousand digits, which would bury the message itself.
// Longer text is cut (not inside a UTF-8 sequence) and marked.
std::string Quoted(const std::string& text) {
    constexpr size_t kMaxBytes = 60;
    if (text.size() <= kMaxBytes) return text;
    size_t end = kMaxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end) + "... (" + FormatInteger(static_cast<int64_t>(text.size())) +
           " bytes)";
}

}  // namespace

std::string DescribeFileFailure(const FileResult& r) {
    if (r.ok) return {};
    std::string s;
    if (r.counter > 0) {
        s = "line " + FormatInteger(r.counter);
        if (r.fileLine > 0 && r.fileLine != r.counter)
            s += " (line " + FormatInteger(r.fileLine) + " of the file)";
    }
    if (!r.cislo.empty()) s += (s.empty() ? "point " : ", point ") + Quoted(r.cislo);
    if (!s.empty()) s += ": ";
    s += FileErrorText(r.error);
    if (!r.detail.empty()) s += ": " + Quoted(r.detail);
    if (!r.allowed.empty()) s += " (allowed: " + r.allowed + ")";
    return s;
}

bool ReadLinesForLoading(const std::filesystem::path& cesta, std::vector<std::string>& lines,
                         FileResult& result) {
    lines.clear();
    TextFile soubor;
    const TextReadResult cteni = ReadTextFile(cesta, soubor);
    if (cteni.status == TextReadStatus::CannotOpen || cteni.status == TextReadStatus::TooLarge) {
        result = FileFailure(FileError::CannotOpen, 0, 0, cteni.message);
        return false;
    }
    if (!cteni.Ok()) {
        result = FileFailure(FileError::BadEncoding, cteni.line, cteni.line, cteni.reason);
        return true;
    }
    lines = std::move(soubor.lines);
    result = FileResult{};
    return true;
}

}  // namespace vertano
