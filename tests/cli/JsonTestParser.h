#pragma once

#include <charconv>
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vertano::cli::test {

// A strict reader of JSON (RFC 8259) for checking what the program writes: it
// accepts exactly the grammar, so a missing comma, a stray one, an unescaped
// control character or a bare NaN is an error and not a value.
struct Json {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;  // in document order

    bool IsNull() const { return type == Type::Null; }
    // The member of that name; a null value when there is none.
    const Json& operator[](const std::string& name) const {
        static const Json kNone;
        for (const auto& [key, value] : members)
            if (key == name) return value;
        return kNone;
    }
    const Json& operator[](size_t i) const { return items.at(i); }
    size_t size() const { return type == Type::Array ? items.size() : members.size(); }
    bool Has(const std::string& name) const {
        for (const auto& m : members)
            if (m.first == name) return true;
        return false;
    }
};

class JsonParser {
  public:
    explicit JsonParser(std::string_view text) : s_(text) {}

    // The whole text as one value; false (with `error` set) on any deviation.
    bool Parse(Json& out) {
        if (!Value(out, 0)) return false;
        Space();
        if (i_ != s_.size()) return Fail("text after the value");
        return true;
    }
    std::string error;

  private:
    static constexpr int kMaxDepth = 64;

    bool Fail(const std::string& what) {
        error = what + " at offset " + std::to_string(i_);
        return false;
    }
    void Space() {
        while (i_ < s_.size() &&
               (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r'))
            ++i_;
    }
    bool Literal(std::string_view word) {
        if (s_.substr(i_, word.size()) != word) return Fail("bad literal");
        i_ += word.size();
        return true;
    }
    bool Value(Json& v, int depth) {
        if (depth > kMaxDepth) return Fail("too deep");
        Space();
        if (i_ >= s_.size()) return Fail("value expected");
        const char c = s_[i_];
        if (c == '{') return Object(v, depth);
        if (c == '[') return Array(v, depth);
        if (c == '"') {
            v.type = Json::Type::String;
            return String(v.text);
        }
        if (c == 't' || c == 'f') {
            v.type = Json::Type::Bool;
            v.boolean = c == 't';
            return Literal(c == 't' ? "true" : "false");
        }
        if (c == 'n') return Literal("null");
        return Number(v);
    }
    bool Number(Json& v) {
        const size_t start = i_;
        auto digits = [&] {
            const size_t from = i_;
            while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
            return i_ > from;
        };
        if (i_ < s_.size() && s_[i_] == '-') ++i_;
        if (i_ < s_.size() && s_[i_] == '0') {
            ++i_;
        } else if (!digits()) {
            return Fail("number expected");
        }
        if (i_ < s_.size() && s_[i_] == '.' && (++i_, !digits())) return Fail("bad fraction");
        if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
            ++i_;
            if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-')) ++i_;
            if (!digits()) return Fail("bad exponent");
        }
        v.type = Json::Type::Number;
        const auto r = std::from_chars(s_.data() + start, s_.data() + i_, v.number);
        return r.ec == std::errc() ? true : Fail("number out of range");
    }
    bool String(std::string& out) {
        ++i_;  // the opening quote
        while (i_ < s_.size() && s_[i_] != '"') {
            const auto c = static_cast<unsigned char>(s_[i_]);
            if (c < 0x20) return Fail("control character in a string");
            if (c != '\\') {
                out += static_cast<char>(c);
                ++i_;
                continue;
            }
            if (++i_ >= s_.size()) return Fail("unfinished escape");
            const char e = s_[i_++];
            static const std::map<char, char> kEscapes = {{'"', '"'},  {'\\', '\\'}, {'/', '/'},
                                                          {'b', '\b'}, {'f', '\f'},  {'n', '\n'},
                                                          {'r', '\r'}, {'t', '\t'}};
            if (const auto it = kEscapes.find(e); it != kEscapes.end()) {
                out += it->second;
            } else if (e == 'u' && i_ + 4 <= s_.size()) {
                unsigned code = 0;
                const auto r = std::from_chars(s_.data() + i_, s_.data() + i_ + 4, code, 16);
                if (r.ptr != s_.data() + i_ + 4) return Fail("bad \\u escape");
                i_ += 4;
                Utf8(code, out);
            } else {
                return Fail("bad escape");
            }
        }
        if (i_ >= s_.size()) return Fail("unfinished string");
        ++i_;
        return true;
    }
    static void Utf8(unsigned code, std::string& out) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    template <class Item>
    bool List(char close, int depth, Item&& item) {
        ++i_;
        Space();
        if (i_ < s_.size() && s_[i_] == close) {
            ++i_;
            return true;
        }
        for (;;) {
            if (!item(depth + 1)) return false;
            Space();
            if (i_ < s_.size() && s_[i_] == ',') {
                ++i_;
                continue;
            }
            if (i_ < s_.size() && s_[i_] == close) {
                ++i_;
                return true;
            }
            return Fail("',' or end of the list expected");
        }
    }
    bool Array(Json& v, int depth) {
        v.type = Json::Type::Array;
        return List(']', depth, [&](int d) {
            v.items.emplace_back();
            return Value(v.items.back(), d);
        });
    }
    bool Object(Json& v, int depth) {
        v.type = Json::Type::Object;
        return List('}', depth, [&](int d) {
            Space();
            std::string key;
            if (i_ >= s_.size() || s_[i_] != '"' || !String(key)) return Fail("name expected");
            Space();
            if (i_ >= s_.size() || s_[i_] != ':') return Fail("':' expected");
            ++i_;
            v.members.emplace_back(std::move(key), Json{});
            return Value(v.members.back().second, d);
        });
    }

    std::string_view s_;
    size_t i_ = 0;
};

}  // namespace vertano::cli::test
