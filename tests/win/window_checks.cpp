#include "window_checks.h"

#include <gtest/gtest.h>

#include <string>

#include "app/main_app.h"
#include "app/main_dialog.h"
#include "gui_driver.h"

RECT RectIn(HWND dialog, HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT DialogUnitsRect(HWND dialog, short x, short y, short cx, short cy)
{
    // The dialog manager maps a control's position and its size each on its own.
    RECT origin{x, y, cx, cy};
    ::MapDialogRect(dialog, &origin);
    return RECT{origin.left, origin.top, origin.left + origin.right, origin.top + origin.bottom};
}

HICON IconOf(HWND window)
{
    return reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_BIG, 0));
}

namespace {

// The system shows a bordered edit or list box with a client edge instead,
// and an empty list box without its scroll bar.
void ExpectStyle(HWND control, DWORD templateStyle)
{
    DWORD style = static_cast<DWORD>(::GetWindowLongW(control, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(control, GWL_EXSTYLE));
    const std::wstring className = gui::ClassName(control);
    if (className == L"ListBox")
        style |= templateStyle & WS_VSCROLL;
    if ((templateStyle & WS_BORDER) && (className == L"Edit" || className == L"ListBox")) {
        EXPECT_EQ(style, templateStyle & ~WS_BORDER);
        EXPECT_TRUE(exStyle & WS_EX_CLIENTEDGE);
    } else {
        EXPECT_EQ(style, templateStyle);
    }
}

}  // namespace

void ExpectControls(HWND dialog, const ExpectedDialog& layout)
{
    HWND control = ::GetWindow(dialog, GW_CHILD);
    for (std::size_t i = 0; i < layout.controls.size(); ++i, control = ::GetWindow(control, GW_HWNDNEXT)) {
        SCOPED_TRACE("control " + std::to_string(i + 1));
        ASSERT_NE(control, nullptr);
        const ExpectedControl& expected = layout.controls[i];
        EXPECT_EQ(gui::ClassName(control), expected.className);
        EXPECT_EQ(::GetDlgCtrlID(control), expected.id);
        ExpectStyle(control, expected.style);
        const RECT rect = RectIn(dialog, control);
        const RECT units = DialogUnitsRect(dialog, expected.x, expected.y, expected.cx, expected.cy);
        EXPECT_EQ(rect.left, units.left);
        EXPECT_EQ(rect.top, units.top);
        if (std::wstring(expected.text) == L"#128") {
            // An icon control takes the size of its icon.
            EXPECT_NE(::SendMessageW(control, STM_GETICON, 0, 0), 0);
            EXPECT_EQ(rect.right - rect.left, ::GetSystemMetrics(SM_CXICON));
            EXPECT_EQ(rect.bottom - rect.top, ::GetSystemMetrics(SM_CYICON));
        } else {
            EXPECT_EQ(gui::Text(control), expected.text);
            EXPECT_EQ(rect.right, units.right);
            EXPECT_EQ(rect.bottom, units.bottom);
        }
    }
    EXPECT_EQ(control, nullptr) << "more controls than the template table lists";
}

INT_PTR RunMainDialog(const std::function<void(HWND main)>& drive)
{
    const DWORD ui = ::GetCurrentThreadId();
    CMainDialog dialog;
    theApp.m_pMainWnd = &dialog;
    INT_PTR result = 0;
    gui::RunWithDriver([&] { result = dialog.DoModal(); }, [&] {
        HWND main = gui::WaitForThreadDialog(ui, nullptr, L"Veltrane");
        ASSERT_NE(main, nullptr);
        drive(main);
    });
    EXPECT_EQ(theApp.m_pMainWnd, nullptr) << "the application forgets its main window when it is destroyed";
    theApp.m_pMainWnd = nullptr;
    return result;
}
