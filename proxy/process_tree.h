// Following a screensaver's processes without a job of the proxy's: where
// the proxy runs inside a job that takes no job inside it and lets no
// process leave, the processes the screensaver starts are found by their
// parent's id. Each one found is held open, so that its id cannot pass to
// another process while the tree is followed.
#pragma once

#include "framework/handle.h"

#include <windows.h>

#include <vector>

class CProcessTree {
public:
  // The root is the screensaver; the tree holds a handle of its own to it.
  CProcessTree(HANDLE root, DWORD rootId);
  // Ends every process of the tree that still runs.
  ~CProcessTree();
  CProcessTree(const CProcessTree&) = delete;
  CProcessTree& operator=(const CProcessTree&) = delete;

  // Takes in the processes started since the last look by any of the tree;
  // true while any process of the tree runs.
  bool Update();

private:
  struct Member {
    DWORD id;
    ULONGLONG created;
    KernelHandle process;
  };
  bool AddChild(DWORD id, DWORD parentId);

  std::vector<Member> m_members;
};
