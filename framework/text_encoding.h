// The encodings a text file of lines may come in. The program writes its
// files in its ANSI code page (UTF-8 where the system honours the manifest's
// code page) without a byte-order mark; people and older programs leave
// others behind, which are read as the same text.
#pragma once

#include <string>

// The file's text in the program's code page: a UTF-8 byte-order mark
// dropped, UTF-16 behind its byte-order mark (Notepad's "Unicode") converted.
std::string TextOfFile(std::string bytes);

// A line that is no UTF-8 although the code page is: one written before the
// program's code page was UTF-8, or saved by Notepad as "ANSI", in the
// system's own ANSI code page. Converted from that one; any other line is
// returned as it is.
std::string LineInCodePage(const std::string& line);
