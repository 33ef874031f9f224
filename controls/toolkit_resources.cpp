// Creation of the toolkit's shared resources and the common-controls check
// that guards them.
#include "controls/toolkit_resources.h"

#include "framework/dpi.h"
#include "resource.h"

#include <shlwapi.h>

#include <cstddef>
#include <map>
#include <utility>

namespace {

void EnsureCommonControlsVersion() {
  HMODULE comctl32 = LoadLibraryA("comctl32.dll");
  if (IsCommonControlsVersionSupported(GetCommonControlsVersion(comctl32)))
    return;
  MessageBoxA(nullptr, "Warning: This program requires comctl32.dll version 4.72 or greater.",
              "Comctl32.dll", MB_OK | MB_ICONERROR);
  ExitProcess(1);
}

// The full structure is refused by systems older than it, which only know
// the layout without the padded-border field.
LOGFONTA MenuFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
      GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof metrics.lfMenuFont, &metrics.lfMenuFont);
  }
  return metrics.lfMenuFont;
}

} // namespace

DWORD GetCommonControlsVersion(HMODULE comctl32) {
  FARPROC proc = comctl32 ? GetProcAddress(comctl32, "DllGetVersion") : nullptr;
  auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(proc));
  DLLVERSIONINFO info = {sizeof info};
  if (!getVersion || FAILED(getVersion(&info)))
    return 0;
  return MAKELONG(info.dwMinorVersion, info.dwMajorVersion);
}

bool IsCommonControlsVersionSupported(DWORD version) { return version > MAKELONG(71, 4); }

ToolkitResources& GetToolkitResources() {
  static ToolkitResources resources = [] {
    EnsureCommonControlsVersion();
    ToolkitResources made;
    made.crFace = GetSysColor(COLOR_3DFACE);
    LOGFONTA font = MenuFont();
    made.hFont.reset(CreateFontIndirectA(&font));
    font.lfUnderline = TRUE;
    made.hUnderlineFont.reset(CreateFontIndirectA(&font));
    made.hHandCursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    made.cxSmIcon = GetSystemMetrics(SM_CXSMICON);
    made.cySmIcon = GetSystemMetrics(SM_CYSMICON);
    return made;
  }();
  return resources;
}

HFONT GetToolkitFont(UINT dpi, bool underline) {
  const ToolkitResources& resources = GetToolkitResources();
  UINT system = SystemDpi();
  if (dpi == system || dpi == 0)
    return underline ? resources.hUnderlineFont.get() : resources.hFont.get();
  // Made once per scale and kept, like the shared fonts themselves.
  static std::map<std::pair<UINT, bool>, FontHandle> scaled;
  FontHandle& font = scaled[{dpi, underline}];
  if (!font) {
    LOGFONTA logFont = {};
    GetObjectA(resources.hFont.get(), sizeof logFont, &logFont);
    logFont.lfHeight = MulDiv(logFont.lfHeight, dpi, system);
    logFont.lfWidth = MulDiv(logFont.lfWidth, dpi, system);
    logFont.lfUnderline = underline;
    font.reset(CreateFontIndirectA(&logFont));
  }
  return font.get();
}
