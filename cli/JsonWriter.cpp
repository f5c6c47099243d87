#include "JsonWriter.h"

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

}  // namespace

std::string JsonString(std::string_view text) {
    std::string out = "\"";
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
    return out + "\"";
}

std::string JsonNumber(Real value) {
    const auto d = static_cast<double>(value);
    if (!std::isfinite(d)) return "null";
    std::array<char, 32> buffer{};
    const auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), d);
    return std::string(buffer.data(), r.ptr);
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
    text_ += JsonString(name);
    text_ += ": ";
    afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
    BeforeValue();
    text_ += JsonString(text);
}

void JsonWriter::Number(Real value) {
    BeforeValue();
    text_ += JsonNumber(value);
}

void JsonWriter::Integer(int64_t value) {
    BeforeValue();
    text_ += std::to_string(value);
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
