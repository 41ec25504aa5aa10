#pragma once

#include "framework/wnd.h"

// A device context to draw into.
class CDC {
public:
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON hIcon) const { return ::DrawIcon(m_hDC, x, y, hIcon); }

protected:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    ~CDC() = default;

    HDC m_hDC = nullptr;
};

// The device context of one WM_PAINT: begins painting the window on
// construction and ends it on destruction.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(const CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};
