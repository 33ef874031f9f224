// Conversions between the ANSI code page and UTF-16, and character
// boundaries in both kinds of ANSI code page: UTF-8, whose sequences the
// system's CharNextA and IsDBCSLeadByte do not know, and the double-byte
// ones, whose trail bytes may look like ASCII.
#include "framework/ansi_text.h"

#include <windows.h>

#include <mbstring.h>

bool AnsiIsUtf8() {
  static const bool utf8 = GetACP() == CP_UTF8;
  return utf8;
}

std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty())
    return std::wstring();
  int size = static_cast<int>(text.size());
  int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (length > 0) {
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, &wide[0], length);
    return wide;
  }
  // Lone low surrogates: no sound text converts to them.
  std::wstring wide(text.size(), L'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    wide[i] = static_cast<wchar_t>(c < 0x80 ? c : 0xDC00 + c);
  }
  return wide;
}

std::string AnsiFromWide(const wchar_t* text, size_t length) {
  if (length == 0)
    return std::string();
  int size = static_cast<int>(length);
  int bytes = WideCharToMultiByte(CP_ACP, 0, text, size, nullptr, 0, nullptr, nullptr);
  std::string ansi(bytes > 0 ? bytes : 0, '\0');
  if (bytes > 0)
    WideCharToMultiByte(CP_ACP, 0, text, size, &ansi[0], bytes, nullptr, nullptr);
  return ansi;
}

size_t CharBoundaryAtOrBefore(const std::string& text, size_t bytes) {
  if (bytes >= text.size())
    return text.size();
  if (AnsiIsUtf8()) {
    // A continuation byte is 10xxxxxx; at most three of them follow a lead.
    size_t end = bytes;
    while (end > 0 && bytes - end < 3 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
      --end;
    return (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80 ? bytes : end;
  }
  const auto* start = reinterpret_cast<const unsigned char*>(text.c_str());
  size_t end = 0;
  for (const unsigned char* next = start; *next && static_cast<size_t>(next - start) <= bytes;
       next = _mbsinc(next))
    end = static_cast<size_t>(next - start);
  return end;
}
