#pragma once

#include <string>

#include "framework/wnd.h"

// A list-box control of a dialog; entries are 8-bit ANSI strings.
class CListBox : public CWnd {
public:
    void Attach(HWND hWnd) { m_hWnd = hWnd; }

    void ResetContent() const { SendMessage(LB_RESETCONTENT); }
    // Adds text at its place in a sorted list box; its index, or LB_ERR / LB_ERRSPACE.
    int AddString(const char* text) const { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, Text(text))); }
    // Puts text at nIndex (-1: the end), even in a sorted list box.
    int InsertString(int nIndex, const char* text) const
    {
        return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), Text(text)));
    }
    int DeleteString(int nIndex) const { return static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(nIndex))); }
    // The index of the entry equal to text ignoring case, searching after
    // nStartAfter (-1: from the start), or LB_ERR.
    int FindStringExact(int nStartAfter, const char* text) const
    {
        return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nStartAfter), Text(text)));
    }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    void GetText(int nIndex, CString& text) const
    {
        const auto length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex));
        std::string buffer(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
        const auto copied = SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer.data()));
        buffer.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        text = CString(std::move(buffer));
    }

private:
    static LPARAM Text(const char* text) { return reinterpret_cast<LPARAM>(text); }
};
