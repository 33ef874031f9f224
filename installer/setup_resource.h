/*
 * Resource ids of the setup program, shared by its C++ sources and setup.rc.
 * Only plain #defines: windres reads this file too.
 */
#ifndef NORVANE_SETUP_RESOURCE_H
#define NORVANE_SETUP_RESOURCE_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDI_SETUP 1

/* The installed files */
#define IDR_PAYLOAD_MANAGER 201
#define IDR_PAYLOAD_PROXY 202
#define IDR_PAYLOAD_HELP 203

/* Dialogs */
#define IDD_SETUP 101
#define IDD_FINISH 102

/* The header band that both dialogs share */
#define IDC_HEADER 1000
#define IDC_HEADER_TITLE 1001
#define IDC_HEADER_TEXT 1002
#define IDC_HEADER_ICON 1003

/* Setup dialog */
#define IDC_FOLDER 1010
#define IDC_BROWSE_FOLDER 1011

/* Finish dialog */
#define IDC_DONE_TEXT 1020
#define IDC_START_NOW 1021

#endif
