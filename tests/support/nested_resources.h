// A hostile program file for the catalogue: its resource directory makes a
// walk that follows every entry read n³ of them.
#pragma once

#include <string>

// n version-type entries all lead to one name directory of n entries, which
// all lead to one language directory of n entries, each pointing at the
// sound version resource copied from `saverBytes` (a screensaver file's
// bytes). About 24 n bytes long.
std::string NestedResourceFile(const std::string& saverBytes, int n);
