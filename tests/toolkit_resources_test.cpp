// The toolkit's shared resources and the common-controls version it needs.
#include "controls/toolkit_resources.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

TEST(ToolkitResourcesTest, CommonControlsFrom472On) {
  EXPECT_FALSE(IsCommonControlsVersionSupported(0));
  EXPECT_FALSE(IsCommonControlsVersionSupported(MAKELONG(0, 4)));
  EXPECT_FALSE(IsCommonControlsVersionSupported(MAKELONG(71, 4)));
  EXPECT_TRUE(IsCommonControlsVersionSupported(MAKELONG(72, 4)));
  EXPECT_TRUE(IsCommonControlsVersionSupported(MAKELONG(0, 5)));
  EXPECT_TRUE(IsCommonControlsVersionSupported(MAKELONG(0, 6)));

  HMODULE comctl32 = LoadLibraryA("comctl32.dll");
  EXPECT_TRUE(IsCommonControlsVersionSupported(GetCommonControlsVersion(comctl32)));
  // A library without DllGetVersion counts as too old.
  EXPECT_EQ(GetCommonControlsVersion(GetModuleHandleA("kernel32.dll")), 0u);
}

TEST(ToolkitResourcesTest, FontsCursorAndMetrics) {
  const ToolkitResources& resources = GetToolkitResources();
  EXPECT_EQ(&resources, &GetToolkitResources());
  EXPECT_EQ(resources.crFace, GetSysColor(COLOR_3DFACE));
  LOGFONTA plain = {}, underlined = {};
  ASSERT_TRUE(GetObjectA(resources.hFont.get(), sizeof plain, &plain));
  ASSERT_TRUE(GetObjectA(resources.hUnderlineFont.get(), sizeof underlined, &underlined));
  EXPECT_FALSE(plain.lfUnderline);
  EXPECT_TRUE(underlined.lfUnderline);
  EXPECT_STREQ(plain.lfFaceName, underlined.lfFaceName);
  EXPECT_EQ(plain.lfHeight, underlined.lfHeight);
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
  }
  EXPECT_STREQ(plain.lfFaceName, metrics.lfMenuFont.lfFaceName);
  EXPECT_EQ(plain.lfHeight, metrics.lfMenuFont.lfHeight);
  EXPECT_NE(resources.hHandCursor, nullptr);
  EXPECT_EQ(resources.cxSmIcon, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(resources.cySmIcon, GetSystemMetrics(SM_CYSMICON));
}

} // namespace
