#include "app/about_dialog.h"

#include "app/resource.h"

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUT) {}
