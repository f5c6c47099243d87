#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "JsonTestParser.h"
#include "JsonWriter.h"
#include "support/TestSupport.h"

namespace vertano::cli {
namespace {

using test::Json;
using test::JsonParser;

Json Parsed(const std::string& text) {
    Json v;
    JsonParser p(text);
    EXPECT_TRUE(p.Parse(v)) << p.error << "\n" << text;
    return v;
}

TEST(JsonWriter, NestedDocumentReadsBackWithEveryValue) {
    JsonWriter w;
    w.BeginObject();
    w.Member("name", "4001");
    w.Member("count", int32_t{-7});
    w.Member("fixed", true);
    w.Key("none");
    w.Null();
    w.Key("list");
    w.BeginArray();
    for (int i = 0; i < 3; ++i) {
        w.BeginObject();
        w.Member("i", static_cast<int32_t>(i));
        w.Key("inner");
        w.BeginArray();
        w.Number(0.5L);
        w.BeginArray();
        w.EndArray();
        w.BeginObject();
        w.EndObject();
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();
    w.Key("empty");
    w.BeginArray();
    w.EndArray();
    w.EndObject();
    ASSERT_TRUE(w.Complete());
    const Json v = Parsed(w.Text());
    ASSERT_EQ(v.size(), 6u);
    EXPECT_EQ(v.members[0].first, "name");
    EXPECT_EQ(v["name"].text, "4001");
    EXPECT_EQ(v["count"].number, -7);
    EXPECT_TRUE(v["fixed"].boolean);
    EXPECT_TRUE(v["none"].IsNull() && v.Has("none"));
    ASSERT_EQ(v["list"].size(), 3u);
    EXPECT_EQ(v["list"][2]["i"].number, 2);
    ASSERT_EQ(v["list"][1]["inner"].size(), 3u);
    EXPECT_EQ(v["list"][1]["inner"][0].number, 0.5);
    EXPECT_EQ(v["empty"].size(), 0u);
}

// A document handed on line by line is the document of the writer's own
// lines; a line the sink refuses leaves the writer not Ok.
TEST(JsonWriter, LinesHandedOnAreTheLinesKept) {
    const auto document = [](JsonWriter& w) {
        w.BeginObject();
        w.Member("name", "4001");
        w.Key("list");
        w.BeginArray();
        for (int i = 0; i < 3; ++i) {
            w.BeginObject();
            w.Member("i", static_cast<int32_t>(i));
            w.EndObject();
        }
        w.EndArray();
        w.EndObject();
    };
    JsonWriter kept;
    document(kept);
    std::vector<std::string> handed;
    JsonWriter sink([&handed](std::string_view line) {
        handed.emplace_back(line);
        return true;
    });
    document(sink);
    sink.Finish();
    EXPECT_TRUE(sink.Ok());
    EXPECT_TRUE(sink.Complete());
    EXPECT_EQ(handed, kept.TakeLines());
    int calls = 0;
    JsonWriter refused([&calls](std::string_view) { return ++calls > 1; });
    document(refused);
    refused.Finish();
    EXPECT_FALSE(refused.Ok());
    EXPECT_EQ(calls, 1);
}

TEST(JsonWriter, StringsAreEscapedAndAlwaysValidUtf8) {
    const std::string nasty = std::string("a\"b\\c/\n\r\t\b\f") + '\x01' + '\x1f' + "\x7f" +
                              "P\xC5\x99\xC3\xAD" + "bram \xF0\x9F\x93\x90";
    EXPECT_EQ(Parsed(JsonString(nasty)).text, nasty);
    EXPECT_EQ(JsonString("\x01"), "\"\\u0001\"");
    // Bytes that are no UTF-8 (a stray continuation, a truncated sequence, an
    // overlong form, a surrogate) become U+FFFD, one per byte.
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(Parsed(JsonString("x\x80y")).text, "x" + replacement + "y");
    EXPECT_EQ(Parsed(JsonString("\xC5")).text, replacement);
    EXPECT_EQ(Parsed(JsonString("\xC0\xAF")).text, replacement + replacement);
    EXPECT_EQ(Parsed(JsonString("\xED\xA0\x80")).text, replacement + replacement + replacement);
    EXPECT_EQ(Parsed(JsonString("\xFF")).text, replacement);
}

TEST(JsonWriter, NumbersReadBackAsTheSameDoubleWhateverTheLocale) {
    const vertano::test::LocaleGuard czech;
    for (const double d :
         {0.0, 0.1, -2.5, 1e-300, 6.02214076e23, 1004.4463251300698,
          std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min()}) {
        const std::string text = JsonNumber(d);
        EXPECT_EQ(text.find(','), std::string::npos) << text;
        EXPECT_EQ(Parsed(text).number, d) << text;
    }
    // JSON has no NaN or infinity: such a value is null, never a bare word.
    EXPECT_EQ(JsonNumber(std::nanl("")), "null");
    EXPECT_EQ(JsonNumber(std::numeric_limits<Real>::infinity()), "null");
    EXPECT_EQ(JsonNumber(-std::numeric_limits<Real>::infinity()), "null");
    EXPECT_EQ(JsonNumber(1e4000L), "null");  // beyond a double
}

TEST(JsonWriter, TestReaderRefusesWhatIsNotJson) {
    for (const std::string bad : {"{\"a\": 1,}", "[1 2]", "{\"a\" 1}", "[NaN]", "[01]", "[1.]",
                                  "\"a\nb\"", "[1]x", "{'a': 1}", "[", ""}) {
        Json v;
        JsonParser p(bad);
        EXPECT_FALSE(p.Parse(v)) << bad;
    }
}

}  // namespace
}  // namespace vertano::cli
