// The catalogue operations: the folder scan and build, display names, the two
// list files, sorting, de-duplication, and the whole pipeline that produces
// the list the user sees.
#pragma once

#include "catalogue/screensaver.h"

#include <atomic>

// Builds, names, flags, sorts and de-duplicates: the list as shown to the
// user, read afresh from the folders, the list files and version resources.
// False when a list file could not be read (see ApplyDisabledList).
bool LoadScreensaverCatalogue(CScreensaverArray& list);

// The Windows-folder entries, then the system-folder entries, then the
// additional ones; neither named, flagged, sorted nor de-duplicated. False
// when the additional list could not be read.
bool BuildScreensaverList(CScreensaverArray& list);
// Bare names of the files directly in the folder whose names end in one of
// the extensions ("|"-separated, any case); ".*" alone takes every file.
void FindFilesByExtension(std::string folder, const std::string& extensions, CStringArray& names);
// True for names of the proxy screensaver, which is never a catalogue entry.
bool NamesProxyScreensaver(const std::string& text);

void SortByDisplayName(CScreensaverArray& list);
int CompareDisplayNames(const ScreensaverInfo& a, const ScreensaverInfo& b);
// Keeps the first of every group of entries with equal paths, in order;
// true when anything was removed.
bool RemoveDuplicatePaths(CScreensaverArray& list);

void AssignDisplayNames(CScreensaverArray& list);
// The version resource's description, product or internal name, or else a
// name made from the file name; given up half-way, for a file-name name, as
// soon as `abandoned` turns true.
std::string GetScreensaverDisplayName(const std::string& path,
                                      const std::atomic<bool>* abandoned = nullptr);
// The file name without its folder and without a ".scr" ending.
std::string GetScreensaverTitle(const std::string& path);
// Cuts one trailing " screensaver" or " screen saver", in any case.
std::string StripScreensaverSuffix(std::string name);

// The list files in the installation folder. A reader returns false when
// the file is there but could not be read (another process kept it open):
// it then gives no entries, or checks every entry, and nothing it gave may
// be written back. A writer returns false, with the file as it was and the
// reason as the last error, when the file could not be replaced.
bool ReadAdditionalScreensavers(CScreensaverArray& list);
bool WriteAdditionalScreensavers(const CStringArray& paths);
// Unchecks the entries named in the disabled list and checks all others.
bool ApplyDisabledList(CScreensaverArray& list);
bool WriteDisabledScreensavers(const CScreensaverArray& list);
// When the disabled list leaves no entry checked (the only checked one was
// deleted or its file went), all count as checked, as the proxy then takes
// them all: the list file is left as the user wrote it.
void CheckAllWhenNoneChecked(CScreensaverArray& list);
// The catalogue `known` brought up to date with the list files alone, into
// `list`: the folders' entries and the additional ones still listed keep
// their names and order, newly listed paths follow unnamed, and the checks
// follow the disabled list. False when a list file could not be read.
bool UpdateFromListFiles(const CScreensaverArray& known, CScreensaverArray& list);
