#pragma once

#include <windows.h>

#include <string>

#include "framework/win_app.h"

// A string of the program's string table as UTF-16, empty when missing, so
// that it shows the same under every code page.
inline std::wstring AfxLoadStringW(UINT nID)
{
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}
