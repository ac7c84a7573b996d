// Help, About, the program's links and the update check.
#include "app/commands/CommandHandlers.h"
#include "app/dialogs/AboutDialog.h"
#include "app/framework/Messages.h"
#include "app/main/Application.h"
#include "app/main/HelpFile.h"
#include "app/online/UpdateCheck.h"
#include "app/online/VersionBlock.h"
#include "base/Clock.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// An installer that was started replaces the program: the program makes way for it.
void OnCheckForUpdate(Application& application) {
    if (CheckForUpdate(application.MainWindow(), application.DataFolder(), true, false, SystemClock()))
        PostMessageW(application.MainWindow(), WM_CLOSE, 0, 0);
}

void OnAbout(Application& application) {
    ShowAbout(application.MainWindow(), VersionBlock::OfProgram());
}

// The help file goes to the user's own data folder, which no other user can write to.
void OnHelp(Application& application) {
    ShowHelp(application.MainWindow(), application.DataFolder());
}

// A link the system cannot open is passed over: there is nothing the user could do about it.
void OnHomePage(Application&) {
    OpenLink(IDS_HOME_PAGE_LINK);
}

void OnEmailSupport(Application&) {
    OpenLink(IDS_SUPPORT_MAIL_LINK);
}

constexpr HandlerEntry kHandlers[] = {
        {IDM_ABOUT, OnAbout},
        {IDM_HELP, OnHelp},
        {IDM_HOME_PAGE, OnHomePage},
        {IDM_EMAIL_SUPPORT, OnEmailSupport},
        {IDM_CHECK_UPDATE, OnCheckForUpdate},
};

}  // namespace

std::span<const HandlerEntry> HelpCommandHandlers() {
    return kHandlers;
}

}  // namespace TQLibrary
