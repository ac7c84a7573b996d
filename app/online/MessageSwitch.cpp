#include "app/online/MessageSwitch.h"

#include "app/main/ProgramIdentity.h"
#include "base/MarkupValues.h"

namespace TQLibrary {

namespace {

constexpr wchar_t kHintShow[] = L"HintShow";

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
