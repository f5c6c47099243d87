#include "files/RawFileResult.h"

namespace vertano {

RawFileResult RawFailure(RawFileError error, int32_t counter, int32_t fileLine,
                         std::string detail) {
    RawFileResult r;
    r.ok = false;
    r.error = error;
    r.counter = counter;
    r.fileLine = fileLine;
    r.detail = std::move(detail);
    return r;
}

const char* RawFileErrorText(RawFileError error) {
    switch (error) {
        case RawFileError::None:
            return "no error";
        case RawFileError::CannotOpen:
            return "the file cannot be opened";
        case RawFileError::BadEncoding:
            return "the text cannot be decoded";
        case RawFileError::UnknownFormat:
            return "unknown file format";
        case RawFileError::WrongTokenCount:
            return "wrong number of values on the line";
        case RawFileError::TooFewTokens:
            return "too few values on the line";
        case RawFileError::BadStationNumber:
            return "the station number is not a whole number";
        case RawFileError::NegativeStation:
            return "negative station number";
        case RawFileError::BadNumber:
            return "not a number";
        case RawFileError::NumberOutOfRange:
            return "number out of range (only 0 or magnitudes from 1e-12 to 1e12)";
        case RawFileError::InconsistentStationName:
            return "station name differs from the previous row of the same station";
        case RawFileError::InconsistentInstrumentHeight:
            return "instrument height differs from the previous row of the same station";
        case RawFileError::MissingStationHeader:
            return "a station header \"1 name [height]\" is expected";
        case RawFileError::MissingBlockEnd:
            return "the second-to-last line must be \"/\"";
        case RawFileError::MissingFileEnd:
            return "the last line must be \"-2\"";
        case RawFileError::TooFewLines:
            return "too few lines (an ASC file ends with \"/\" and \"-2\")";
        case RawFileError::UnwritableName:
            return "a point name that is empty, contains blanks or is reserved cannot be written";
        case RawFileError::UnwritableValue:
            return "a value that is not a number or exceeds 1e12 cannot be written";
        case RawFileError::NothingToWrite:
            return "the list has no measurements";
    }
    return "unknown error";
}

std::string DescribeRawFailure(const RawFileResult& r) {
    std::string s;
    if (r.counter > 0) {
        s = "line " + std::to_string(r.counter);
        if (r.fileLine > 0 && r.fileLine != r.counter)
            s += " (line " + std::to_string(r.fileLine) + " of the file)";
        s += ": ";
    }
    s += RawFileErrorText(r.error);
    if (!r.detail.empty()) s += ": " + r.detail;
    return s;
}

}  // namespace vertano
