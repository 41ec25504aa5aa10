#include "gui_driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace gui {

namespace {

struct DialogSearch {
    DWORD id;
    bool byProcess;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<DialogSearch*>(param);
    DWORD processId = 0;
    const DWORD threadId = ::GetWindowThreadProcessId(window, &processId);
    if ((search.byProcess ? processId : threadId) == search.id && ::IsWindowVisible(window)
        && ClassName(window) == L"#32770")
        search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> Dialogs(DWORD id, bool byProcess)
{
    DialogSearch search{id, byProcess, {}};
    ::EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForDialog(DWORD id, bool byProcess, HWND owner, const wchar_t* caption)
{
    HWND result = nullptr;
    WaitUntil([&] {
        for (HWND window : Dialogs(id, byProcess)) {
            if ((!owner || ::GetWindow(window, GW_OWNER) == owner) && (!caption || Text(window) == caption)) {
                result = window;
                return true;
            }
        }
        return false;
    });
    return result;
}

// Ends whatever the thread still shows, innermost window first.
void CloseLeftovers(DWORD threadId, const std::atomic<bool>& done)
{
    while (!WaitUntil([&] { return done.load(); }, 1000)) {
        std::vector<HWND> open = ThreadDialogs(threadId);
        ADD_FAILURE() << open.size() << " window(s) left open by the test";
        for (HWND window : open)
            ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        if (open.empty())
            return;
    }
}

}  // namespace

void RunWithDriver(const std::function<void()>& showDialog, const std::function<void()>& drive)
{
    const DWORD uiThread = ::GetCurrentThreadId();
    std::atomic<bool> done = false;
    std::thread driver([&] {
        drive();
        CloseLeftovers(uiThread, done);
    });
    showDialog();
    done = true;
    driver.join();
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (::GetTickCount64() > end)
            return false;
        ::Sleep(10);
    }
    return true;
}

std::vector<HWND> ThreadDialogs(DWORD threadId)
{
    return Dialogs(threadId, false);
}

std::vector<HWND> ProcessDialogs(DWORD processId)
{
    return Dialogs(processId, true);
}

HWND WaitForThreadDialog(DWORD threadId, HWND owner, const wchar_t* caption)
{
    return WaitForDialog(threadId, false, owner, caption);
}

HWND WaitForProcessDialog(DWORD processId, HWND owner, const wchar_t* caption)
{
    return WaitForDialog(processId, true, owner, caption);
}

bool WaitForClosed(HWND window)
{
    return WaitUntil([&] { return !::IsWindow(window); });
}

std::wstring Text(HWND window)
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassName(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

std::wstring MessageBoxText(HWND box)
{
    return Text(::GetDlgItem(box, 0xFFFF));
}

HICON MessageBoxIcon(HWND box)
{
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && ClassName(child) == L"Static")
            return reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
    }
    return nullptr;
}

void Press(HWND dialog, int id)
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void PressKey(WORD vk, WORD modifier)
{
    std::vector<INPUT> inputs;
    auto key = [&](WORD code, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (modifier)
        key(modifier, 0);
    key(vk, 0);
    key(vk, KEYEVENTF_KEYUP);
    if (modifier)
        key(modifier, KEYEVENTF_KEYUP);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool Activate(HWND window)
{
    return WaitUntil([&] {
        if (::GetForegroundWindow() == window)
            return true;
        ::SetForegroundWindow(window);
        return false;
    });
}

HWND FocusOf(DWORD threadId)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

std::wstring WindowsPath(const std::string& path)
{
    std::wstring result = path.starts_with('/') ? L"Z:" : L"";
    for (char c : path)
        result += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return result;
}

}  // namespace gui
