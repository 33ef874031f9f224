// Byte-order marks, UTF-16 and the system's legacy ANSI code page, turned
// into text in the program's code page.
#include "framework/text_encoding.h"
#include "framework/ansi_text.h"

#include <windows.h>

#include <cstring>

namespace {

bool StartsWith(const std::string& text, const char* mark) {
  return text.compare(0, strlen(mark), mark) == 0;
}

std::string FromUtf16(const std::string& bytes, bool bigEndian) {
  std::wstring wide(bytes.size() / 2, L'\0');
  for (size_t i = 0; i < wide.size(); ++i) {
    unsigned char first = bytes[2 * i], second = bytes[2 * i + 1];
    wide[i] = static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first);
  }
  return AnsiFromWide(wide.data(), wide.size());
}

// The code page that "ANSI" means to the system itself, whatever the
// program's manifest chose.
UINT LegacyCodePage() {
  UINT codePage = 0;
  GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                 reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t));
  return codePage;
}

} // namespace

std::string TextOfFile(std::string bytes) {
  if (StartsWith(bytes, "\xFF\xFE"))
    return FromUtf16(bytes.substr(2), false);
  if (StartsWith(bytes, "\xFE\xFF"))
    return FromUtf16(bytes.substr(2), true);
  if (StartsWith(bytes, "\xEF\xBB\xBF"))
    bytes.erase(0, 3);
  return bytes;
}

std::string LineInCodePage(const std::string& line) {
  static const UINT legacy = LegacyCodePage();
  bool ascii = true;
  for (char c : line)
    ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  int length = static_cast<int>(line.size());
  if (ascii || !AnsiIsUtf8() || legacy == 0 || legacy == CP_UTF8 ||
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, line.data(), length, nullptr, 0) > 0)
    return line;
  std::wstring wide(line.size(), L'\0');
  wide.resize(MultiByteToWideChar(legacy, 0, line.data(), length, &wide[0], length));
  return AnsiFromWide(wide.data(), wide.size());
}
