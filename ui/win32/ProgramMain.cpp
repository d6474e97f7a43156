#include "ui/win32/ProgramMain.h"

#include <commctrl.h>

#include <exception>
#include <string>

#include "host/win32/Win32Host.h"
#include "link/SimLink.h"
#include "link/Win32LinkPort.h"
#include "ui/FormHookfast.h"
#include "ui/win32/Win32Timers.h"
#include "ui/win32/Win32View.h"

namespace hf {

int RunHookfast(HINSTANCE instance) {
    SetLinkPort(&SystemLinkPort());
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Host host;
    Win32Timers timers(instance, host);
    Win32View view(instance, host, std::string(ApplicationTitle));
    int exitCode = 0;
    {
        TFormMain form(host, timers, view);
        try {
            form.Create();
        } catch (const std::exception& error) {
            host.ReportError(error.what());
        }
        form.Show();
        exitCode = view.Run();
        view.DetachAll();
    }
    // The link's own stop at program end: whatever is still open goes back to the system.
    LinkClose();
    return exitCode;
}

}  // namespace hf
