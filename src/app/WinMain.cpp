#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/AppInfo.h"
#include "app/MainDialog.h"
#include "app/MessageLoop.h"
#include "app/ModuleState.h"
#include "resources/resource.h"
#include "shell/ShellNamespace.h"

namespace linkloom {

// Creates, shows and runs the main dialog; the exit code is the quit code, 0 when the dialog
// cannot be created.
int RunApplication(int showCommand) {
    MessageLoop loop;
    ModuleState::RegisterLoop(&loop);
    int exitCode = 0;
    {
        MainDialog dialog;
        if (dialog.CreateModeless(nullptr, IDD_MAIN)) {
            ShowWindow(dialog.Handle(), showCommand);
            exitCode = loop.Run(false);
        }
        ModuleState::UnregisterLoop();
    }
    return exitCode;
}

}  // namespace linkloom

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace linkloom;
    CoInitialize(nullptr);
    DefWindowProcW(nullptr, 0, 0, 0);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&controls);
    ModuleState::Initialize(instance);
    AppInfo::ReadOsVersion();
    ShellNamespace::Start();
    const int exitCode = RunApplication(showCommand);
    ShellNamespace::Stop();
    ModuleState::Terminate();
    CoUninitialize();
    return exitCode;
}
