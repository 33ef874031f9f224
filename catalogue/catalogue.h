// The catalogue operations: the folder scan and build, display names, the two
// list files, sorting, de-duplication, and the whole pipeline that produces
// the list the user sees.
#pragma once

#include "catalogue/screensaver.h"

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
// name made from the file name.
std::string GetScreensaverDisplayName(const std::string& path);
// The file name without its folder and without a ".scr" ending.
std::string GetScreensaverTitle(const std::string& path);
// Cuts one trailing " screensaver" or " screen saver", in any case.
std::string StripScreensaverSuffix(std::string name);

// The list files in the installation folder. A reader returns false when
// the file is there but could not be read (another process kept it open):
// it then gives no entries, or checks every entry, and nothing it gave may
// be written back.
bool ReadAdditionalScreensavers(CScreensaverArray& list);
void WriteAdditionalScreensavers(const CStringArray& paths);
// Unchecks the entries named in the disabled list and checks all others.
bool ApplyDisabledList(CScreensaverArray& list);
void WriteDisabledScreensavers(const CScreensaverArray& list);
