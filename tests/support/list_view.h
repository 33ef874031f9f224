// Reading and changing a list view of another process: the messages that
// carry pointers get their structure and text buffer inside that process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The text of column 0 of every row, in display order.
std::vector<std::string> ListRows(HWND list);
// Selects and focuses the row alone, as a click would, or clears the
// selection for row -1.
void SelectListRow(HWND list, int row);
// The selected row, or -1.
int SelectedListRow(HWND list);
// Whether the row's check box shows the checked state image.
bool ListRowChecked(HWND list, int row);
// Sets the row's check box; the list notifies its own parent as for a click.
void SetListRowChecked(HWND list, int row, bool checked);
