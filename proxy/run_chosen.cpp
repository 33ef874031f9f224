// Starting the chosen screensaver and waiting for it, and everything it
// started, to end.
#include "proxy/run_chosen.h"

#include "catalogue/path_set.h"
#include "common/saver_command.h"
#include "framework/handle.h"
#include "proxy/choice.h"
#include "proxy/process_tree.h"
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

// Whether the job the proxy runs in, if any, lets a process started with
// CREATE_BREAKAWAY_FROM_JOB leave it.
bool OuterJobAllowsBreakaway() {
  BOOL inJob = FALSE;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  return IsProcessInJob(GetCurrentProcess(), nullptr, &inJob) && inJob &&
         QueryInformationJobObject(nullptr, JobObjectExtendedLimitInformation, &limits,
                                   sizeof limits, nullptr) &&
         (limits.BasicLimitInformation.LimitFlags & JOB_OBJECT_LIMIT_BREAKAWAY_OK);
}

// A full-screen run ends with the user's input. What the screensaver left
// behind when it ended may keep the proxy for as long as the user is away,
// but not for longer than this once the screensaver has ended and input
// has come.
const DWORD kLeftoverMs = 10000;
const DWORD kPollMs = 250;

class LeftoverDeadline {
public:
  LeftoverDeadline(HANDLE screensaver, bool fullScreen)
      : m_screensaver(screensaver), m_bFullScreen(fullScreen), m_start(GetTickCount()) {}

  bool Passed() {
    if (!m_bFullScreen)
      return false;
    if (!m_bEnded) {
      if (WaitForSingleObject(m_screensaver, 0) != WAIT_OBJECT_0)
        return false;
      m_bEnded = true;
      m_ended = GetTickCount();
    }
    LASTINPUTINFO input = {sizeof input};
    if (!GetLastInputInfo(&input) || !After(input.dwTime, m_start))
      return false;
    DWORD since = After(input.dwTime, m_ended) ? input.dwTime : m_ended;
    return GetTickCount() - since > kLeftoverMs;
  }

private:
  // Tick counts wrap after 49 days; their difference does not.
  static bool After(DWORD a, DWORD b) { return static_cast<LONG>(a - b) > 0; }

  HANDLE m_screensaver;
  bool m_bFullScreen;
  DWORD m_start;
  bool m_bEnded = false;
  DWORD m_ended = 0;
};

// Waits until the job holds no process. The port's message is the signal;
// the count is asked now and then as well, so that a message the port
// never delivered cannot keep the proxy waiting.
void WaitForEmptyJob(const Job& job, LeftoverDeadline& deadline) {
  while (!deadline.Passed()) {
    DWORD message = 0;
    ULONG_PTR key = 0;
    OVERLAPPED* overlapped = nullptr;
    if (!job.port)
      Sleep(kPollMs);
    else if (GetQueuedCompletionStatus(job.port.get(), &message, &key, &overlapped, kPollMs)) {
      if (message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO)
        return;
    } else if (GetLastError() != WAIT_TIMEOUT)
      return;
    if (ActiveProcesses(job.job.get()) == 0)
      return;
  }
}

void WaitForTree(CProcessTree& tree, LeftoverDeadline& deadline) {
  while (tree.Update() && !deadline.Passed())
    Sleep(kPollMs);
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
  // A job the proxy was started in may take no job inside it (as before
  // Windows 8); where it lets processes leave, the screensaver is started
  // again outside it, before it has run a single instruction.
  if (!inJob && job.job && OuterJobAllowsBreakaway()) {
    PROCESS_INFORMATION outside;
    if (StartProgram(path, arguments, CREATE_SUSPENDED | CREATE_BREAKAWAY_FROM_JOB, outside)) {
      KernelHandle outsideProcess(outside.hProcess), outsideThread(outside.hThread);
      if (AssignProcessToJobObject(job.job.get(), outsideProcess.get())) {
        std::swap(process, outsideProcess);
        std::swap(thread, outsideThread);
        info = outside;
        inJob = true;
      }
      // Of the two, the one not run is ended before it ever ran.
      TerminateProcess(outsideProcess.get(), 0);
    }
  }
  // Windows gave the proxy the right to come to the front; the screensaver
  // needs it for its own window.
  AllowSetForegroundWindow(info.dwProcessId);
  started();
  ResumeThread(thread.get());
  // A screensaver may be a small starter that runs the real one and ends:
  // the proxy lasts as long as any of them.
  LeftoverDeadline deadline(process.get(), ParseScreensaverArguments(arguments).chSwitch == 's');
  if (inJob) {
    WaitForEmptyJob(job, deadline);
  } else {
    CProcessTree tree(process.get(), info.dwProcessId);
    WaitForTree(tree, deadline);
  }
  return true;
}

void RunOneOf(CStringArray paths, bool listsRead, const std::string& arguments) {
  ScreensaverRound round = LoadRound();
  // A list file that could not be read says nothing of the user's choice:
  // the round as stored still does, and only what it holds is recorded.
  bool keepRound = true;
  if (!listsRead) {
    CStringArray members = RoundMembers(round);
    keepRound = !members.empty();
    if (keepRound)
      paths = std::move(members);
  }
  AdaptRound(round, paths);
  CStringArray failed;
  while (!round.remaining.empty()) {
    size_t pick = PickFromRound(round, RandomNumber());
    std::string path = round.remaining[pick];
    // The round is stored before the wait: Windows ends the proxy of a
    // preview without a word.
    if (RunScreensaver(path, arguments, [&] {
          MarkRun(round, pick);
          if (keepRound)
            SaveRound(round);
        }))
      return;
    // Left out of this run; it joins the round again once it starts. Once
    // the round runs short it is brought up to the others, which may start
    // it afresh.
    round.remaining.erase(round.remaining.begin() + static_cast<ptrdiff_t>(pick));
    failed.push_back(path);
    if (round.remaining.size() <= 1) {
      CPathSet left(failed);
      paths.erase(std::remove_if(paths.begin(), paths.end(),
                                 [&](const std::string& entry) { return left.Contains(entry); }),
                  paths.end());
      failed.clear();
      AdaptRound(round, paths);
    }
  }
}
