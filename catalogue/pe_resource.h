// Reading a program file's version resource with plain reads from a handle
// already opened and checked: the copy the version texts are queried in is
// the very bytes of that file, opened once.
#pragma once

#include <windows.h>

#include <atomic>
#include <vector>

// The file's version resource (the one the system's version functions would
// pick: name 1, the neutral language first), followed by the room that
// VerQueryValueA needs for the ANSI copies of its texts. False when the file
// is not a 32- or 64-bit program, has no version resource, or one that does
// not lie whole inside the file; when its resource directory is larger than
// any real program's; and as soon as `abandoned` turns true.
bool ReadVersionResource(HANDLE file, std::vector<char>& block,
                         const std::atomic<bool>* abandoned = nullptr);
