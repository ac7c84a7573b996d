#include "app/dialogs/AboutDialog.h"

#include "app/framework/Dialogs.h"
#include "app/framework/Messages.h"
#include "app/online/VersionBlock.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// Each text line's template text names the version value it shows.
constexpr int kVersionLines[] = {IDC_ABOUT_COMPANY, IDC_ABOUT_DESCRIPTION, IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT};

struct AboutDialog {
    const VersionBlock& versions;

    void OnInitDialog(HWND dialog) {
        CentreOver(dialog);
        for (int line : kVersionLines) {
            if (std::optional<std::wstring> value = versions.String(ItemText(dialog, line)))
                SetDlgItemTextW(dialog, line, value->c_str());
        }
    }

    void OnCommand(HWND, int item, int) {
        if (item == IDC_ABOUT_HOME_PAGE)
            OpenLink(IDS_HOME_PAGE_LINK);
    }
};

}  // namespace

void ShowAbout(HWND owner, const VersionBlock& versions) {
    AboutDialog state{versions};
    RunDialog(owner, IDD_ABOUT, state);
}

}  // namespace TQLibrary
