// Text in the program's ANSI code page: UTF-8 where the system honours the
// manifest's code page (Windows 10 1903 and later, Windows 11, Wine), the
// system's ANSI code page before. Its UTF-16 form, which the system's own
// comparisons and the wide calls take, and the character boundaries that a
// cut must keep.
#pragma once

#include <string>

// Whether the ANSI code page is UTF-8.
bool AnsiIsUtf8();

// The UTF-16 form of the text, as the system converts it. A text that is no
// sound sequence of characters in the code page (a list line written in
// another one) keeps its ASCII bytes, and every other byte becomes a code
// unit of its own that no character converts to, so that distinct texts
// stay distinct.
std::wstring WideFromAnsi(const std::string& text);
// The ANSI form of UTF-16 text; a character the code page lacks becomes "?".
std::string AnsiFromWide(const wchar_t* text, size_t length);

// The length of the longest start of the text that is at most `bytes` long
// and does not end inside a character.
size_t CharBoundaryAtOrBefore(const std::string& text, size_t bytes);
