/*
 * Resource ids shared by the C++ sources and norvane.rc.
 *
 * Only plain #defines: windres runs this file through the preprocessor
 * too, so no casts, enums or C++ syntax may appear here.
 *
 * Control ids are per dialog, so some numbers appear under two names
 * (1014 and 1015): each name says which dialog's control it means.
 */
#ifndef NORVANE_RESOURCE_H
#define NORVANE_RESOURCE_H

#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

/* Dialog templates */
#define IDD_MANAGER                     102
#define IDD_GENERAL                     129
#define IDD_SCREENSAVERS                130
#define IDD_ABOUT                       131
#define IDD_ADDITIONAL                  132

/* Menu, icons, bitmap, cursor.  The tray icon's id doubles as its menu id,
 * which is why the menu and the main icon share 128. */
#define IDR_TRAYMENU                    128
#define IDR_MAINFRAME                   128
#define IDI_FORBIDDEN                   133
#define IDB_MONITOR                     132
/* The monitor picture for 120, 144, 168 and 192 DPI */
#define IDB_MONITOR_120                 134
#define IDB_MONITOR_144                 135
#define IDB_MONITOR_168                 136
#define IDB_MONITOR_192                 137
#define IDC_HAND_CURSOR                 4511

/* Geometry of the monitor picture at 96 DPI: the preview host is laid over
 * exactly this black rectangle of IDB_MONITOR, so the bitmap and the code
 * must agree on it.  At other scales each measure is MulDiv(n, dpi, 96). */
#define MONITOR_SCREEN_LEFT             11
#define MONITOR_SCREEN_TOP              15
#define MONITOR_SCREEN_WIDTH            152
#define MONITOR_SCREEN_HEIGHT           112
#define MONITOR_PICTURE_WIDTH           177
#define MONITOR_PICTURE_HEIGHT          159

/* Tray menu commands */
#define ID_TRAY_CLOSE                   32772
#define ID_TRAY_ABOUT                   32773
#define ID_TRAY_ALLOW                   32774
#define ID_TRAY_FORBID                  32775
#define ID_TRAY_OPEN_MANAGER            32776

/* Main window (IDD_MANAGER); IDOK is "Hide Manager", IDCANCEL is hidden */
#define IDC_TAB                         1006
#define IDC_HELPBTN                     1007

/* Screensaver Settings page (IDD_SCREENSAVERS) */
#define IDC_SETTINGS                    1003
#define IDC_PREVIEW                     1004
#define IDC_MONITOR                     1005
#define IDC_SCREENSAVER_LIST            1009
#define IDC_PREVIEW_HOST                1010
#define IDC_PATH                        1011
#define IDC_WAIT_MINUTES                1019
#define IDC_WAIT_SPIN                   1020

/* Additional Screensavers page (IDD_ADDITIONAL) */
#define IDC_ADDITIONAL_LIST             1015
#define IDC_SEARCH                      1016
#define IDC_DELETE                      1017
#define IDC_BROWSE                      1018

/* General Settings page (IDD_GENERAL) */
#define IDC_START_WITH_WINDOWS          1000
#define IDC_MAKE_DEFAULT                1001
#define IDC_SHOW_TRAY_ICON              1002
#define IDC_STARTUP_TEXT                1014
#define IDC_DEFAULT_TEXT                1015
#define IDC_POLICY_TEXT                 1021

/* About page (IDD_ABOUT) */
#define IDC_LINK_MAKER                  1012
#define IDC_LINK_DOWNLOAD               1013
#define IDC_LINK_PRODUCT                1014

/* Strings.  57344 (0xE000) is where the framework looks for the
 * application title. */
#define IDS_APP_TITLE                   57344

/* ShellExecute failure messages, one per documented return code; the
 * comment gives the code each one explains. */
#define IDS_LAUNCH_OUT_OF_RESOURCES     4571    /* 0  */
#define IDS_LAUNCH_FILE_NOT_FOUND       4572    /* 2  */
#define IDS_LAUNCH_PATH_NOT_FOUND       4573    /* 3  */
#define IDS_LAUNCH_ACCESS_DENIED        4574    /* 5  */
#define IDS_LAUNCH_OUT_OF_MEMORY        4575    /* 8  */
#define IDS_LAUNCH_BAD_FORMAT           4576    /* 11 */
#define IDS_LAUNCH_SHARE_VIOLATION      4577    /* 26 */
#define IDS_LAUNCH_ASSOC_INCOMPLETE     4578    /* 27 */
#define IDS_LAUNCH_DDE_TIMEOUT          4579    /* 28 */
#define IDS_LAUNCH_DDE_FAIL             4580    /* 29 */
#define IDS_LAUNCH_DDE_BUSY             4581    /* 30 */
#define IDS_LAUNCH_NO_ASSOCIATION       4582    /* 31 */
#define IDS_LAUNCH_DLL_NOT_FOUND        4583    /* 32 */
#define IDS_LAUNCH_UNKNOWN              4584    /* any other; takes %d */

#endif /* NORVANE_RESOURCE_H */
