#include <gtest/gtest.h>

#include <string>

#include "core/json.h"
#include "core/json_reader.h"
#include "os/error.h"
#include "os/text.h"

namespace {

using core::Json;
using core::JsonReader;

std::string Nested(std::size_t levels, const std::string& inner = "") {
  return std::string(levels, '[') + inner + std::string(levels, ']');
}

TEST(JsonReader, NamesInAnyLetterCaseAreOneMemberHoldingTheLaterValue) {
  const Json doc = JsonReader().Read(
      R"({"BorderWidth":1,"borderwidth":2,"BorderWidth":3,"Other":{"a":1},"OTHER":{"b":2}})");
  ASSERT_EQ(doc.size(), 2u);
  ASSERT_NE(core::FindMember(doc, "BORDERWIDTH"), nullptr);
  EXPECT_EQ(*core::FindMember(doc, "BORDERWIDTH"), 3);
  const Json* other = core::FindMember(doc, "other");
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(*other, Json::parse(R"({"b":2})")) << "replaced whole, not merged";
  EXPECT_EQ(doc.begin().key(), "BorderWidth") << "in the place of the first";
}

struct Utf8Case {
  const char* name;
  const char* bytes;      // inside a JSON string
  const wchar_t* reads;
};

class JsonReaderUtf8 : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(JsonReaderUtf8, EachByteThatIsNotUtf8CostsOneCharacter) {
  const Json doc = JsonReader().Read(std::string("{\"k\":\"") + GetParam().bytes + "\",\"n\":7}");
  EXPECT_EQ(os::Utf8ToWide(doc["k"].get<std::string>()), GetParam().reads);
  EXPECT_EQ(doc["n"], 7) << "the rest of the text is read";
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, JsonReaderUtf8,
    ::testing::Values(Utf8Case{"ansiLetter", "Caf\xE9.exe", L"Caf\uFFFD.exe"},
                      Utf8Case{"ansiLetterAtTheEnd", "Caf\xE9", L"Caf\uFFFD"},
                      Utf8Case{"twoStrayBytes", "\xFF\xFEx", L"\uFFFD\uFFFDx"},
                      Utf8Case{"loneContinuation", "a\x80" "b", L"a\uFFFDb"},
                      Utf8Case{"cutSequence", "\xE2\x82", L"\uFFFD\uFFFD"},
                      Utf8Case{"validStaysAsItIs", "\xC3\xA9\xE2\x82\xAC", L"\u00E9\u20AC"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JsonReader, NestingBeyondTheLimitIsRefused) {
  EXPECT_NO_THROW(JsonReader().Read(Nested(JsonReader::kMaxDepth)));
  EXPECT_THROW(JsonReader().Read(Nested(JsonReader::kMaxDepth + 1)), os::Error);
  // The reported fault: a list 12,000 levels deep in a section, 24 KB.
  const std::string deep =
      R"({"Exclude_WindowClass":{"SL_Exclude_WindowClass":)" + Nested(12000) + "}}";
  try {
    JsonReader().Read(deep);
    FAIL() << "no error";
  } catch (const os::Error& e) {
    EXPECT_NE(e.Message().find(L"64 levels"), std::wstring::npos) << os::WideToUtf8(e.Message());
  }
}

// A text that cannot be read says why and where, in plain words: line and column from 1, the
// column in characters (a byte-order mark is no character), never the parser's own text.
struct RefusedText {
  const char* name;
  std::string text;
  core::JsonTextError::Fault fault;
  std::size_t line, column;
  const wchar_t* says;
};

class JsonReaderRefuses : public ::testing::TestWithParam<RefusedText> {};

TEST_P(JsonReaderRefuses, SayingWhyAndWhere) {
  const RefusedText& c = GetParam();
  try {
    JsonReader().Read(c.text);
    FAIL() << "no error";
  } catch (const core::JsonTextError& e) {
    EXPECT_EQ(e.What(), c.fault);
    EXPECT_EQ(e.Line(), c.line);
    EXPECT_EQ(e.Column(), c.column);
    const std::wstring where =
        L"at line " + std::to_wstring(c.line) + L", column " + std::to_wstring(c.column);
    EXPECT_NE(e.Message().find(c.says + (L" " + where)), std::wstring::npos)
        << os::WideToUtf8(e.Message());
    for (const wchar_t* parserText : {L"json.exception", L"parse error", L"last read", L"\uFFFD"}) {
      EXPECT_EQ(e.Message().find(parserText), std::wstring::npos) << os::WideToUtf8(e.Message());
    }
  }
}

using Fault = core::JsonTextError::Fault;
constexpr wchar_t kNotJson[] = L"is not valid JSON";
constexpr wchar_t kNotUtf8[] = L"is not UTF-8 text";

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonReaderRefuses,
    ::testing::Values(
        RefusedText{"endsTooEarly", "{\"a\":", Fault::NotJson, 1, 6, kNotJson},
        RefusedText{"noColon", "{\"a\" 1}", Fault::NotJson, 1, 6, kNotJson},
        RefusedText{"commaBeforeTheEnd", "[1,]", Fault::NotJson, 1, 4, kNotJson},
        RefusedText{"onTheThirdLine", "\xEF\xBB\xBF{\r\n  \"a\": 1,\r\n  \"b\": x\r\n}",
                    Fault::NotJson, 3, 8, kNotJson},
        RefusedText{"markNotCounted", "\xEF\xBB\xBF{\"a\" 1}", Fault::NotJson, 1, 6, kNotJson},
        // Two Cyrillic letters, two bytes each: the 2 is character 9, byte 11.
        RefusedText{"columnsInCharacters", "{\"\xD0\x96\xD0\x96\":1 2}", Fault::NotJson, 1, 9,
                    kNotJson},
        RefusedText{"ansiByteFirst", "\xE9", Fault::NotJson, 1, 1, kNotJson},
        // Notepad's "Unicode": UTF-16 little-endian with its mark, and big-endian.
        RefusedText{"utf16", std::string("\xFF\xFE{\0}\0", 6), Fault::NotUtf8, 1, 1, kNotUtf8},
        RefusedText{"utf16BigEndian", std::string("\xFE\xFF\0{\0}", 6), Fault::NotUtf8, 1, 1,
                    kNotUtf8},
        RefusedText{"utf16WithoutMark", std::string("{\0\"\0a\0", 6), Fault::NotUtf8, 1, 2,
                    kNotUtf8},
        RefusedText{"zeroByte", std::string("{\n\"a\":\0}", 8), Fault::NotUtf8, 2, 5, kNotUtf8},
        RefusedText{"tooDeep", Nested(JsonReader::kMaxDepth + 1), Fault::TooDeep, 1,
                    JsonReader::kMaxDepth + 1, L"deeper than 64 levels"},
        RefusedText{"tooDeepAfterAString", "{\"[{\\\"\":" + Nested(JsonReader::kMaxDepth), Fault::TooDeep,
                    1, 8 + JsonReader::kMaxDepth, L"deeper than 64 levels"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JsonReader, EmptyTextsAreAnEmptyObject) {
  for (const char* text : {"", "\xEF\xBB\xBF", " \r\n\t"}) {
    EXPECT_EQ(JsonReader().Read(text), Json::object()) << testing::PrintToString(text);
  }
}

// The reported fault: 100,000 distinct names (1.5 MB) took seconds, each insert searching all
// members before it. Not timed: the work of the duplicate rule is counted instead.
TEST(JsonReader, AnObjectOfManyMembersCostsWorkInProportionToItsSize) {
  constexpr int kMembers = 100'000;
  std::string text = "{";
  for (int i = 0; i < kMembers; ++i) {
    text += "\"Key_Number_" + std::to_string(i) + "\":" + std::to_string(i) + ",";
  }
  // Every name once more in lower case: duplicates, each costing one comparison.
  for (int i = 0; i < kMembers; ++i) {
    text += "\"key_number_" + std::to_string(i) + "\":" + std::to_string(-i) + ",";
  }
  text.back() = '}';

  JsonReader reader;
  const Json doc = reader.Read(text);
  ASSERT_EQ(doc.size(), static_cast<std::size_t>(kMembers));
  EXPECT_EQ(doc.begin().key(), "Key_Number_0") << "members keep their order";
  EXPECT_EQ(doc.back(), -(kMembers - 1));
  EXPECT_EQ(*core::FindMember(doc, "KEY_NUMBER_500"), -500);
  // A search through the members read so far would compare about 10^10 names here.
  EXPECT_LE(reader.NameComparisons(), 2u * kMembers);
}

}  // namespace
