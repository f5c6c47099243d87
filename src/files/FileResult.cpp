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

FileResult NotedFailure(FileError error, int32_t counter, int32_t fileLine, std::string note) {
    FileResult r = FileFailure(error, counter, fileLine);
    r.note = std::move(note);
    return r;
}

namespace {

template <class Lines>
FileResult ControlCharacters(const Lines& lines) {
    const int32_t i = FirstLineWithControl(lines);
    if (i < 0) return {};
    const auto& line = lines[static_cast<size_t>(i)];
    return FileFailure(FileError::ControlCharacter, i + 1, line.fileLine, std::string(line.text));
}

// Whether the file could be read at all, as the load commands tell it.
bool Readable(const TextReadResult& cteni, FileResult& result) {
    if (cteni.status == TextReadStatus::CannotOpen || cteni.status == TextReadStatus::TooLarge) {
        result = NotedFailure(FileError::CannotOpen, 0, 0, cteni.message);
        return false;
    }
    result = cteni.Ok()
                 ? FileResult{}
                 : NotedFailure(FileError::BadEncoding, cteni.line, cteni.line, cteni.reason);
    return true;
}

}  // namespace

FileResult CheckControlCharacters(const std::vector<PreparedLine>& lines) {
    return ControlCharacters(lines);
}

FileResult CheckControlCharacters(const std::vector<PreparedLineView>& lines) {
    return ControlCharacters(lines);
}

FileResult TokenCountFailure(int32_t counter, int32_t fileLine, size_t found,
                             std::string_view expected) {
    return NotedFailure(FileError::WrongTokenCount, counter, fileLine,
                        FormatInteger(static_cast<int64_t>(found)) + " values, " +
                            std::string(expected) + " expected");
}

FileResult ValueFailure(FileError error, int32_t counter, int32_t fileLine, std::string_view token,
                        std::string_view allowed) {
    FileResult r = FileFailure(error, counter, fileLine, std::string(token));
    if (error == FileError::NumberOutOfRange) r.allowed = allowed;
    if (error == FileError::StationOutOfRange) r.allowed = "a whole number from 0 to 2147483647";
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
        case FileError::BadDms:
            return "minutes or seconds of 60 or more in a D.MMSS angle (is the file in another "
                   "unit?)";
        case FileError::ControlCharacter:
            return "a control character in the line";
        case FileError::NegativeStation:
            return "negative station number";
        case FileError::StationOutOfRange:
            return "station number out of range";
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
        case FileError::TextOutsideSections:
            return "text outside the sections";
        case FileError::WrongLineCount:
            return "wrong number of lines in the section";
        case FileError::BadName:
            return "a point name with a control character";
        case FileError::Unsupported:
            return "not supported";
        case FileError::NothingMeasured:
            return "a pointing with neither direction, zenith angle nor distance";
        case FileError::BadFixedAxes:
            return "the fixed coordinates of a given point must be XYZ, XY (plan) or Z (height)";
    }
    return "unknown error";
}

std::string DescribeFileFailure(const FileResult& r) {
    if (r.ok) return {};
    std::string s;
    if (r.counter > 0) {
        s = "line " + FormatInteger(r.counter);
        if (r.fileLine > 0 && r.fileLine != r.counter)
            s += " (line " + FormatInteger(r.fileLine) + " of the file)";
    }
    if (!r.cislo.empty()) s += (s.empty() ? "point " : ", point ") + QuoteInput(r.cislo);
    if (!s.empty()) s += ": ";
    s += FileErrorText(r.error);
    if (!r.detail.empty()) s += ": " + QuoteInput(r.detail);
    if (!r.note.empty())
        s += (r.detail.empty() ? ": " : " (") + r.note + (r.detail.empty() ? "" : ")");
    if (!r.allowed.empty()) s += " (allowed: " + r.allowed + ")";
    return s;
}

bool ReadLinesForLoading(const std::filesystem::path& cesta, std::vector<std::string>& lines,
                         FileResult& result) {
    lines.clear();
    TextFile soubor;
    if (!Readable(ReadTextFile(cesta, soubor), result)) return false;
    if (result.ok) lines = std::move(soubor.lines);
    return true;
}

bool ReadTextForLoading(const std::filesystem::path& cesta, std::string& text, FileResult& result) {
    text.clear();
    TextEncoding encoding = TextEncoding::Utf8;
    if (!Readable(ReadWholeTextFile(cesta, text, encoding), result)) return false;
    if (!result.ok) text.clear();
    return true;
}

bool OpenTextForLoading(const std::filesystem::path& cesta, TextStream& text, FileResult& result) {
    return Readable(text.Open(cesta), result);
}

}  // namespace vertano
