#include "app/framework/Messages.h"

#include <windows.h>
#include <shellapi.h>

#include "app/framework/Program.h"
#include "base/StringTable.h"

namespace TQLibrary {

namespace {

int ShowMessageText(const std::wstring& text, unsigned captionId, UINT type, HWND owner = nullptr) {
    std::wstring caption = LoadText(captionId);
    return MessageBoxW(owner != nullptr ? owner : MainWindow(), text.c_str(), caption.c_str(), type);
}

int ShowMessage(unsigned textId, unsigned captionId, UINT type, HWND owner = nullptr) {
    return ShowMessageText(LoadText(textId), captionId, type, owner);
}

}  // namespace

void Warn(unsigned textId, unsigned captionId, HWND owner) {
    ShowMessage(textId, captionId, MB_OK | MB_ICONEXCLAMATION, owner);
}

void WarnText(const std::wstring& text, unsigned captionId, HWND owner) {
    ShowMessageText(text, captionId, MB_OK | MB_ICONEXCLAMATION, owner);
}

void Inform(unsigned textId, unsigned captionId) {
    ShowMessage(textId, captionId, MB_OK | MB_ICONINFORMATION);
}

bool Ask(unsigned textId, unsigned captionId) {
    return ShowMessage(textId, captionId, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int AskYesNoCancel(unsigned textId, unsigned captionId) {
    const int answer = ShowMessage(textId, captionId, MB_YESNOCANCEL | MB_ICONQUESTION);
    return answer == IDYES || answer == IDNO ? answer : IDCANCEL;
}

bool OpenLink(const std::wstring& link) {
    HINSTANCE result = ShellExecuteW(nullptr, L"open", link.c_str(), nullptr, nullptr, SW_SHOW);
    // Not a real handle: a number above 32 means success.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool OpenLink(unsigned linkTextId) {
    return OpenLink(LoadText(linkTextId));
}

}  // namespace TQLibrary
