#include "command_driver.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

#include "app/resource.h"
#include "gui_driver.h"
#include "window_checks.h"

namespace {

struct ChildSearch {
    const wchar_t* className;
    HWND found = nullptr;
};

BOOL CALLBACK FindChildOfClass(HWND child, LPARAM param)
{
    auto& search = *reinterpret_cast<ChildSearch*>(param);
    if (gui::ClassName(child) != search.className)
        return TRUE;
    search.found = child;
    return FALSE;
}

HWND DescendantOfClass(HWND parent, const wchar_t* className)
{
    ChildSearch search{className};
    ::EnumChildWindows(parent, &FindChildOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The file-name box: the edit box inside combo box cmb13 in Explorer-style
// dialogs, edit box edt1 in others.
HWND FileNameBox(HWND fileDialog)
{
    const HWND combo = ::GetDlgItem(fileDialog, 0x47C);
    return combo ? DescendantOfClass(combo, L"Edit") : ::GetDlgItem(fileDialog, 0x480);
}

std::string AnsiText(HWND window)
{
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

HWND OwnedDialog(DWORD thread, HWND owner)
{
    for (HWND window : gui::ThreadDialogs(thread)) {
        if (::GetWindow(window, GW_OWNER) == owner)
            return window;
    }
    return nullptr;
}

}  // namespace

MainDialogDriver::MainDialogDriver(HWND main) : m_hMain(main), m_uiThread(::GetWindowThreadProcessId(main, nullptr)) {}

// One thread for the whole run sends what must not hold up the driver, one
// message after the other: Wine 8 now and then crashes when a thread that
// has sent messages to windows ends while they are open.
class AsideSender {
public:
    static AsideSender& Instance()
    {
        static AsideSender* sender = new AsideSender;  // never ends
        return *sender;
    }

    void Send(std::function<void()> job)
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
        m_wake.notify_one();
    }

private:
    AsideSender()
    {
        std::thread([this] { Run(); }).detach();
    }

    [[noreturn]] void Run()
    {
        for (;;) {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return !m_jobs.empty(); });
            const std::function<void()> job = std::move(m_jobs.front());
            m_jobs.pop_front();
            lock.unlock();
            job();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
};

void MainDialogDriver::SendAside(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto handled = std::make_shared<std::atomic<bool>>(false);
    m_handled = handled;
    AsideSender::Instance().Send([=] {
        ::SendMessageW(window, message, wParam, lParam);
        *handled = true;
    });
}

void MainDialogDriver::Click(int button)
{
    SendAside(::GetDlgItem(m_hMain, button), BM_CLICK, 0, 0);
}

void MainDialogDriver::Command(int button)
{
    SendAside(m_hMain, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hMain, button)));
}

// A modal window of the dialog's disables it as soon as it is created.
void MainDialogDriver::Settle() const
{
    EXPECT_TRUE(gui::WaitUntil([&] { return !m_handled || *m_handled || !::IsWindowEnabled(m_hMain); }));
}

bool MainDialogDriver::Idle() const
{
    Settle();
    return ::IsWindowEnabled(m_hMain) && gui::ThreadDialogs(m_uiThread) == std::vector<HWND>{m_hMain};
}

HWND MainDialogDriver::WaitForFileDialog() const
{
    HWND found = nullptr;
    gui::WaitUntil([&] {
        found = OwnedDialog(m_uiThread, m_hMain);
        return found && FileNameBox(found);
    });
    return found && FileNameBox(found) ? found : nullptr;
}

