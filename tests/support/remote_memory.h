// A block of memory in the process that owns a window, for messages whose
// parameters point at data: the window reads and writes the block, the test
// copies to and from it.
#pragma once

#include "framework/handle.h"

#include <windows.h>

class RemoteMemory {
public:
  RemoteMemory(HWND owner, size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  bool Valid() const { return m_pAddress != nullptr; }
  // The block's address in the other process, and an address inside it.
  void* Address() const { return m_pAddress; }
  void* At(size_t offset) const { return static_cast<char*>(m_pAddress) + offset; }
  LPARAM Param() const { return reinterpret_cast<LPARAM>(m_pAddress); }

  bool Write(size_t offset, const void* data, size_t size) const;
  bool Read(size_t offset, void* data, size_t size) const;

private:
  KernelHandle m_process;
  void* m_pAddress = nullptr;
};
