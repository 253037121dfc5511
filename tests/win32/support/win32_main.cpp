// Test entry point: the window classes are registered once, as WinMain does,
// with this test program as the module that holds the resources.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/app.h"

int main(int argc, char** argv)
{
    AppInfo.title = AppTitle;
    AppInfo.settingsFileName = SettingsFileName;
    AppInfo.helpFileName = HelpFileName;
    AppInfo.instance = GetModuleHandleA(nullptr);
    RegisterWindowClasses(AppInfo.instance);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
