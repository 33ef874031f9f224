// The settings store against the real registry of the test prefix.
#include "catalogue/settings.h"
#include "framework/app.h"
#include "tests/support/files.h"
#include "tests/support/installation.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_app.SetRegistryKey("Tessaly");
    ResetProgramRegistry();
  }
  CWinApp m_app{"Norvane"};
};

TEST_F(SettingsTest, FreshUserReadsDefaults) {
  EXPECT_TRUE(GetStartWindowsStart());
  EXPECT_TRUE(GetMakeDefaultScreensaver());
  EXPECT_TRUE(GetEnableExeScreensavers());
  EXPECT_EQ(GetInstallDir(), "");
  EXPECT_EQ(GetScreenSaveTimeOut(), 0);
}

TEST_F(SettingsTest, FlagsAreDwordsReadAsNonZero) {
  SetRegDword(kAppKey, "StartWindowsStart", 2);
  EXPECT_TRUE(GetStartWindowsStart());
  SetRegDword(kAppKey, "MakeDefaultScreensaver", 0);
  EXPECT_FALSE(GetMakeDefaultScreensaver());

  SetEnableExeScreensavers(true);
  EXPECT_EQ(GetRegDword(kAppKey, "EnableExeScreensavers"), 1u);
  SetEnableExeScreensavers(false);
  EXPECT_EQ(GetRegDword(kAppKey, "EnableExeScreensavers"), 0u);
  EXPECT_FALSE(GetEnableExeScreensavers());
  SetStartWindowsStart(false);
  EXPECT_EQ(GetRegDword(kAppKey, "StartWindowsStart"), 0u);
  SetMakeDefaultScreensaver(true);
  EXPECT_EQ(GetRegDword(kAppKey, "MakeDefaultScreensaver"), 1u);
}

TEST_F(SettingsTest, InstallDirIsReadAsStored) {
  SetRegString(kAppKey, "InstallDir", "C:\\Program Files\\Norvane\\");
  EXPECT_EQ(GetInstallDir(), "C:\\Program Files\\Norvane\\");
}

TEST_F(SettingsTest, TimeOutIsSecondsReadAsWholeMinutes) {
  SetRegString(kDesktopKey, "ScreenSaveTimeOut", "900");
  EXPECT_EQ(GetScreenSaveTimeOut(), 15);
  SetRegString(kDesktopKey, "ScreenSaveTimeOut", "90");
  EXPECT_EQ(GetScreenSaveTimeOut(), 1);
  SetRegString(kDesktopKey, "ScreenSaveTimeOut", "59");
  EXPECT_EQ(GetScreenSaveTimeOut(), 0);
  SetRegString(kDesktopKey, "ScreenSaveTimeOut", "  600 seconds");
  EXPECT_EQ(GetScreenSaveTimeOut(), 10);
}

TEST_F(SettingsTest, TimeOutIsWrittenAsTerminatedSeconds) {
  SetScreenSaveTimeOut(15);
  EXPECT_EQ(GetDesktopString("ScreenSaveTimeOut"), std::string("900\0", 4));
  SetScreenSaveTimeOut(9999);
  EXPECT_EQ(GetDesktopString("ScreenSaveTimeOut"), std::string("599940\0", 7));
}

TEST_F(SettingsTest, ScreenSaveActiveIsOneOrZero) {
  SetScreenSaveActive(true);
  EXPECT_EQ(GetDesktopString("ScreenSaveActive"), std::string("1\0", 2));
  SetScreenSaveActive(false);
  EXPECT_EQ(GetDesktopString("ScreenSaveActive"), std::string("0\0", 2));
}

// The value is read into a fixed buffer; whatever is stored there must never
// make the reader run past it.
TEST_F(SettingsTest, OversizedOrOddTimeOutValuesReadSafely) {
  std::string digits(300, '7'); // no terminator, longer than the buffer
  SetRegRaw(kDesktopKey, "ScreenSaveTimeOut", REG_SZ, digits.data(), 300);
  EXPECT_EQ(GetScreenSaveTimeOut(), 0);

  std::string exact(256, '1'); // fills the buffer exactly, unterminated
  exact.replace(0, 4, "1200");
  exact[4] = 'x';
  SetRegRaw(kDesktopKey, "ScreenSaveTimeOut", REG_BINARY, exact.data(), 256);
  EXPECT_EQ(GetScreenSaveTimeOut(), 20);

  DWORD seconds = 900;
  SetRegRaw(kDesktopKey, "ScreenSaveTimeOut", REG_DWORD, &seconds, sizeof seconds);
  EXPECT_EQ(GetScreenSaveTimeOut(), 0);
}

TEST_F(SettingsTest, OddTypesForFlagsReadAsDefault) {
  SetRegString(kAppKey, "StartWindowsStart", "0");
  EXPECT_TRUE(GetStartWindowsStart());
  SetRegRaw(kAppKey, "EnableExeScreensavers", REG_BINARY, "\0\0\0\0\0\0\0\0", 8);
  EXPECT_TRUE(GetEnableExeScreensavers());
}

// Without the proxy, Norvane cannot be the screensaver: the user's own
// screensaver stays, and so does its switch, whatever it was.
TEST_F(SettingsTest, RegistrationWithoutTheProxyLeavesTheDesktopAlone) {
  ASSERT_FALSE(FileExists(InstalledProxy()));
  SetRegString(kDesktopKey, "SCRNSAVE.EXE", "old.scr");
  SetDefaultScreensaver();
  EXPECT_EQ(GetDesktopString("SCRNSAVE.EXE"), std::string("old.scr\0", 8));
  EXPECT_FALSE(GetDesktopString("ScreenSaveActive").has_value());
}

} // namespace
