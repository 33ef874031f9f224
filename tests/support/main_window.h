// Looking into a running Norvane.exe from outside: its main window, the tab
// control and its pages, and the tray control's hidden window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The tray icon's callback message and id, as the shell uses them.
const UINT kTrayNotify = 0x89D1;
const UINT kTrayIconId = 128;

// The main dialog when it is a visible top-level window, else null.
HWND VisibleMainWindow(DWORD processId);
// Whether the dialog is parked in the tray (its parent is not the desktop).
bool IsParkedInTray(HWND dialog);
// Whether the window's centre is the centre of its monitor's work area.
bool IsCentred(HWND wnd);
// The tab labels in order, read through a buffer in the other process.
std::vector<std::string> TabLabels(HWND tab);
// The child dialog of the tab control that holds a control with this id.
HWND PageWith(HWND tab, int controlId);
// The tray control's hidden window: the one that answers a mouse move over
// the icon as handled.
HWND TrayControlWindow(DWORD processId);
// The tooltip text of a control of another process, from whichever of
// the process's tooltips holds a tool for it; empty when none does.
std::string ToolTipTextOf(HWND control);
// The window that has the keyboard focus in the thread of this window.
HWND FocusOfThread(HWND wnd);
