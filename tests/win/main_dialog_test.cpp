#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "expected_dialogs.h"
#include "gui_driver.h"
#include "import_patch.h"
#include "window_checks.h"

namespace {

const DWORD kUiThread = ::GetCurrentThreadId();

HWND WaitForAbout(HWND main)
{
    return gui::WaitForThreadDialog(kUiThread, main, L"Инфо Veltrane");
}

void EndWithEscape(HWND dialog)
{
    ASSERT_TRUE(gui::Activate(dialog));
    gui::PressKey(VK_ESCAPE);
    EXPECT_TRUE(gui::WaitForClosed(dialog));
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

void ExpectCentredOn(HWND window, const RECT& area)
{
    const RECT rect = WindowRect(window);
    EXPECT_NEAR((rect.left + rect.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((rect.top + rect.bottom) / 2, (area.top + area.bottom) / 2, 1);
}

TEST(MainDialog, FrameHasCaptionStylesAndIconAndStartsCentredWithFocusInTheSourceBox)
{
    const INT_PTR result = RunMainDialog([](HWND main) {
        EXPECT_EQ(gui::Text(main), L"Veltrane");
        const DWORD style = static_cast<DWORD>(::GetWindowLongW(main, GWL_STYLE));
        EXPECT_EQ(style & kMainDialog.style, kMainDialog.style);
        EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
        EXPECT_TRUE(::GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        EXPECT_EQ(::GetWindow(main, GW_OWNER), nullptr);

        RECT workArea{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
        ExpectCentredOn(main, workArea);
        EXPECT_EQ(gui::FocusOf(kUiThread), ::GetDlgItem(main, 1000));

        const HICON big = IconOf(main);
        ASSERT_NE(big, nullptr);
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(main, WM_GETICON, ICON_SMALL, 0)), big);
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(main, WM_QUERYDRAGICON, 0, 0)), big);
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(big, &info));
        BITMAP bitmap{};
        ::GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
        EXPECT_EQ(bitmap.bmWidth, ::GetSystemMetrics(SM_CXICON)) << "loaded at the large-icon size";
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        EndWithEscape(main);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(MainDialog, ControlsAreThoseOfTheTemplateTableAtTheirMappedPositions)
{
    RunMainDialog([](HWND main) {
        ExpectControls(main, kMainDialog);
        EndWithEscape(main);
    });
}

TEST(MainDialog, SystemMenuEndsWithASeparatorAndTheAboutItemWhichOpensTheAboutBox)
{
    RunMainDialog([](HWND main) {
        const HMENU menu = ::GetSystemMenu(main, FALSE);
        ASSERT_NE(menu, nullptr);
        const int count = ::GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        wchar_t text[64] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = 64;
        ASSERT_TRUE(::GetMenuItemInfoW(menu, static_cast<UINT>(count - 1), TRUE, &item));
        EXPECT_EQ(std::wstring(text), L"&Инфо Veltrane...");
        EXPECT_EQ(item.wID, 0x10u);
        MENUITEMINFOW separator{};
        separator.cbSize = sizeof(separator);
        separator.fMask = MIIM_FTYPE;
        ASSERT_TRUE(::GetMenuItemInfoW(menu, static_cast<UINT>(count - 2), TRUE, &separator));
        EXPECT_TRUE(separator.fType & MFT_SEPARATOR);

        // Alt+Space opens the system menu; its last item is the About item.
        ASSERT_TRUE(gui::Activate(main));
        gui::PressKey(VK_SPACE, VK_MENU);
        ::Sleep(200);
        gui::PressKey(VK_UP);
        gui::PressKey(VK_RETURN);
        const HWND about = WaitForAbout(main);
        ASSERT_NE(about, nullptr);
        EndWithEscape(about);
        EndWithEscape(main);
    });
}

TEST(MainDialog, AboutBoxShowsItsControlsCentredOverTheDisabledMainDialog)
{
    RunMainDialog([](HWND main) {
        ::PostMessageW(main, WM_SYSCOMMAND, 0x10, 0);
        const HWND about = WaitForAbout(main);
        ASSERT_NE(about, nullptr);
        ExpectControls(about, kAboutDialog);
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(about, GWL_STYLE)) & kAboutDialog.style, kAboutDialog.style);
        ExpectCentredOn(about, WindowRect(main));
        EXPECT_FALSE(::IsWindowEnabled(main));
        EXPECT_EQ(IconOf(about), nullptr) << "the About box sets no icon of its own";
        EndWithEscape(about);
        EXPECT_TRUE(::IsWindowEnabled(main));
        EXPECT_TRUE(gui::WaitUntil([&] { return ::GetForegroundWindow() == main; }));
        EndWithEscape(main);
    });
}

// Each way of closing the About box, used in turn.
void CloseAbout(HWND about, int way)
{
    ASSERT_TRUE(gui::Activate(about));
    switch (way % 5) {
    case 0:
        ::PostMessageW(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
        break;
    case 1:
        gui::PressKey(VK_RETURN);
        break;
    case 2:
        gui::PressKey(VK_ESCAPE);
        break;
    case 3:
        ::PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    default:
        gui::PressKey(VK_F4, VK_MENU);
        break;
    }
    EXPECT_TRUE(gui::WaitForClosed(about)) << "way " << way % 5;
}

TEST(MainDialog, SystemCommands0x10To0x1FOpenTheAboutBoxAnd0x20DoesNot)
{
    RunMainDialog([](HWND main) {
        for (UINT id = 0x10; id <= 0x1F; ++id) {
            SCOPED_TRACE(id);
            ::PostMessageW(main, WM_SYSCOMMAND, id, 0);
            const HWND about = WaitForAbout(main);
            ASSERT_NE(about, nullptr);
            CloseAbout(about, static_cast<int>(id));
            EXPECT_TRUE(::IsWindowEnabled(main));
        }
        // Handled at once, and nothing opens.
        ::SendMessageW(main, WM_SYSCOMMAND, 0x20, 0);
        EXPECT_EQ(gui::ThreadDialogs(kUiThread), std::vector<HWND>{main});
        EndWithEscape(main);
    });
}

struct EndingCase {
    const char* name;
    void (*act)(HWND main);
    INT_PTR result;
};

void FocusAndPress(HWND main, int control, WORD key)
{
    ::SendMessageW(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(main, control)), TRUE);
    gui::PressKey(key);
}

const EndingCase kEndings[] = {
    {"ExitButton", [](HWND main) { ::PostMessageW(::GetDlgItem(main, IDOK), BM_CLICK, 0, 0); }, IDOK},
    {"EnterInSourceBox", [](HWND main) { FocusAndPress(main, 1000, VK_RETURN); }, IDOK},
    {"EnterInTargetBox", [](HWND main) { FocusAndPress(main, 1001, VK_RETURN); }, IDOK},
    {"EnterInList", [](HWND main) { FocusAndPress(main, 1002, VK_RETURN); }, IDOK},
    {"Escape", [](HWND main) { FocusAndPress(main, 1000, VK_ESCAPE); }, IDCANCEL},
    {"CloseBox", [](HWND main) { ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
    {"AltF4", [](HWND) { gui::PressKey(VK_F4, VK_MENU); }, IDCANCEL},
};

TEST(MainDialog, ExitEnterEscapeAndClosingEndTheDialogWithTheirCommand)
{
    for (const EndingCase& ending : kEndings) {
        SCOPED_TRACE(ending.name);
        const INT_PTR result = RunMainDialog([&](HWND main) {
            ASSERT_TRUE(gui::Activate(main));
            ending.act(main);
            EXPECT_TRUE(gui::WaitForClosed(main));
        });
        EXPECT_EQ(result, ending.result);
    }
}

TEST(MainDialog, EnterOnACommandButtonRunsThatButtonAndKeepsTheDialogOpen)
{
    RunMainDialog([](HWND main) {
        ASSERT_TRUE(gui::Activate(main));
        for (int button : {1003, 1004, 1005}) {
            FocusAndPress(main, button, VK_RETURN);
            ::Sleep(200);
            EXPECT_TRUE(::IsWindowVisible(main)) << button;
            for (HWND box : gui::ThreadDialogs(kUiThread)) {
                if (box != main) {
                    gui::Press(box, IDCANCEL);
                    gui::WaitForClosed(box);
                }
            }
        }
        EndWithEscape(main);
    });
}

struct HelpRequest {
    std::atomic<int> calls = 0;
    std::string file;
    UINT command = 0;
    ULONG_PTR data = 0;
};
HelpRequest g_help;

BOOL WINAPI RecordHelpRequest(HWND, LPCSTR file, UINT command, ULONG_PTR data)
{
    g_help.file = file ? file : "";
    g_help.command = command;
    g_help.data = data;
    ++g_help.calls;
    return FALSE;
}

std::string ExpectedHelpFile()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file = path;
    return file.substr(0, file.rfind('.')) + ".HLP";
}

// F1 in dialog asks for topic; the viewer's failure shows the framework's message.
void ExpectHelpFails(HWND dialog, ULONG_PTR topic)
{
    const int before = g_help.calls;
    ASSERT_TRUE(gui::Activate(dialog));
    gui::PressKey(VK_F1);
    const HWND box = gui::WaitForThreadDialog(kUiThread, dialog, L"veltrane_win_tests");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::MessageBoxText(box), L"Failed to launch help.");
    EXPECT_EQ(gui::MessageBoxIcon(box), ::LoadIconA(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(g_help.calls, before + 1);
    EXPECT_EQ(g_help.file, ExpectedHelpFile());
    EXPECT_EQ(g_help.command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(g_help.data, topic);
    gui::Press(box, IDOK);
    EXPECT_TRUE(gui::WaitForClosed(box));
}

TEST(MainDialog, F1AsksTheHelpViewerForTheDialogsTopicAndReportsThatItFailed)
{
    ImportPatch patch("user32.dll", "WinHelpA", reinterpret_cast<void*>(&RecordHelpRequest));
    RunMainDialog([](HWND main) {
        ExpectHelpFails(main, 0x20000 + 102);
        ::PostMessageW(main, WM_SYSCOMMAND, 0x10, 0);
        const HWND about = WaitForAbout(main);
        ASSERT_NE(about, nullptr);
        ExpectHelpFails(about, 0x20000 + 100);
        EndWithEscape(about);
        EndWithEscape(main);
    });
}

// Minimised windows have no client area under Wine, so the system never asks
// them to paint: the test sends WM_PAINT itself, hands the dialog the client
// sizes of the cases and records where the icon goes.
struct IconPaint {
    HWND window = nullptr;
    SIZE client{};
    std::atomic<int> draws = 0;
    POINT at{};
    HICON icon = nullptr;
};
IconPaint g_paint;
ImportPatch* g_clientRectPatch = nullptr;

BOOL WINAPI ClientRectOfCase(HWND window, RECT* rect)
{
    if (window == g_paint.window && ::IsIconic(window)) {
        *rect = RECT{0, 0, g_paint.client.cx, g_paint.client.cy};
        return TRUE;
    }
    return g_clientRectPatch->Original<BOOL(WINAPI*)(HWND, RECT*)>()(window, rect);
}

BOOL WINAPI RecordDrawIcon(HDC, int x, int y, HICON icon)
{
    g_paint.at = POINT{x, y};
    g_paint.icon = icon;
    ++g_paint.draws;
    return TRUE;
}

// Wine undoes a minimise that comes while the window is still being shown.
bool Minimise(HWND window)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        ::ShowWindow(window, SW_MINIMIZE);
        ::Sleep(200);
        if (::IsIconic(window))
            return true;
    }
    return false;
}

TEST(MainDialog, MinimisedPaintCentresTheIconTruncatingTowardZero)
{
    ImportPatch clientRect("user32.dll", "GetClientRect", reinterpret_cast<void*>(&ClientRectOfCase));
    g_clientRectPatch = &clientRect;
    ImportPatch drawIcon("user32.dll", "DrawIcon", reinterpret_cast<void*>(&RecordDrawIcon));
    const struct {
        LONG client;
        LONG origin;
    } cases[] = {{40, 4}, {37, 3}, {20, -5}};
    ASSERT_EQ(::GetSystemMetrics(SM_CXICON), 32);
    RunMainDialog([&](HWND main) {
        g_paint.window = main;
        ASSERT_TRUE(Minimise(main));
        for (const auto& c : cases) {
            SCOPED_TRACE(c.client);
            g_paint.client = SIZE{c.client, c.client};
            const int before = g_paint.draws;
            ::SendMessageW(main, WM_PAINT, 0, 0);
            ASSERT_EQ(g_paint.draws, before + 1);
            EXPECT_EQ(g_paint.at.x, c.origin);
            EXPECT_EQ(g_paint.at.y, c.origin);
            EXPECT_EQ(g_paint.icon, IconOf(main));
        }
        ::ShowWindow(main, SW_RESTORE);
        const int before = g_paint.draws;
        ::SendMessageW(main, WM_PAINT, 0, 0);
        EXPECT_EQ(g_paint.draws, before) << "no icon is drawn while the dialog is open";
        EndWithEscape(main);
    });
    g_clientRectPatch = nullptr;
}

}  // namespace
