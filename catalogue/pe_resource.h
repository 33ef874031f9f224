// Where a program file's version resources lie: the system's version
// functions copy each one from the file as its resource directory places
// it, and a directory entry that reaches past the end of the file makes that
// copy read past the end of the file's mapping.
#pragma once

#include <windows.h>

// False when one of the file's version resources does not lie whole inside
// the file. A file that is not a 32- or 64-bit program, or has no version
// resource, gives true: there is nothing the system would copy.
bool VersionResourcesLieInFile(HANDLE file);
