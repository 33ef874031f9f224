// Telling regular files from devices and pipes before anything reads them:
// reading a pipe whose server never writes, or a serial port, waits for ever.
#pragma once

#include "framework/handle.h"

#include <string>

// The file opened for reading, shared with every other reader and writer,
// when it is a regular file on a disk; otherwise no handle. Devices, pipes,
// consoles, mail slots and folders are refused by their names where the
// name tells, and by the type of the handle, before anything is read,
// otherwise.
FileHandle OpenRegularFile(const std::string& path);
