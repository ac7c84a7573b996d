#include "app/main/HelpFile.h"

#include <htmlhelp.h>

#include "app/framework/Messages.h"
#include "app/framework/Program.h"
#include "base/Handles.h"
#include "base/StringTable.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// The viewer is looked up at run time rather than linked, so a system without it still starts.
using HtmlHelpFunction = decltype(&HtmlHelpW);

// hhctrl.ocx, loaded on first use. The viewer's windows live in this process, so the library
// stays loaded until the program ends, and its windows are closed before it is let go.
class HtmlHelpLibrary {
public:
    HtmlHelpLibrary() : module_(LoadLibraryW(L"hhctrl.ocx")) {
        if (module_)
            function_ = reinterpret_cast<HtmlHelpFunction>(
                    reinterpret_cast<void*>(GetProcAddress(module_.Get(), "HtmlHelpW")));
    }
    ~HtmlHelpLibrary() {
        if (function_ != nullptr)
            function_(nullptr, nullptr, HH_CLOSE_ALL, 0);
    }
    HtmlHelpLibrary(const HtmlHelpLibrary&) = delete;
    HtmlHelpLibrary& operator=(const HtmlHelpLibrary&) = delete;

    HtmlHelpFunction Function() const { return function_; }

private:
    ModuleHandle module_;
    HtmlHelpFunction function_ = nullptr;
};

}  // namespace

std::wstring HelpFilePath(const std::wstring& folder) {
    return folder + LoadText(IDS_PRODUCT_NAME) + L".chm";
}

bool WriteHelpFile(const std::wstring& path) {
    HMODULE module = ProgramInstance();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_HELP_FILE), RT_RCDATA);
    if (found == nullptr)
        return false;
    const DWORD size = SizeofResource(module, found);
    const void* bytes = LockResource(LoadResource(module, found));
    if (bytes == nullptr || size == 0)
        return false;
    // Shared with nobody while it is written; default security, as the folder is the user's own.
    FileHandle file(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return WriteFile(file.Get(), bytes, size, &written, nullptr) && written == size;
}

bool ShowInHtmlHelp(HWND owner, const std::wstring& path) {
    static HtmlHelpLibrary library;
    if (library.Function() == nullptr)
        return false;
    library.Function()(owner, path.c_str(), HH_DISPLAY_TOPIC, 0);
    return true;
}

void ShowHelp(HWND owner, const std::wstring& folder, HelpViewer viewer) {
    const std::wstring path = HelpFilePath(folder);
    WriteHelpFile(path);
    if (!viewer(owner, path))
        WarnText(LoadText(IDS_NO_HELP_VIEWER) + path, IDS_DISPLAY_NAME, owner);
}

}  // namespace TQLibrary
