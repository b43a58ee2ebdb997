#include "projection/argument.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace balvix {
namespace {

struct ArgumentCase {
  std::string text;
  RunMode mode;
};

TEST(ArgumentClassification, EveryForm) {
  const ArgumentCase cases[] = {
      {"", RunMode::usage},
      {"0", RunMode::amount},
      {"45000", RunMode::amount},
      {"45000.90", RunMode::amount},
      {".5", RunMode::amount},
      {".", RunMode::usage},
      {"..", RunMode::usage},
      {"5.", RunMode::amount},
      {"1.2.3", RunMode::usage},
      {"1,5", RunMode::usage},
      {"-5", RunMode::usage},
      {"+5", RunMode::usage},
      {"45000 ", RunMode::usage},
      {"int", RunMode::interval},
      {"INT", RunMode::usage},
      {"Int", RunMode::usage},
      {"int ", RunMode::usage},
      {" int", RunMode::usage},
      {"int x", RunMode::usage},
      {"intx", RunMode::usage},
      {"12/09/2013", RunMode::date},
      {"12/09/2013 x", RunMode::usage},
      {"12/09/2013 ", RunMode::usage},
      {"29/02/2012", RunMode::date},
      {"29/02/2000", RunMode::date},
      {"01/01/0001", RunMode::date},
      {"31/12/9999", RunMode::date},
      {"31/04/2013", RunMode::usage},
      {"29/02/2013", RunMode::usage},
      {"29/02/1900", RunMode::usage},
      {"00/05/2013", RunMode::usage},
      {"05/13/2013", RunMode::usage},
      {"05/05/0000", RunMode::usage},
      {"5/5/2013", RunMode::usage},
      {"12-09-2013", RunMode::usage},
      {"12/09/20133", RunMode::usage},
      {"1a/09/2013", RunMode::usage},
      {"12/09/2013\t", RunMode::usage},
      {"?nt", RunMode::usage},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(classifyArgument(c.text).mode, c.mode) << '"' << c.text << '"';
  }
  EXPECT_EQ(classifyArgument("29/02/2012").date, (DateParts{29, 2, 2012}));
  EXPECT_EQ(classifyArgument("01/01/0001").date, (DateParts{1, 1, 1}));
}

TEST(ArgumentClassification, AmountReadExactly) {
  const std::pair<std::string, ExactAmount> cases[] = {
      {"45000.90", {"45000", "9"}},
      {"007.050", {"7", "05"}},
      {".5", {"", "5"}},
      {"5.", {"5", ""}},
      {"0", {"", ""}},
      {"000.000", {"", ""}},
      {"0.801", {"", "801"}},
      {"123456789012345678901", {"123456789012345678901", ""}},
      {"9007199254740993.01", {"9007199254740993", "01"}},
  };
  for (const auto& [text, amount] : cases) {
    Argument argument = classifyArgument(text);
    EXPECT_EQ(argument.mode, RunMode::amount) << text;
    EXPECT_EQ(argument.target, amount) << text;
  }
}

TEST(ArgumentClassification, OnlyTheFirst21CharactersCount) {
  std::string digits25 = "1234567890123456789012345";
  std::string kept = argumentTextOf(digits25);
  EXPECT_EQ(kept, digits25.substr(0, 21));
  EXPECT_EQ(classifyArgument(kept).mode, RunMode::amount);

  // What lies past the cut can no longer make the argument wrong.
  EXPECT_EQ(classifyArgument(argumentTextOf("123456789012345678901 x")).mode, RunMode::amount);
  // Nor can it make it right: the cut leaves a trailing blank.
  EXPECT_EQ(classifyArgument(argumentTextOf("12/09/2013          x")).mode, RunMode::usage);
  EXPECT_EQ(argumentTextOf("int"), "int");
}

} // namespace
} // namespace balvix
