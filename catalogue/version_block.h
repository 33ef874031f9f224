// The check a version block passes before it is queried: the system's
// version functions trust the lengths inside the block.
#pragma once

#include <cstddef>

// True when a block of `size` bytes (as ReadVersionResource gives it) holds one
// version resource in the 32-bit layout whose every length, key, value and
// child lies inside its parent, with the room after it that the system
// keeps for the ANSI copies of its texts.
bool IsSoundVersionBlock(const char* block, size_t size);
