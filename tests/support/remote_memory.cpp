// Memory in another process through the process handle.
#include "tests/support/remote_memory.h"

RemoteMemory::RemoteMemory(HWND owner, size_t size) {
  DWORD processId = 0;
  GetWindowThreadProcessId(owner, &processId);
  m_process.reset(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
  if (m_process)
    m_pAddress = VirtualAllocEx(m_process.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory() {
  if (m_pAddress)
    VirtualFreeEx(m_process.get(), m_pAddress, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(size_t offset, const void* data, size_t size) const {
  return m_pAddress && WriteProcessMemory(m_process.get(), At(offset), data, size, nullptr);
}

bool RemoteMemory::Read(size_t offset, void* data, size_t size) const {
  return m_pAddress && ReadProcessMemory(m_process.get(), At(offset), data, size, nullptr);
}
