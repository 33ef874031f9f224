// The loader's threads. Each build owns its job together with its thread, so
// an abandoned build can finish at its own pace while the page and its
// window are long gone; it touches nothing but its entries and their files.
#include "pages/catalogue_loader.h"

#include "catalogue/catalogue.h"

#include <atomic>
#include <thread>

struct CCatalogueLoader::Job {
  WPARAM id = 0;
  CScreensaverArray list;
  std::atomic<bool> abandoned{false};
  std::atomic<bool> done{false};
};

namespace {

// Entries named already keep their names. False when the build was
// abandoned on the way.
bool NameSortAndDeduplicate(CScreensaverArray& list, const std::atomic<bool>& abandoned) {
  for (ScreensaverInfo& entry : list) {
    if (abandoned)
      return false;
    if (entry.strName.empty())
      entry.strName = GetScreensaverDisplayName(entry.strPath, &abandoned);
  }
  if (abandoned)
    return false;
  SortByDisplayName(list);
  RemoveDuplicatePaths(list);
  return true;
}

} // namespace

CCatalogueLoader::~CCatalogueLoader() {
  if (m_job)
    m_job->abandoned = true;
}

void CCatalogueLoader::Start(CScreensaverArray entries) {
  if (m_job)
    m_job->abandoned = true;
  m_job = std::make_shared<Job>();
  m_job->id = m_nNextId++;
  m_job->list = std::move(entries);
  std::thread([job = m_job, target = m_target, msg = m_doneMsg] {
    // Out of memory for names of a huge list: the page shows none rather
    // than the process ending.
    try {
      if (!NameSortAndDeduplicate(job->list, job->abandoned))
        return;
    } catch (...) {
      job->list.clear();
    }
    job->done = true;
    PostMessageA(target, msg, job->id, 0);
  }).detach();
}

bool CCatalogueLoader::Take(WPARAM announcement, CScreensaverArray& list) {
  if (!m_job || m_job->id != announcement || !m_job->done)
    return false;
  list = std::move(m_job->list);
  m_job.reset();
  return true;
}
