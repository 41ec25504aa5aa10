#pragma once

#include <windows.h>

#include <span>

// What the two dialog templates must hold, control by control in template order.
struct ExpectedControl {
    const wchar_t* className;
    int id;
    const wchar_t* text;  // "#128" for the icon resource an icon control shows
    DWORD style;
    short x, y, cx, cy;
};

struct ExpectedDialog {
    UINT templateId;
    DWORD style;
    DWORD exStyle;
    short cx, cy;
    const wchar_t* caption;
    std::span<const ExpectedControl> controls;
};

inline constexpr ExpectedControl kMainControls[] = {
    {L"Static", -1, L"Исх. путь", 0x50020000, 10, 10, 35, 8},
    {L"Edit", 1000, L"", 0x50810080, 59, 7, 139, 14},
    {L"Static", -1, L"Ваш путь", 0x50020000, 7, 31, 44, 8},
    {L"Edit", 1001, L"", 0x50810080, 59, 28, 139, 14},
    {L"Button", 1003, L"Изменить", 0x50010000, 204, 7, 50, 14},
    {L"ListBox", 1002, L"", 0x50a10103, 7, 49, 245, 144},
    {L"Button", 1004, L"Открыть", 0x50010000, 263, 7, 50, 14},
    {L"Button", 1005, L"Сохранить", 0x50010000, 263, 28, 50, 14},
    {L"Button", IDOK, L"Выход", 0x50010001, 263, 177, 50, 16},
};

inline constexpr ExpectedControl kAboutControls[] = {
    {L"Static", -1, L"#128", 0x50000003, 11, 17, 20, 20},
    {L"Static", -1, L"Veltrane Версия 1.0", 0x50020080, 40, 10, 119, 8},
    {L"Button", IDOK, L"OK", 0x50030001, 178, 7, 50, 16},
};

inline constexpr ExpectedDialog kMainDialog{102, 0x90C800C8, 0x00040000, 320, 200, L"Veltrane", kMainControls};
inline constexpr ExpectedDialog kAboutDialog{100, 0x80C800C8, 0, 235, 55, L"Инфо Veltrane", kAboutControls};
