// The process tree, read from the system's list of processes.
#include "proxy/process_tree.h"

#include <tlhelp32.h>

namespace {

ULONGLONG CreationTime(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
    return 0;
  return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

bool Runs(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

} // namespace

CProcessTree::CProcessTree(HANDLE root, DWORD rootId) {
  HANDLE copy = nullptr;
  DuplicateHandle(GetCurrentProcess(), root, GetCurrentProcess(), &copy, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  m_members.push_back({rootId, CreationTime(root), KernelHandle(copy)});
}

CProcessTree::~CProcessTree() {
  for (Member& member : m_members)
    if (member.process && Runs(member.process.get()))
      TerminateProcess(member.process.get(), 0);
}

// A process whose parent id names a member counts only when it started
// after that member: an older one has the id from a process before it.
bool CProcessTree::AddChild(DWORD id, DWORD parentId) {
  for (const Member& member : m_members)
    if (member.id == id)
      return false;
  for (const Member& parent : m_members) {
    if (parent.id != parentId)
      continue;
    KernelHandle process(OpenProcess(
        SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    ULONGLONG created = process ? CreationTime(process.get()) : 0;
    if (!process || created < parent.created)
      return false;
    m_members.push_back({id, created, std::move(process)});
    return true;
  }
  return false;
}

bool CProcessTree::Update() {
  KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  std::vector<PROCESSENTRY32> entries;
  PROCESSENTRY32 entry = {sizeof entry};
  if (snapshot && Process32First(snapshot.get(), &entry)) {
    do
      entries.push_back(entry);
    while (Process32Next(snapshot.get(), &entry));
  }
  // A grandchild may come before its parent in the list.
  for (bool added = true; added;) {
    added = false;
    for (const PROCESSENTRY32& process : entries)
      added = AddChild(process.th32ProcessID, process.th32ParentProcessID) || added;
  }
  for (const Member& member : m_members)
    if (member.process && Runs(member.process.get()))
      return true;
  return false;
}
