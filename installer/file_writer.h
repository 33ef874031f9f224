// Writing and removing the installed files so that a failure never leaves
// half a file: each new file is written whole beside its place and then
// moved over the old one in one step.
#pragma once

#include <string>
#include <string_view>

// Creates the folder and every missing folder above it.
bool CreateFolderTree(const std::string& folder);

// Writes the bytes to a temporary file in the destination's folder, then
// replaces the destination with it. False, with the old file as it was and
// no temporary file left, when any step fails.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

// True when the file is gone afterwards, also when it was never there.
bool DeleteFileIfPresent(const std::string& path);
// True when the folder is gone afterwards; a folder that still holds
// anything stays.
bool RemoveFolderIfEmpty(const std::string& folder);