void MainDialogDriver::TypeFileName(HWND fileDialog, const std::string& path)
{
    ::SendMessageA(FileNameBox(fileDialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
}

void MainDialogDriver::ChooseFile(HWND fileDialog, const std::string& path)
{
    TypeFileName(fileDialog, path);
    gui::Press(fileDialog, IDOK);
}

void MainDialogDriver::Cancel(HWND dialog)
{
    gui::Press(dialog, IDCANCEL);
    EXPECT_TRUE(gui::WaitForClosed(dialog));
}

void MainDialogDriver::Open(const std::string& path)
{
    Click(IDC_BUTTON_OPEN);
    const HWND dialog = WaitForFileDialog();
    ASSERT_NE(dialog, nullptr) << "no Open dialog";
    ChooseFile(dialog, path);
    EXPECT_TRUE(gui::WaitForClosed(dialog));
    Settle();
}

bool MainDialogDriver::Save(const std::string& path)
{
    Click(IDC_BUTTON_SAVE);
    const HWND dialog = WaitForFileDialog();
    EXPECT_NE(dialog, nullptr) << "no Save dialog";
    if (!dialog)
        return false;
    ChooseFile(dialog, path);
    HWND question = nullptr;
    gui::WaitUntil([&] { return !::IsWindow(dialog) || (question = OwnedDialog(m_uiThread, dialog)) != nullptr; });
    if (question) {
        gui::Press(question, IDYES);
        EXPECT_TRUE(gui::WaitForClosed(question));
    }
    EXPECT_TRUE(gui::WaitForClosed(dialog));
    Settle();
    return question != nullptr;
}

void MainDialogDriver::Change(const std::string& source, const std::string& target)
{
    SetBoxText(IDC_EDIT_SOURCE, source);
    SetBoxText(IDC_EDIT_TARGET, target);
    Click(IDC_BUTTON_CHANGE);
    Settle();
}

MainDialogDriver::Message MainDialogDriver::TakeMessage(HWND owner) const
{
    const HWND box = gui::WaitForThreadDialog(m_uiThread, owner ? owner : m_hMain);
    if (!box || !::GetDlgItem(box, 0xFFFF)) {
        ADD_FAILURE() << "no message box";
        return {};
    }
    Message message{AnsiText(::GetDlgItem(box, 0xFFFF)), gui::MessageBoxIcon(box)};
    gui::Press(box, IDOK);
    EXPECT_TRUE(gui::WaitForClosed(box));
    return message;
}

std::vector<std::string> MainDialogDriver::List() const
{
    const HWND list = ::GetDlgItem(m_hMain, IDC_LIST_TEXTURES);
    std::vector<std::string> entries;
    const auto count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
        std::string entry(static_cast<std::size_t>(::SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        entry.resize(static_cast<std::size_t>(::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
        entries.push_back(entry);
    }
    return entries;
}

std::string MainDialogDriver::BoxText(int id) const
{
    return AnsiText(::GetDlgItem(m_hMain, id));
}

void MainDialogDriver::SetBoxText(int id, const std::string& text) const
{
    ::SendMessageA(::GetDlgItem(m_hMain, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void MainDialogDriver::Type(int id, const std::string& text) const
{
    for (char c : text)
        ::SendMessageA(::GetDlgItem(m_hMain, id), WM_CHAR, static_cast<unsigned char>(c), 0);
}

void MainDialogDriver::Select(int index) const
{
    ::SendMessageW(::GetDlgItem(m_hMain, IDC_LIST_TEXTURES), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int MainDialogDriver::Selection() const
{
    return static_cast<int>(::SendMessageW(::GetDlgItem(m_hMain, IDC_LIST_TEXTURES), LB_GETCURSEL, 0, 0));
}

void MainDialogDriver::DoubleClick(int index)
{
    Select(index);
    const HWND list = ::GetDlgItem(m_hMain, IDC_LIST_TEXTURES);
    SendAside(m_hMain, WM_COMMAND, MAKEWPARAM(IDC_LIST_TEXTURES, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
}

INT_PTR DriveMainDialog(const std::function<void(MainDialogDriver& dialog)>& drive)
{
    return RunMainDialog([&](HWND main) {
        MainDialogDriver dialog(main);
        drive(dialog);
        if (::IsWindow(main)) {
            gui::Press(main, IDCANCEL);
            EXPECT_TRUE(gui::WaitForClosed(main));
        }
    });
}

INT_PTR DriveMainDialogWithModel(const std::string& path, const std::function<void(MainDialogDriver& dialog)>& drive)
{
    return DriveMainDialog([&](MainDialogDriver& dialog) {
        dialog.Open(path);
        EXPECT_TRUE(dialog.Idle());
        drive(dialog);
    });
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
