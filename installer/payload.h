// The files that the setup program carries as resources of its own, and
// the setup program's own bytes, which become Uninstall.exe.
#pragma once

#include <string>
#include <string_view>

// The bytes of one RCDATA resource (IDR_PAYLOAD_*); empty when missing.
// They stay valid for the life of the process.
std::string_view PayloadBytes(int resourceId);

// The full path of the running program.
std::string OwnProgramPath();
// The running program's bytes, read while it runs. False when they cannot
// be read.
bool ReadOwnProgram(std::string& bytes);
