#include "JsonWriter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace vertano::cli {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the valid UTF-8 sequence at `i`, 0 when the bytes there are not one
// (stray continuation, truncated, overlong, surrogate, beyond U+10FFFF).
size_t Utf8Length(std::string_view s, size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t n = 0;
    unsigned min = 0;
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) {
        n = 1, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        n = 2, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        n = 3, min = 0x10000;
    } else {
        return 0;
    }
    if (i + n >= s.size()) return 0;  // truncated at the end
    unsigned code = c & (0x3Fu >> n);
    for (size_t k = 1; k <= n; ++k) {
        const auto d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80) return 0;
        code = (code << 6) | (d & 0x3Fu);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return n + 1;
}

void AppendControl(std::string& out, unsigned char c) {
    switch (c) {
        case '\b':
            out += "\\b";
            return;
        case '\f':
            out += "\\f";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        default:
            break;
    }
    static constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                  '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    out += "\\u00";
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}

// The literal of `text` appended to `out`, written in place: the writer calls
// this for every key and string of a document of millions of them. Plain
// ASCII without quotes, backslashes or control characters (every key, nearly
// every point number) is copied whole.
void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    const bool plain = std::all_of(text.begin(), text.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c >= 0x20 && c < 0x80 && c != '"' && c != '\\';
    });
    if (plain) {
        out.append(text);
        out += '"';
        return;
    }
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x20) {
            AppendControl(out, c);
            ++i;
        } else if (const size_t n = Utf8Length(text, i); n > 0) {
            out.append(text.substr(i, n));
            i += n;
        } else {
            out += kReplacement;
            ++i;
        }
    }
    out += '"';
}

// The number of `value` appended to `out` (see JsonNumber).
void AppendJsonNumber(std::string& out, Real value) {
    const auto d = static_cast<double>(value);
    if (!std::isfinite(d)) {
        out += "null";
        return;
    }
    std::array<char, 32> buffer{};
    const auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), d);
    out.append(buffer.data(), r.ptr);
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

std::string JsonNumber(Real value) {
    std::string out;
    AppendJsonNumber(out, value);
    return out;
}

// A copy takes only the line's length; the line being written keeps the room
// it grew to for the next one. A large document's lines would otherwise hold
// up to twice their text.
void JsonWriter::EndLine() {
    ++ended_;
    if (!sink_) {
        lines_.emplace_back(text_);
    } else if (ok_) {
        ok_ = sink_(text_);
    }
}

void JsonWriter::Break() {
    EndLine();
    text_.assign(2 * open_.size(), ' ');
}

void JsonWriter::Finish() {
    if (!text_.empty()) EndLine();
    text_.clear();
}

std::string JsonWriter::Text() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += '\n';
    }
    return text + text_;
}

std::vector<std::string> JsonWriter::TakeLines() {
    if (!text_.empty()) lines_.push_back(std::move(text_));
    text_.clear();
    return std::move(lines_);
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (open_.empty()) return;
    Open& o = open_.back();
    if (!o.empty) text_ += o.inlined ? ", " : ",";
    if (!o.inlined) Break();
    o.empty = false;
}

void JsonWriter::Begin(char bracket) {
    BeforeValue();
    text_ += bracket;
    const bool inlined =
        static_cast<int>(open_.size()) >= inlineDepth_ || (!open_.empty() && open_.back().inlined);
    open_.push_back({inlined, true});
}

void JsonWriter::End(char bracket) {
    if (open_.empty()) return;
    const Open o = open_.back();
    open_.pop_back();
    if (!o.inlined && !o.empty) Break();
    text_ += bracket;
    if (open_.empty()) {
        EndLine();
        text_.clear();
    }
}

void JsonWriter::BeginObject() {
    Begin('{');
}
void JsonWriter::EndObject() {
    End('}');
}
void JsonWriter::BeginArray() {
    Begin('[');
}
void JsonWriter::EndArray() {
    End(']');
}

void JsonWriter::Key(std::string_view name) {
    BeforeValue();
    AppendJsonString(text_, name);
    text_ += ": ";
    afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
    BeforeValue();
    AppendJsonString(text_, text);
}

void JsonWriter::Number(Real value) {
    BeforeValue();
    AppendJsonNumber(text_, value);
}

void JsonWriter::Integer(int64_t value) {
    BeforeValue();
    std::array<char, 24> buffer{};
    const auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    text_.append(buffer.data(), r.ptr);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    text_ += "null";
}

void JsonWriter::Member(std::string_view name, std::string_view text) {
    Key(name);
    String(text);
}

void JsonWriter::Member(std::string_view name, Real value) {
    Key(name);
    Number(value);
}

void JsonWriter::Member(std::string_view name, int32_t value) {
    Key(name);
    Integer(value);
}

void JsonWriter::Member(std::string_view name, bool value) {
    Key(name);
    Bool(value);
}

}  // namespace vertano::cli
