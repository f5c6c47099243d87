#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "matice/Real.h"

namespace vertano::cli {

// A small writer of JSON text: values are appended in document order and the
// writer puts the commas, colons and line breaks. Containers opened deeper than
// `inlineDepth` are written on one line, so that a point or an observation is
// one line of the file.
//
// Strings are escaped as JSON requires; bytes that are not valid UTF-8 become
// U+FFFD, so the document is valid whatever a point number holds. Numbers are
// written with std::to_chars (the shortest text that reads back to the same
// double) whatever the locale; a value that is not finite is written as null,
// which JSON has instead of NaN and infinities.
class JsonWriter {
  public:
    // Where ended lines go instead of the writer's own list: a large document
    // is then written as it is made, never held whole. False stops the
    // handing on (the writer is then not Ok).
    using LineSink = std::function<bool(std::string_view)>;

    explicit JsonWriter(int inlineDepth = 2) : inlineDepth_(inlineDepth) {}
    explicit JsonWriter(LineSink sink, int inlineDepth = 2)
        : sink_(std::move(sink)), inlineDepth_(inlineDepth) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The name of the next member of the open object.
    void Key(std::string_view name);

    void String(std::string_view text);
    void Number(Real value);
    void Integer(int64_t value);
    void Bool(bool value);
    void Null();

    // Key and value in one call.
    void Member(std::string_view name, std::string_view text);
    void Member(std::string_view name, const char* text) { Member(name, std::string_view(text)); }
    void Member(std::string_view name, Real value);
    void Member(std::string_view name, int32_t value);
    void Member(std::string_view name, bool value);

    // The document so far; complete once every container is closed.
    std::string Text() const;
    bool Complete() const { return open_.empty() && (ended_ > 0 || !text_.empty()); }
    // No line was refused by the sink.
    bool Ok() const { return ok_; }
    // Hands the line being written, when there is one, to the sink.
    void Finish();
    // The document as its lines (without the line ends), moved out: a large
    // document is then held once, not once more as one text.
    std::vector<std::string> TakeLines();

  private:
    struct Open {
        bool inlined = false;
        bool empty = true;
    };

    void BeforeValue();
    void Begin(char bracket);
    void End(char bracket);
    void Break();
    void EndLine();

    LineSink sink_;
    std::vector<std::string> lines_;  // the lines ended so far (without a sink)
    std::size_t ended_ = 0;           // lines ended so far
    bool ok_ = true;
    std::string text_;  // the line being written
    std::vector<Open> open_;
    bool afterKey_ = false;
    int inlineDepth_;
};

// The JSON string literal of `text`, quotes included.
std::string JsonString(std::string_view text);

// The JSON number of `value` (shortest double form), or "null" when not finite.
std::string JsonNumber(Real value);

}  // namespace vertano::cli
