#pragma once

#include <windows.h>

#include <functional>

#include "expected_dialogs.h"

// Checks of a real dialog window against what its template must give.
void ExpectControls(HWND dialog, const ExpectedDialog& layout);
// Rectangle of window in the client coordinates of dialog.
RECT RectIn(HWND dialog, HWND window);
RECT DialogUnitsRect(HWND dialog, short x, short y, short cx, short cy);
HICON IconOf(HWND window);

// Runs the program's main dialog as InitInstance does, with drive working it
// from a second thread; returns the dialog's end code.
INT_PTR RunMainDialog(const std::function<void(HWND main)>& drive);
