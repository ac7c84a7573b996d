#include "app/online/MessagePopup.h"

#include <richedit.h>

#include <memory>
#include <optional>
#include <vector>

#include "app/framework/Dialogs.h"
#include "app/main/BackgroundWork.h"
#include "app/online/HttpTransfer.h"
#include "app/online/MessageSwitch.h"
#include "app/online/OnlineSettings.h"
#include "base/Clock.h"
#include "base/Handles.h"
#include "base/StringTable.h"
#include "online/MarkupToRtf.h"
#include "online/MessageFeed.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

constexpr wchar_t kLastHint[] = L"LastHint";
constexpr wchar_t kHintDate[] = L"HintDate";
// The start-up fetch waits this long at most for each connection and read, and ends after a
// few seconds whatever the server sends.
constexpr HttpTimeouts kFeedTimeouts{3000, 3000, 4000};
// The start waits this long at most: a fetch that hangs elsewhere (a name lookup) is left to
// end on its own.
constexpr DWORD kFeedWaitMilliseconds = 5000;

// The feed's bytes, fetched on a thread of its own; none when they did not come in time.
std::optional<std::vector<std::uint8_t>> FetchFeed() {
    auto fetched = std::make_shared<std::optional<std::vector<std::uint8_t>>>();
    const std::wstring address = MessageFeedAddress();
    const std::wstring agent = LoadText(IDS_PRODUCT_NAME);
    const bool inTime = RunWithin(
            [fetched, address, agent] { *fetched = FetchBytes(address, agent, kFeedByteLimit, kFeedTimeouts); },
            kFeedWaitMilliseconds);
    if (!inTime)
        return std::nullopt;
    return std::move(*fetched);
}

// A rich edit showing markup as rich text: the library that draws it lives as long as this.
class TQHTML2RTF {
public:
    TQHTML2RTF() {
        const struct {
            const wchar_t* library;
            const wchar_t* windowClass;
        } choices[] = {
                {L"Msftedit.dll", L"RICHEDIT50W"}, {L"Riched20.dll", L"RichEdit20W"}, {L"Riched32.dll", L"RICHEDIT"}};
        for (const auto& choice : choices) {
            module_.Reset(LoadLibraryW(choice.library));
            if (module_) {
                className_ = choice.windowClass;
                break;
            }
        }
    }
    TQHTML2RTF(const TQHTML2RTF&) = delete;
    TQHTML2RTF& operator=(const TQHTML2RTF&) = delete;

    bool Create(HWND parent, int id, int x, int y, int width, int height) {
        if (className_.empty())
            return false;
        window_ = CreateWindowExW(
                0, className_.c_str(), L"",
                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | ES_SUNKEN, x, y,
                width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                nullptr);
        return window_ != nullptr;
    }

    void SetText(const std::wstring& markup) {
        if (window_ == nullptr)
            return;
        rtf_ = ConvertMarkupToRtf(markup, showTags_);
        position_ = 0;
        EDITSTREAM stream{};
        stream.dwCookie = reinterpret_cast<DWORD_PTR>(this);
        stream.pfnCallback = &TQHTML2RTF::Stream;
        SendMessageW(window_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    }

private:
    static DWORD CALLBACK Stream(DWORD_PTR cookie, LPBYTE buffer, LONG capacity, LONG* given) {
        auto* self = reinterpret_cast<TQHTML2RTF*>(cookie);
        *given = static_cast<LONG>(
                ReadRtfBytes(self->rtf_, self->position_, buffer, static_cast<size_t>(std::max<LONG>(capacity, 0))));
        return 0;
    }

    ModuleHandle module_;
    std::wstring className_;
    HWND window_ = nullptr;  // a child of the popup, destroyed with it
    std::wstring rtf_;
    size_t position_ = 0;
    bool showTags_ = true;
};

class MessageDialog {
public:
    explicit MessageDialog(const std::wstring& message) : message_(message) {}

    void OnInitDialog(HWND dialog) {
        CentreOver(dialog);
        RECT client{};
        GetClientRect(dialog, &client);
        if (!text_.Create(dialog, IDC_MESSAGE_TEXT, client.left + 10, client.top + 10, client.right - client.left - 20,
                          client.bottom - client.top - 55)) {
            EndDialog(dialog, 0);
            return;
        }
        text_.SetText(message_);
        SetWindowTextW(dialog, LoadText(IDS_DISPLAY_NAME).c_str());
    }

    void OnCommand(HWND dialog, int item, int) {
        if (item == IDOK)
            Close(dialog);
    }

    void OnCancel(HWND dialog) { Close(dialog); }

private:
    void Close(HWND dialog) {
        if (IsDlgButtonChecked(dialog, IDC_HIDE_MESSAGES) == BST_CHECKED)
            SetMessagesEnabled(false);
        EndDialog(dialog, IDOK);
    }

    const std::wstring& message_;
    TQHTML2RTF text_;
};

}  // namespace

bool ShowMessagePopup(HWND owner, const std::wstring& message) {
    MessageDialog state(message);
    return RunDialog(owner, IDD_MESSAGE_POPUP, state);
}

void CheckMessages(HWND owner, const Clock& clock) {
    const LocalTime now = clock.Now();
    if (!IsFirstCheckToday(MessagesEnabled(), ReadProgramValue(kLastHint), now))
        return;
    WriteProgramValue(kLastHint, DayStamp(now));
    const std::optional<std::vector<std::uint8_t>> bytes = FetchFeed();
    if (!bytes)
        return;
    const FeedMessage feed = ReadMessageFeed(FeedText(bytes->data(), bytes->size()));
    if (!ShouldShowMessage(feed, ReadProgramValue(kHintDate)))
        return;
    WriteProgramValue(kHintDate, feed.date);
    ShowMessagePopup(owner, feed.message);
}

}  // namespace TQLibrary
