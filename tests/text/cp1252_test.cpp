#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace balvix {
namespace {

TEST(Cp1252Text, Windows1252ToUtf8AndBack) {
  struct Case {
    std::string cp1252;
    std::string utf8;
  };
  const Case cases[] = {
      {"int", "int"},
      {"L\xEDnea a\xF1o", "L\xC3\xADnea a\xC3\xB1o"},
      {"\x80", "\xE2\x82\xAC"}, // the euro sign
      {"\x8A\x9F", "\xC5\xA0\xC5\xB8"},
      {"\xFF", "\xC3\xBF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8From1252(c.cp1252), c.utf8);
    EXPECT_EQ(cp1252FromUtf8(c.utf8), c.cp1252);
  }
}

TEST(Cp1252Text, CharactersWithoutAByteBecomeQuestionMarks) {
  struct Case {
    std::string utf8;
    std::string cp1252;
  };
  const Case cases[] = {
      {"\xEF\xBC\x91", "?"}, // a full-width digit one is no digit here
      {"1\xE2\x80\x8B"
       "2",
       "1?2"},                   // a zero-width space
      {"\xF0\x9F\x92\xB0", "?"}, // outside the basic plane
      {"\xFF"
       "a",
       "?a"},                // not UTF-8 at all
      {"\xC3", "?"},         // cut short
      {"\xC0\xAF", "?"},     // an over-long "/"
      {"\xED\xA0\x80", "?"}, // a lone surrogate
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cp1252FromUtf8(c.utf8), c.cp1252);
  }
}

TEST(LowerCase1252, MapsCapitalLetters) {
  EXPECT_EQ(lowerCase1252("ABCXYZ abc 019.[@"), "abcxyz abc 019.[@");
  EXPECT_EQ(lowerCase1252("\xC0\xC9\xD1\xD6\xD7\xD8\xDE\xDF"), "\xE0\xE9\xF1\xF6\xD7\xF8\xFE\xDF");
  EXPECT_EQ(lowerCase1252("\x8A\x8C\x8E\x9F"), "\x9A\x9C\x9E\xFF");
  EXPECT_EQ(lowerCase1252("\xE1\xFF\x80\x9A"), "\xE1\xFF\x80\x9A");
}

} // namespace
} // namespace balvix
