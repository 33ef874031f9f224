// The round of screensavers and where it is kept. Paths are stored joined
// by '|', a character that no Windows path can hold. The checked set may
// hold a hundred thousand paths, so paths are looked up in a set, never by
// walking a list for each path.
#include "proxy/round.h"

#include "catalogue/path_set.h"
#include "framework/app.h"

#include <algorithm>

namespace {

const char kSection[] = "Proxy";

// Each path once, in the order first met.
CStringArray Distinct(const CStringArray& paths) {
  CPathSet seen;
  CStringArray distinct;
  for (const std::string& path : paths)
    if (seen.Insert(path))
      distinct.push_back(path);
  return distinct;
}

std::string Join(const CStringArray& paths) {
  size_t length = 0;
  for (const std::string& path : paths)
    length += path.size() + 1;
  std::string text;
  text.reserve(length);
  for (const std::string& path : paths) {
    if (!text.empty())
      text += '|';
    text += path;
  }
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
  CPathSet isMember, isDone;
  CStringArray members;
  for (const std::string& path : checked)
    if (isMember.Insert(path))
      members.push_back(path);
  CStringArray done;
  for (const std::string& path : round.done)
    if (isMember.Contains(path) && isDone.Insert(path))
      done.push_back(path);
  round.done = std::move(done);
  // What remains follows from the checked set and the done ones alone, so
  // no repeat or stray name in the stored list can make one run twice.
  round.remaining.clear();
  for (const std::string& path : members)
    if (!isDone.Contains(path))
      round.remaining.push_back(path);
  bool onlyLast = round.remaining.size() == 1 && PathsEqual(round.remaining[0], round.last) &&
                  members.size() > 1;
  if (round.remaining.empty() || onlyLast) {
    round.remaining = std::move(members);
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

CStringArray RoundMembers(const ScreensaverRound& round) {
  CStringArray members = round.remaining;
  members.insert(members.end(), round.done.begin(), round.done.end());
  return Distinct(members);
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
