// Reading and writing the test prefix's registry as other programs would.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

extern const char kAppKey[];     // Software\Tessaly\Norvane
extern const char kDesktopKey[]; // Control Panel\Desktop

void SetRegDword(const char* key, const char* name, DWORD value);
void SetRegString(const char* key, const char* name, const std::string& value);
void SetRegRaw(const char* key, const char* name, DWORD type, const void* data, DWORD size);
void DeleteRegValue(const char* key, const char* name);
std::optional<DWORD> GetRegDword(const char* key, const char* name);
// The type of a value (REG_SZ, REG_DWORD, ...).
std::optional<DWORD> GetRegType(const char* key, const char* name);
// The raw bytes of a string value, terminator included when it was stored.
std::optional<std::string> GetRegBytes(const char* key, const char* name);
// The bytes of a desktop value, marked as wrong unless it is a REG_SZ, the
// only type Windows reads for it.
std::optional<std::string> GetDesktopString(const char* name);
// Removes the program's own values and the desktop values it writes.
void ResetProgramRegistry();
