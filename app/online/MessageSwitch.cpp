#include "app/online/MessageSwitch.h"

#include "app/framework/RegistryValues.h"
#include "base/MarkupValues.h"
#include "base/StringTable.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

constexpr wchar_t kHintShow[] = L"HintShow";

RegistryValues ProgramValues() {
    return RegistryValues(LoadText(IDS_COMPANY_NAME), LoadText(IDS_PRODUCT_NAME));
}

}  // namespace

bool MessagesEnabled() {
    RegistryValues values = ProgramValues();
    const std::wstring text = values.ReadText(kHintShow);
    return values.LastFailure() != RegistryFailure::None || ParseInteger(text) != 0;
}

void SetMessagesEnabled(bool enabled) {
    ProgramValues().WriteText(kHintShow, enabled ? L"1" : L"0");
}

}  // namespace TQLibrary
