#include "app/online/OnlineSettings.h"

#include "app/main/ProgramIdentity.h"
#include "base/StringTable.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

std::wstring AddressOr(const wchar_t* name, unsigned vendorId) {
    std::optional<std::wstring> own = ReadProgramValue(name);
    return own && !own->empty() ? *own : LoadText(vendorId);
}

}  // namespace

std::optional<std::wstring> ReadProgramValue(const std::wstring& name) {
    RegistryValues values = ProgramValues();
    std::wstring text = values.ReadText(name);
    if (values.LastFailure() != RegistryFailure::None)
        return std::nullopt;
    return text;
}

void WriteProgramValue(const std::wstring& name, const std::wstring& text) {
    ProgramValues().WriteText(name, text);
}

std::wstring MessageFeedAddress() {
    return AddressOr(L"MessageFeedAddress", IDS_MESSAGE_FEED_ADDRESS);
}

std::wstring UpdateFolderAddress() {
    return AddressOr(L"UpdateAddress", IDS_HOME_PAGE_LINK);
}

}  // namespace TQLibrary
