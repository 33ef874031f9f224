// Reading and selecting the rows of a list view in another process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The text of column 0 of every row, in display order.
std::vector<std::string> ListRows(HWND list);
// Selects and focuses one row, as a click would.
void SelectListRow(HWND list, int row);
// The selected row, or -1.
int SelectedListRow(HWND list);
