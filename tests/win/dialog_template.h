#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A dialog template of the program's resources, read field by field from the
// extended template format. Class and text ordinals read as "#<number>",
// predefined control classes by their names.
// A position and size in dialog units.
struct Placement {
    short x, y, cx, cy;
};

struct DialogItem {
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    Placement at;
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
    Placement at;
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
