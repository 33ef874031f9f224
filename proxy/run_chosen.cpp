// Starting the chosen screensaver and the manager.
#include "proxy/run_chosen.h"

#include "catalogue/settings.h"
#include "framework/app.h"
#include "framework/handle.h"
#include "proxy/choice.h"

namespace {

// A job whose last handle, the proxy's, ends every process in it.
KernelHandle CreateKillOnCloseJob() {
  KernelHandle job(CreateJobObjectA(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job && !SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                      sizeof limits))
    job.reset();
  return job;
}

bool StartProgram(const std::string& path, const std::string& arguments, DWORD flags,
                  PROCESS_INFORMATION& info) {
  std::string commandLine = "\"" + path + "\"";
  if (!arguments.empty())
    commandLine += " " + arguments;
  STARTUPINFOA startup = {sizeof startup};
  info = {};
  return CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, flags, nullptr,
                        nullptr, &startup, &info) != FALSE;
}

} // namespace

bool RunScreensaver(const std::string& path, const std::string& arguments) {
  KernelHandle job = CreateKillOnCloseJob();
  PROCESS_INFORMATION info;
  // Suspended until it is in the job, so that it cannot outlive the proxy
  // even by starting processes of its own first.
  if (!StartProgram(path, arguments, CREATE_SUSPENDED, info))
    return false;
  KernelHandle process(info.hProcess), thread(info.hThread);
  if (job)
    AssignProcessToJobObject(job.get(), process.get());
  ResumeThread(thread.get());
  WaitForSingleObject(process.get(), INFINITE);
  return true;
}

void RunOneOf(CStringArray paths, const std::string& arguments) {
  while (!paths.empty()) {
    size_t pick = RandomNumber() % paths.size();
    if (RunScreensaver(paths[pick], arguments))
      return;
    paths.erase(paths.begin() + static_cast<ptrdiff_t>(pick));
  }
}

void OpenManager(HWND owner) {
  std::string folder = GetInstallDir();
  RemoveTrailingBackslashes(folder);
  std::string manager = folder + "\\Norvane.exe";
  PROCESS_INFORMATION info;
  if (!folder.empty() && StartProgram(manager, "", 0, info)) {
    KernelHandle process(info.hProcess), thread(info.hThread);
    return;
  }
  std::string where = folder.empty() ? "" : " from \"" + manager + "\"";
  AppMessageBox(owner,
                "The Norvane manager could not be started" + where +
                    ".  Install Norvane again to choose the screensavers.",
                MB_OK | MB_ICONEXCLAMATION);
}
