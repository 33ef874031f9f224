// The slow part of a catalogue build, off the window's thread: naming every
// entry reads its file's version resource, which takes minutes for lists of
// many thousands of lines or a slow network share. The window answers
// meanwhile and shows the result when it is announced.
#pragma once

#include "catalogue/screensaver.h"

#include <windows.h>

#include <memory>

class CCatalogueLoader {
public:
  // Each finished build is announced by posting `doneMsg` to `target`.
  CCatalogueLoader(HWND target, UINT doneMsg) : m_target(target), m_doneMsg(doneMsg) {}
  // A build still running is abandoned: it announces nothing.
  ~CCatalogueLoader();
  CCatalogueLoader(const CCatalogueLoader&) = delete;
  CCatalogueLoader& operator=(const CCatalogueLoader&) = delete;

  // Names the unnamed entries, sorts and de-duplicates them on a thread of
  // its own, abandoning the build before, whose files may have changed
  // since.
  void Start(CScreensaverArray entries);
  // The result that the announcement with this wParam brings; false for an
  // announcement of an abandoned build.
  bool Take(WPARAM announcement, CScreensaverArray& list);

private:
  struct Job;

  HWND m_target;
  UINT m_doneMsg;
  std::shared_ptr<Job> m_job;
  WPARAM m_nNextId = 1;
};
