// How the program reads its command line: what follows the program name,
// the split at blanks, and the "/start" switch.
#include "app/command_line.h"
#include "framework/app.h"

#include <gtest/gtest.h>

namespace {

bool Starts(const std::string& arguments) {
  CStringArray tokens;
  SplitCommandLine(arguments, tokens);
  return IsStartSwitch(tokens);
}

TEST(CommandLine, ArgumentsFollowTheProgramName) {
  EXPECT_EQ(ArgumentsFromCommandLine("\"C:\\Program Files\\N\\Norvane.exe\" /start"), "/start");
  EXPECT_EQ(ArgumentsFromCommandLine("\"C:\\a b\\N.exe\"/start"), "/start");
  EXPECT_EQ(ArgumentsFromCommandLine("C:\\N\\Norvane.exe \t /Start x"), "/Start x");
  EXPECT_EQ(ArgumentsFromCommandLine("Norvane.exe"), "");
  EXPECT_EQ(ArgumentsFromCommandLine("\"unterminated"), "");
}

TEST(CommandLine, SplitsAtBlanksOnlyAndLowerCases) {
  CStringArray tokens;
  SplitCommandLine("/START  Foo\tBar ", tokens);
  EXPECT_EQ(tokens, (CStringArray{"/start", "", "foo\tbar"}));
  SplitCommandLine("", tokens);
  EXPECT_TRUE(tokens.empty());
}

TEST(CommandLine, StartSwitchIsTheWholeFirstToken) {
  EXPECT_TRUE(Starts("/start"));
  EXPECT_TRUE(Starts("/START"));
  EXPECT_TRUE(Starts("/StArT foo bar"));
  EXPECT_TRUE(Starts("/start\t"));
  EXPECT_TRUE(Starts("/start\r\n"));
  EXPECT_FALSE(Starts("/startx"));
  EXPECT_FALSE(Starts("/start,"));
  EXPECT_FALSE(Starts("x /start"));
  EXPECT_FALSE(Starts("/start\tx"));
  EXPECT_FALSE(Starts(" /start")); // an empty first token
  EXPECT_FALSE(Starts(""));
  EXPECT_FALSE(Starts("start"));
}

} // namespace
