#include "files/SouradniceChyba.h"

namespace vertano {

std::string_view CoordinateFileErrorText(CoordinateFileError error) {
    switch (error) {
        case CoordinateFileError::None:
            return "no error";
        case CoordinateFileError::CannotOpen:
            return "the file cannot be opened";
        case CoordinateFileError::BadEncoding:
            return "the text cannot be decoded";
        case CoordinateFileError::UnknownFormat:
            return "unknown file format";
        case CoordinateFileError::WrongTokenCount:
            return "wrong number of values on the line";
        case CoordinateFileError::BadNumber:
            return "not a number";
        case CoordinateFileError::NumberOutOfRange:
            return "number out of range";
        case CoordinateFileError::BadBoolean:
            return "neither a number nor True or False";
        case CoordinateFileError::UnwritableName:
            return "a point number that is empty or contains blanks cannot be written";
        case CoordinateFileError::UnwritableValue:
            return "a value that is not a number or exceeds 1e12 cannot be written";
        case CoordinateFileError::CannotSave:
            return "the file cannot be saved";
    }
    return "unknown error";
}

namespace {

constexpr std::string_view kRozsahCisel = "0 or a magnitude from 1e-12 to 1e12";

std::string Kde(const CoordinateFileResult& r) {
    std::string s;
    if (r.counter > 0) {
        s = "line " + std::to_string(r.counter);
        if (r.fileLine > 0 && r.fileLine != r.counter)
            s += " (line " + std::to_string(r.fileLine) + " of the file)";
    }
    if (!r.cislo.empty()) s += (s.empty() ? "point " : ", point ") + r.cislo;
    return s.empty() ? s : s + ": ";
}

std::string Podrobnosti(const CoordinateFileResult& r) {
    switch (r.error) {
        case CoordinateFileError::WrongTokenCount:
            return std::to_string(r.found) + " found, " + r.expected + " expected";
        case CoordinateFileError::NumberOutOfRange:
            return "\"" + r.token +
                   "\", allowed: " + (r.expected.empty() ? std::string(kRozsahCisel) : r.expected);
        case CoordinateFileError::UnknownFormat:
            return "code " + std::to_string(r.found);
        default:
            return r.token.empty() && r.error != CoordinateFileError::UnwritableName
                       ? std::string()
                       : "\"" + r.token + "\"";
    }
}

}  // namespace

std::string DescribeCoordinateFailure(const CoordinateFileResult& result) {
    if (result.ok) return {};
    std::string s = Kde(result) + std::string(CoordinateFileErrorText(result.error));
    const std::string podrobnosti = Podrobnosti(result);
    if (!podrobnosti.empty()) s += ": " + podrobnosti;
    return s;
}

}  // namespace vertano
