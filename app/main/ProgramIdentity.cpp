#include "app/main/ProgramIdentity.h"

#include <windows.h>

#include "base/Paths.h"
#include "base/StringTable.h"
#include "resources/resource.h"

namespace TQLibrary {

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH] = {};
    // A path that fills the buffer has been cut short.
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(path, length);
}

std::wstring ProgramFolder() {
    return FolderOf(ProgramPath());
}

RegistryValues ProgramValues() {
    return RegistryValues(LoadText(IDS_COMPANY_NAME), LoadText(IDS_PRODUCT_NAME));
}

RegistryValues MachineProgramValues() {
    return RegistryValues(LoadText(IDS_COMPANY_NAME), LoadText(IDS_PRODUCT_NAME), HKEY_LOCAL_MACHINE);
}

std::wstring ProgramKeyPath() {
    return L"Software\\" + LoadText(IDS_COMPANY_NAME) + L"\\" + LoadText(IDS_PRODUCT_NAME);
}

}  // namespace TQLibrary
