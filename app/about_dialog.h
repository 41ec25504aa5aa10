#pragma once

#include "framework/dialog.h"

// The About box: icon, version line and OK.
class CAboutDialog : public CDialog {
public:
    CAboutDialog();
};
