// The Windows tests start up as the program does, so that the application
// object knows its name and the dialogs find their resources.
#include <gtest/gtest.h>

#include "framework/win_app.h"

int main(int argc, char** argv)
{
    AfxWinInit(::GetModuleHandleW(nullptr));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
