// How the programs read their command lines: what follows the program name,
// the split at blanks, the "/start" switch, and the screensaver switches
// that the proxy and the samples read.
#include "app/command_line.h"
#include "common/saver_command.h"
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

// Windows writes the switches in several ways; a text that is no switch
// opens the settings, as Windows' own screensavers do.
TEST(ScreensaverSwitches, EveryFormWindowsWrites) {
  struct Case {
    const char* text;
    char chSwitch;
    INT_PTR window;
  };
  for (const Case& c :
       {Case{"/s", 's', 0}, Case{"-S", 's', 0}, Case{"/p 123", 'p', 123}, Case{"/p:123", 'p', 123},
        Case{"/P123", 'p', 123}, Case{"/c", 'c', 0}, Case{"/c:456", 'c', 456}, Case{"/a", 'a', 0},
        Case{"", 'c', 0}, Case{"junk", 'c', 0}, Case{"/", 'c', 0}, Case{"/p junk", 'p', 0}}) {
    SCOPED_TRACE(c.text);
    ScreensaverCommand command = ParseScreensaverArguments(c.text);
    EXPECT_EQ(command.chSwitch, c.chSwitch);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(command.hWnd), c.window);
    EXPECT_EQ(command.strArguments, c.text);
  }
}

} // namespace
