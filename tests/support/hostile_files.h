// Hostile screensaver files for the catalogue, made from a sound one: a
// resource directory that makes a walk following every entry read n³ of
// them, a version block nested deeper than any sound one, and a version
// entry that claims far more bytes than any version resource has.
#pragma once

#include <string>

// Where a screensaver file keeps its version resource: the block, its
// length, and the resource directory's entry (address, size, code page,
// reserved) that points at it; npos where not found.
struct VersionResource {
  size_t block = std::string::npos, length = 0, entry = std::string::npos;
};
VersionResource FindVersionResource(const std::string& bytes);

// n version-type entries all lead to one name directory of n entries, which
// all lead to one language directory of n entries, each pointing at the
// sound version resource copied from `saverBytes` (a screensaver file's
// bytes). About 24 n bytes long.
std::string NestedResourceFile(const std::string& saverBytes, int n);
// The screensaver with its version block replaced by one whose description
// "Deeply Nested" has children two levels deep, every length sound.
std::string DeepVersionFile(const std::string& saverBytes);
// The screensaver with its version entry claiming 200 KB, which the file
// and its section hold: zeros after the sound block.
std::string OversizedVersionFile(const std::string& saverBytes);
