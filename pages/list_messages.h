// What the pages tell the user when a list file could not be read or
// replaced: the change the user just made is undone, and the message says
// why.
#pragma once

#include <windows.h>

// `list` names the list as the sentence needs it: "checked screensavers".
void ShowListBusy(HWND owner, const char* list);
// For a write that failed with this error: the busy message when another
// program held the file, otherwise one that gives the system's reason.
void ShowListNotSaved(HWND owner, const char* list, DWORD error);
