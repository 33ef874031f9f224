// The round of screensavers and where it is kept. Paths are stored joined
// by '|', a character that no Windows path can hold.
#include "proxy/round.h"

#include "framework/app.h"

#include <algorithm>

namespace {

const char kSection[] = "Proxy";

bool Holds(const CStringArray& paths, const std::string& path) {
  return std::any_of(paths.begin(), paths.end(),
                     [&](const std::string& entry) { return PathsEqual(entry, path); });
}

void KeepOnly(CStringArray& paths, const CStringArray& allowed) {
  paths.erase(std::remove_if(paths.begin(), paths.end(),
                             [&](const std::string& path) { return !Holds(allowed, path); }),
              paths.end());
}

std::string Join(const CStringArray& paths) {
  std::string text;
  for (const std::string& path : paths)
    text += (text.empty() ? "" : "|") + path;
  return text;
}

CStringArray ReadPaths(const char* entry) {
  CStringArray paths;
  SplitString(AfxGetApp()->GetProfileString(kSection, entry, ""), paths, '|');
  paths.erase(std::remove(paths.begin(), paths.end(), std::string()), paths.end());
  return paths;
}

} // namespace

void AdaptRound(ScreensaverRound& round, const CStringArray& checked) {
  KeepOnly(round.remaining, checked);
  KeepOnly(round.done, checked);
  for (const std::string& path : checked)
    if (!Holds(round.remaining, path) && !Holds(round.done, path))
      round.remaining.push_back(path);
  bool onlyLast = round.remaining.size() == 1 && PathsEqual(round.remaining[0], round.last) &&
                  checked.size() > 1;
  if (round.remaining.empty() || onlyLast) {
    round.remaining = checked;
    round.done.clear();
  }
}

size_t PickFromRound(const ScreensaverRound& round, unsigned random) {
  std::vector<size_t> choices;
  for (size_t i = 0; i < round.remaining.size(); ++i)
    if (!PathsEqual(round.remaining[i], round.last))
      choices.push_back(i);
  if (choices.empty())
    return random % round.remaining.size();
  return choices[random % choices.size()];
}

void MarkRun(ScreensaverRound& round, size_t index) {
  round.last = round.remaining[index];
  round.done.push_back(round.last);
  round.remaining.erase(round.remaining.begin() + static_cast<ptrdiff_t>(index));
}

ScreensaverRound LoadRound() {
  ScreensaverRound round;
  round.remaining = ReadPaths("Remaining");
  round.done = ReadPaths("Done");
  round.last = AfxGetApp()->GetProfileString(kSection, "Last", "");
  return round;
}

void SaveRound(const ScreensaverRound& round) {
  CWinApp* app = AfxGetApp();
  app->WriteProfileString(kSection, "Remaining", Join(round.remaining).c_str());
  app->WriteProfileString(kSection, "Done", Join(round.done).c_str());
  app->WriteProfileString(kSection, "Last", round.last.c_str());
}
