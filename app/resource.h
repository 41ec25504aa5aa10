// Resource identifiers of Veltrane, shared by the resource script and the code.
#pragma once

#define IDM_ABOUT 0x0010
#define IDD_ABOUT 100
#define IDS_ABOUT_ITEM 101
#define IDD_MAIN 102
#define IDI_MAIN 128

#define IDC_EDIT_SOURCE 1000
#define IDC_EDIT_TARGET 1001
#define IDC_LIST_TEXTURES 1002
#define IDC_BUTTON_CHANGE 1003
#define IDC_BUTTON_OPEN 1004
#define IDC_BUTTON_SAVE 1005
