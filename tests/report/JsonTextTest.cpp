// The JSON string writer: what must be escaped is, valid UTF-8 passes through, and every byte
// that belongs to no valid sequence becomes U+FFFD, so any text gives valid JSON.
#include "report/JsonText.h"

#include <limits>

#include <gtest/gtest.h>

namespace verrask::report {
namespace {

TEST(JsonText, EscapesWhatJsonForbidsAndRepairsBrokenUtf8) {
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString(std::string("\r\n\t\x01\x1F", 5) + std::string(1, '\0')),
              "\"\\u000d\\u000a\\u0009\\u0001\\u001f\\u0000\"");
    EXPECT_EQ(JsonString("/\x7F"), "\"/\x7F\""); // neither needs escaping
    // Valid sequences of every length, the largest code point among them.
    const std::string valid = "\xC3\xA9 \xE2\x80\xA6 \xCE\xB3 \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF";
    EXPECT_EQ(JsonString(valid), "\"" + valid + "\"");
    const std::string bad = "\xEF\xBF\xBD"; // U+FFFD
    const std::pair<std::string, std::string> broken[] = {
        {"\x80", bad},                               // a continuation byte alone
        {"\xC0\xAF", bad + bad},                     // overlong "/"
        {"\xE0\x80\xAF", bad + bad + bad},           // overlong, three bytes
        {"\xED\xA0\x80", bad + bad + bad},           // a surrogate
        {"\xF4\x90\x80\x80", bad + bad + bad + bad}, // above U+10FFFF
        {"a\xE2\x80", "a" + bad + bad},              // cut off at the end
        {"\xE2\x80z", bad + bad + "z"},              // cut off before ASCII
        {"\xFF\"", bad + "\\\""},
    };
    for (const auto& [in, out] : broken) EXPECT_EQ(JsonString(in), "\"" + out + "\"") << in;
}

TEST(JsonText, NumbersWithoutAValueAreNull) {
    EXPECT_EQ(JsonNumber(1.5L), "1.5");
    EXPECT_EQ(JsonNumber(2.0L / 3), "0.6666666667");
    EXPECT_EQ(JsonNumber(std::numeric_limits<long double>::infinity()), "null");
    EXPECT_EQ(JsonNumber(std::numeric_limits<long double>::quiet_NaN()), "null");
    EXPECT_EQ(JsonObject({JsonMember("a", "1"), "", JsonMember("b", JsonArray({}))}),
              "{\"a\":1,\"b\":[]}");
}

} // namespace
} // namespace verrask::report
