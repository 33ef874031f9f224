// The machine-wide state that an installation meets, as tests set it up and
// read it: values under HKEY_LOCAL_MACHINE, the accounts Windows keeps
// profiles for, a program file in use, version resources, the renames and
// deletions left for the next restart, and the Windows version Wine shows
// the setup program.
#pragma once

#include <windows.h>

#include <string>

bool HasMachineValue(const char* key, const char* name);
// How many values the key holds; -1 when there is no such key.
int MachineValueCount(const char* key);
// An empty string value, the key made when missing.
void SetMachineValue(const char* key, const char* name);
void DeleteMachineValue(const char* key, const char* name);

// A copy of a program whose version resource says major version `major`:
// an older or newer build of it, as far as version checks go. Empty when
// the program has no version resource.
std::string WithMajorVersion(std::string bytes, WORD major);

// Whether a rename or deletion of this file waits for the next restart.
bool PendingAtRestart(const std::string& path);

// An account of this machine, as Windows lists the ones whose profiles it
// keeps, for the length of the test.
class ListedAccount {
public:
  explicit ListedAccount(const std::string& sid);
  ~ListedAccount();
  ListedAccount(const ListedAccount&) = delete;
  ListedAccount& operator=(const ListedAccount&) = delete;

private:
  std::string m_strKey;
};

// The program file of a running program, as Windows and Wine treat it: it
// can be renamed but not deleted.
class RunningImage {
public:
  explicit RunningImage(const std::string& path);
  ~RunningImage();
  RunningImage(const RunningImage&) = delete;
  RunningImage& operator=(const RunningImage&) = delete;
  explicit operator bool() const { return m_module != nullptr; }

private:
  HMODULE m_module;
};

// Wine answers the setup program (NorvaneSetup64.exe) as Windows 7 would,
// for the length of the test.
class SetupTreatedAsWindows7 {
public:
  SetupTreatedAsWindows7();
  ~SetupTreatedAsWindows7();
  SetupTreatedAsWindows7(const SetupTreatedAsWindows7&) = delete;
  SetupTreatedAsWindows7& operator=(const SetupTreatedAsWindows7&) = delete;
};
