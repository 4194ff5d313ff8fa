// Start-up and the message loop of the Windows program. The manifest has
// already made the process per-monitor DPI aware and chosen common controls
// version 6 before any of this runs.
#include "application.h"

#include "input.h"
#include "widgets.h"

#include <commctrl.h>
#include <objbase.h>
#include <windows.h>

namespace ui
{

Application::Application()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The accessible objects handed to screen readers (WM_GETOBJECT) are
    // marshalled by COM, which this thread must have joined.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    registerWindowClasses(GetModuleHandleW(nullptr));
}

Application::~Application()
{
    CoUninitialize();
}

int Application::exec()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (translateKeys(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

} // namespace ui
