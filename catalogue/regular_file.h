// Telling regular files from devices and pipes before anything reads them:
// reading a pipe whose server never writes, or a serial port, waits for ever.
#pragma once

#include <windows.h>

#include <string>

// True for a regular file on a disk, with its size. Devices, pipes,
// consoles, mail slots and folders are refused by their names where the name
// tells, and by the type of a handle that reads nothing otherwise.
bool IsRegularFile(const std::string& path, ULONGLONG* size);
