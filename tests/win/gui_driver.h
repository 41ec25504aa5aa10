#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Helpers for tests that drive real windows from a second thread while the
// test's own thread runs a modal dialog, as the program does.
namespace gui {

constexpr DWORD kTimeoutMs = 5000;

// Runs showDialog on this thread while drive runs on a second one. Windows
// of this thread still open after drive has returned are a failure and are
// closed, so a failing test never hangs.
void RunWithDriver(const std::function<void()>& showDialog, const std::function<void()>& drive);

// Polls until condition holds; false after timeoutMs.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kTimeoutMs);

// The visible dialog-class windows (dialogs, message boxes) of a thread or a process.
std::vector<HWND> ThreadDialogs(DWORD threadId);
std::vector<HWND> ProcessDialogs(DWORD processId);
// Waits for a visible dialog-class window of the thread owned by owner (any
// owner when null) with the caption given (any when null); null on timeout.
HWND WaitForThreadDialog(DWORD threadId, HWND owner, const wchar_t* caption = nullptr);
HWND WaitForProcessDialog(DWORD processId, HWND owner, const wchar_t* caption = nullptr);
// Waits until window is gone.
bool WaitForClosed(HWND window);

std::wstring Text(HWND window);
std::wstring ClassName(HWND window);
// The text of a message box.
std::wstring MessageBoxText(HWND box);
// The icon a message box shows, or null.
HICON MessageBoxIcon(HWND box);
// Ends a message box or dialog as its button id would.
void Press(HWND dialog, int id);

// Keyboard input as the user gives it, to the foreground window's focus.
void PressKey(WORD vk, WORD modifier = 0);
// Makes window the foreground window and waits until it is.
bool Activate(HWND window);
HWND FocusOf(DWORD threadId);

// A Windows path for a path of this machine as Wine sees it.
std::wstring WindowsPath(const std::string& path);

}  // namespace gui
