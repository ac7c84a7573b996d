#include "app/framework/CommonControls.h"

#include <windows.h>
#include <commctrl.h>

#include <mutex>

namespace TQLibrary {

void InitialiseCommonControls() {
    static std::once_flag once;
    std::call_once(once, [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES |
                                                               ICC_TAB_CLASSES | ICC_DATE_CLASSES};
        InitCommonControlsEx(&controls);
    });
}

}  // namespace TQLibrary
