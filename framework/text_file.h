// Whole text files of lines, for small files that other processes read too:
// each file is opened without sharing for the length of one read or one
// write, and a write replaces the file at once, so that a crash, a kill or a
// full disk leaves either the old file or the new one, never a part. A file
// that another process holds open is waited for, briefly, before a read or
// a write gives up.
#pragma once

#include <string>
#include <vector>

// The file's bytes, opened without sharing. False when the file cannot be
// opened (missing, or still open in another process) or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Lines end at a line feed, one carriage return before it is dropped, and a
// last line without a line end is read too. A line's text ends at its first
// NUL byte. Files and lines in other encodings are read in the program's
// code page (see text_encoding.h); lines are never cut, however long. False
// when the file cannot be opened (missing, or still open in another process)
// or read.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);

// Writes every line, up to its first NUL byte, followed by a carriage return
// and a line feed. False, with the old file left as it was, when the file
// stays open in another process or the new one cannot be written whole, the
// system's reason left as the last error (ERROR_SHARING_VIOLATION for a file
// held open). A
// temporary file left beside it by an earlier write that never finished is
// cleared.
bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines);
