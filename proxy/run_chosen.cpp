// Starting the chosen screensaver and waiting for it, and everything it
// started, to end.
#include "proxy/run_chosen.h"

#include "framework/handle.h"
#include "proxy/choice.h"
#include "proxy/round.h"

#include <algorithm>

namespace {

// A job whose last handle, the proxy's, ends every process in it. Its
// completion port reports when the last of them has ended.
struct Job {
  KernelHandle job;
  KernelHandle port;
};

Job CreateKillOnCloseJob() {
  Job result;
  result.job.reset(CreateJobObjectA(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (result.job && !SetInformationJobObject(result.job.get(), JobObjectExtendedLimitInformation,
                                             &limits, sizeof limits))
    result.job.reset();
  if (!result.job)
    return result;
  result.port.reset(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
  JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {result.job.get(), result.port.get()};
  if (result.port &&
      !SetInformationJobObject(result.job.get(), JobObjectAssociateCompletionPortInformation,
                               &association, sizeof association))
    result.port.reset();
  return result;
}

DWORD ActiveProcesses(HANDLE job) {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
  if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting,
                                 sizeof accounting, nullptr))
    return 0;
  return accounting.ActiveProcesses;
}

// Waits until the job holds no process. The port's message is the signal;
// the count is asked now and then as well, so that a message the port
// never delivered cannot keep the proxy waiting.
void WaitForEmptyJob(const Job& job) {
  for (;;) {
    DWORD message = 0;
    ULONG_PTR key = 0;
    OVERLAPPED* overlapped = nullptr;
    BOOL got = GetQueuedCompletionStatus(job.port.get(), &message, &key, &overlapped, 1000);
    if (got && message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO)
      return;
    if (!got && GetLastError() != WAIT_TIMEOUT)
      return;
    if (ActiveProcesses(job.job.get()) == 0)
      return;
  }
}

} // namespace

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

bool RunScreensaver(const std::string& path, const std::string& arguments,
                    const std::function<void()>& started) {
  // Where the desktop's window comes from a process started by the first
  // program that asks for it (as under Wine), the proxy asks first: that
  // process must not join the screensaver's job, whose end it would
  // otherwise wait for and share.
  GetDesktopWindow();
  Job job = CreateKillOnCloseJob();
  PROCESS_INFORMATION info;
  // Suspended until it is in the job, so that it cannot outlive the proxy
  // even by starting processes of its own first.
  if (!StartProgram(path, arguments, CREATE_SUSPENDED, info))
    return false;
  KernelHandle process(info.hProcess), thread(info.hThread);
  bool inJob = job.job && AssignProcessToJobObject(job.job.get(), process.get());
  // Windows gave the proxy the right to come to the front; the screensaver
  // needs it for its own window.
  AllowSetForegroundWindow(info.dwProcessId);
  started();
  ResumeThread(thread.get());
  // A screensaver may be a small starter that runs the real one and ends:
  // the proxy lasts as long as any of them.
  if (inJob && job.port)
    WaitForEmptyJob(job);
  else
    WaitForSingleObject(process.get(), INFINITE);
  return true;
}

void RunOneOf(CStringArray paths, const std::string& arguments) {
  ScreensaverRound round = LoadRound();
  for (;;) {
    AdaptRound(round, paths);
    if (round.remaining.empty())
      return;
    size_t pick = PickFromRound(round, RandomNumber());
    std::string path = round.remaining[pick];
    // The round is stored before the wait: Windows ends the proxy of a
    // preview without a word.
    if (RunScreensaver(path, arguments, [&] {
          MarkRun(round, pick);
          SaveRound(round);
        }))
      return;
    // Left out of this run; it joins the round again once it starts.
    paths.erase(std::remove_if(paths.begin(), paths.end(),
                               [&](const std::string& entry) { return PathsEqual(entry, path); }),
                paths.end());
  }
}
