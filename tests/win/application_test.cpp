#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <new>
#include <string>

#include "app/main_app.h"
#include "app/resource.h"
#include "framework/dialog.h"
#include "framework/file_exception.h"
#include "gui_driver.h"
#include "model/model_format_exception.h"
#include "test_support.h"

namespace {

const DWORD kUiThread = ::GetCurrentThreadId();

std::string ModulePath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

void CloseMainDialogWhenShown()
{
    const HWND main = gui::WaitForThreadDialog(kUiThread, nullptr, L"Veltrane");
    ASSERT_NE(main, nullptr);
    gui::Press(main, IDCANCEL);
    EXPECT_TRUE(gui::WaitForClosed(main));
}

TEST(Application, StartUpSetsTheErrorModeNamesTheApplicationAndRunsTheMainDialogOnce)
{
    ::SetErrorMode(0);
    int exitCode = -1;
    gui::RunWithDriver([&] { exitCode = AfxWinMain(::GetModuleHandleW(nullptr)); }, CloseMainDialogWhenShown);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(::GetErrorMode() & (SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX),
              static_cast<UINT>(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX));
    EXPECT_EQ(theApp.m_pszAppName, "veltrane_win_tests");
    const std::string path = ModulePath();
    EXPECT_EQ(theApp.m_pszHelpFilePath, (path.substr(0, path.size() - 4) + ".HLP").c_str());
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
}

TEST(Application, InitInstanceReturnsFalseOnceTheMainDialogHasEnded)
{
    BOOL result = TRUE;
    gui::RunWithDriver([&] { result = theApp.InitInstance(); }, CloseMainDialogWhenShown);
    EXPECT_FALSE(result);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
}

// The program under another file name: message-box captions follow the name
// up to its last dot. F1 shows such a box, as help fails in the test prefix.
TEST(Application, MessageBoxCaptionIsTheExecutablesNameUpToItsLastDot)
{
    const test::TempDir dir;
    const std::string copy = dir.Path("Veltrane.copy.v2.exe");
    std::filesystem::copy_file(VELTRANE_EXE, copy);
    std::wstring commandLine = L"\"" + gui::WindowsPath(copy) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process));
    const HWND main = gui::WaitForProcessDialog(process.dwProcessId, nullptr, L"Veltrane");
    EXPECT_NE(main, nullptr);
    if (main && gui::Activate(main)) {
        gui::PressKey(VK_F1);
        const HWND box = gui::WaitForProcessDialog(process.dwProcessId, main);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(gui::Text(box), L"Veltrane.copy.v2");
        EXPECT_EQ(gui::MessageBoxText(box), L"Failed to launch help.");
        gui::Press(box, IDOK);
        EXPECT_TRUE(gui::WaitForClosed(box));
        gui::Press(main, IDCANCEL);
    }
    if (::WaitForSingleObject(process.hProcess, gui::kTimeoutMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the program did not end";
        ::TerminateProcess(process.hProcess, 1);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

constexpr UINT kFailCommand = 40001;

// A dialog whose one command raises what the case gives.
class CFailingDialog : public CDialog {
public:
    explicit CFailingDialog(std::function<void()> fail) : CDialog(IDD_ABOUT), m_fail(std::move(fail)) {}

protected:
    const AFX_MSGMAP* GetMessageMap() const override
    {
        static constexpr AFX_MSGMAP_ENTRY entries[] = {CommandEntry<&CFailingDialog::OnFail>(kFailCommand)};
        static const AFX_MSGMAP map{CDialog::GetMessageMap(), entries};
        return &map;
    }
    void OnFail() { m_fail(); }

private:
    std::function<void()> m_fail;
};

struct FailureCase {
    const char* name;
    void (*fail)();
    const wchar_t* text;
    LPCSTR icon;
    bool systemModal;
};

const FailureCase kFailures[] = {
    {"FileError", [] { AfxThrowFileException(CFileException::sharingViolation, 32, "C:\\models\\tank.p3d"); },
     L"A sharing violation occurred while accessing C:\\models\\tank.p3d.", IDI_HAND, false},
    {"UnnamedFileError", [] { AfxThrowFileException(CFileException::badSeek); }, L"Seek failed on an unnamed file",
     IDI_HAND, false},
    {"DamagedModel", [] { throw CModelFormatException("C:\\models\\tank.p3d", "is damaged."); }, nullptr, IDI_HAND,
     false},
    {"MemoryException", [] { AfxThrowMemoryException(); }, L"Out of memory.", IDI_EXCLAMATION, true},
    {"BadAlloc", [] { throw std::bad_alloc(); }, L"Out of memory.", IDI_EXCLAMATION, true},
};

void ExpectReportedAndDialogWorksOn(const FailureCase& c)
{
    CFailingDialog dialog(c.fail);
    theApp.m_pMainWnd = &dialog;
    INT_PTR result = 0;
    gui::RunWithDriver([&] { result = dialog.DoModal(); }, [&] {
        const HWND window = gui::WaitForThreadDialog(kUiThread, nullptr, L"Инфо Veltrane");
        ASSERT_NE(window, nullptr);
        for (int round = 0; round < 2; ++round) {
            gui::Press(window, kFailCommand);
            const HWND box = gui::WaitForThreadDialog(kUiThread, window, L"veltrane_win_tests");
            ASSERT_NE(box, nullptr);
            if (c.text)
                EXPECT_EQ(gui::MessageBoxText(box), c.text);
            else
                EXPECT_NE(gui::MessageBoxText(box).find(L"C:\\models\\tank.p3d"), std::wstring::npos);
            EXPECT_EQ(gui::MessageBoxIcon(box), ::LoadIconA(nullptr, c.icon));
            EXPECT_EQ((::GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, c.systemModal);
            gui::Press(box, IDOK);
            EXPECT_TRUE(gui::WaitForClosed(box));
        }
        gui::Press(window, IDOK);
        EXPECT_TRUE(gui::WaitForClosed(window));
    });
    EXPECT_EQ(result, IDOK);
    theApp.m_pMainWnd = nullptr;
}

TEST(Application, ErrorRaisedByAHandlerIsReportedOverTheMainWindowAndTheDialogWorksOn)
{
    for (const FailureCase& failure : kFailures) {
        SCOPED_TRACE(failure.name);
        ExpectReportedAndDialogWorksOn(failure);
    }
}

TEST(Application, WaitCursorIsCountedAndBringsBackTheCursorFromBefore)
{
    const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    const HCURSOR wait = ::LoadCursorA(nullptr, IDC_WAIT);
    ::SetCursor(arrow);
    theApp.DoWaitCursor(1);
    EXPECT_EQ(::GetCursor(), wait);
    theApp.DoWaitCursor(1);
    theApp.DoWaitCursor(-1);
    EXPECT_EQ(::GetCursor(), wait) << "still one on";
    theApp.DoWaitCursor(-1);
    EXPECT_EQ(::GetCursor(), arrow);
    theApp.DoWaitCursor(-1);
    theApp.DoWaitCursor(1);
    EXPECT_EQ(::GetCursor(), wait) << "an extra -1 does not leave the count below zero";
    theApp.DoWaitCursor(-1);
    EXPECT_EQ(::GetCursor(), arrow);
}

}  // namespace
