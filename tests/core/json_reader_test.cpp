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

TEST(JsonReader, TextThatIsNotJsonNamesTheParsersReason) {
  for (const char* text : {"{\"a\":", "{\"a\" 1}", "[1,]", "\xE9"}) {
    try {
      JsonReader().Read(text);
      ADD_FAILURE() << "no error for " << text;
    } catch (const os::Error& e) {
      EXPECT_NE(e.Message().find(L"not valid JSON ("), std::wstring::npos) << text;
    }
  }
}

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
