#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A dialog template of the program's resources, read field by field from the
// extended template format. Class and text ordinals read as "#<number>",
// predefined control classes by their names.
struct DialogItem {
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    DWORD id;
    std::wstring className;
    std::wstring text;
    WORD extraCount;
};

struct DialogTemplate {
    WORD version;
    WORD signature;
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    std::wstring menu;
    std::wstring className;
    std::wstring caption;
    WORD pointSize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    std::wstring typeface;
    std::vector<DialogItem> items;
};

DialogTemplate LoadDialogTemplate(UINT id);
