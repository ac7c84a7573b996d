// Help, About, the program's links and the update check.
#include "app/AboutDialog.h"
#include "app/Application.h"
#include "app/CommandHandlers.h"
#include "app/framework/Messages.h"
#include "app/HelpFile.h"
#include "app/VersionBlock.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

void OnAbout(TQAppWindows& application) {
    ShowAbout(application.MainWindow(), VersionBlock::OfProgram());
}

// The help file goes to the user's own data folder, which no other user can write to.
void OnHelp(TQAppWindows& application) {
    ShowHelp(application.MainWindow(), application.DataFolder());
}

// A link the system cannot open is passed over: there is nothing the user could do about it.
void OnHomePage(TQAppWindows&) {
    OpenLink(IDS_HOME_PAGE_LINK);
}

void OnEmailSupport(TQAppWindows&) {
    OpenLink(IDS_SUPPORT_MAIL_LINK);
}

constexpr HandlerEntry kHandlers[] = {
        {IDM_ABOUT, OnAbout},
        {IDM_HELP, OnHelp},
        {IDM_HOME_PAGE, OnHomePage},
        {IDM_EMAIL_SUPPORT, OnEmailSupport},
};

}  // namespace

std::span<const HandlerEntry> HelpCommandHandlers() {
    return kHandlers;
}

}  // namespace TQLibrary
