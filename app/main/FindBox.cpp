#include "app/main/FindBox.h"

#include "app/framework/Program.h"
#include "app/framework/TQTabWin.h"
#include "app/main/SpecimenList.h"
#include "base/StringTable.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

// The timers of the find and of the preparing, on the box's own window.
constexpr UINT_PTR kFindTimer = 1;
constexpr UINT_PTR kPrepareTimer = 2;
constexpr UINT kPrepareInterval = 50;
constexpr ULONGLONG kPrepareTurn = 30;
// Rows looked at between two looks for waiting input: a few milliseconds' work.
constexpr size_t kRowsPerSlice = 4000;
// Specimens whose texts are made between two looks: each text costs more than a look at a row.
constexpr size_t kTextsPerSlice = 500;

// A key, a click or a posted message (keys sent by other programs come so) waits.
bool InputWaiting() {
    return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) != 0;
}

}  // namespace

FindBox::FindBox(SpecimenList& list, CatalogLock& lock, std::function<void()> found, std::function<void()> openRow)
    : list_(list), lock_(lock), found_(std::move(found)), openRow_(std::move(openRow)) {}

bool FindBox::Create(TQTabWin& tabs, int boxId, int clearId) {
    if (!edit_.Create(tabs.Window(), boxId))
        return false;
    edit_.SetCueBanner(LoadText(IDS_FIND_CUE));
    edit_.SetMessageFilter([this](HWND, UINT message, WPARAM wParam, LPARAM) { return OnMessage(message, wParam); });
    clear_.Reset(CreateWindowExW(0, L"Button", L"\u00D7", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0,
                                 tabs.Window(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(clearId)),
                                 ProgramInstance(), nullptr));
    if (!clear_)
        return false;
    SendMessageW(clear_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    tabs.AddCommandHandler(boxId, [this](void*, int notification) {
        if (notification == EN_CHANGE)
            OnTextChanged();
    });
    tabs.AddCommandHandler(clearId, [this](void*, int notification) {
        if (notification != BN_CLICKED)
            return;
        Clear();
        SetFocus(edit_.Window());
    });
    return true;
}

void FindBox::SetFont(HFONT font) {
    for (HWND window : {edit_.Window(), clear_.Get()})
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void FindBox::Place(const Rect& box, const Rect& clear) {
    edit_.Move(box.left, box.top, box.Width(), box.Height());
    MoveWindow(clear_.Get(), clear.left, clear.top, clear.Width(), clear.Height(), TRUE);
}

void FindBox::Focus() {
    SetFocus(edit_.Window());
    edit_.SelectAllText();
}

void FindBox::Clear() {
    // The change notification starts the find that shows every row.
    SetWindowTextW(edit_.Window(), L"");
}

void FindBox::OnTextChanged() {
    list_.StartFind(edit_.CurrentText());
    Continue();
}

void FindBox::Continue() {
    KillTimer(edit_.Window(), kFindTimer);
    if (!list_.Finding())
        return;
    // A save on its worker holds the catalog: the find waits for a later turn, never for it.
    if (!lock_.TryTake()) {
        SetTimer(edit_.Window(), kFindTimer, USER_TIMER_MINIMUM, nullptr);
        return;
    }
    bool ended = false;
    while (!(ended = list_.FindStep(kRowsPerSlice)) && !InputWaiting()) {
    }
    if (ended)
        found_();
    lock_.Give();
    // Timers come after input, so the waiting key is handled first.
    if (!ended)
        SetTimer(edit_.Window(), kFindTimer, USER_TIMER_MINIMUM, nullptr);
}

void FindBox::Finish() {
    KillTimer(edit_.Window(), kFindTimer);
    CatalogLockGuard guard(lock_);
    if (list_.Finding() && list_.FindStep(SIZE_MAX))
        found_();
}

void FindBox::PrepareWhileIdle() {
    SetTimer(edit_.Window(), kPrepareTimer, kPrepareInterval, nullptr);
}

void FindBox::Prepare() {
    if (!lock_.TryTake())
        return;
    // A turn of a few tens of milliseconds, leaving the rest of the time to paints and timers.
    const ULONGLONG end = GetTickCount64() + kPrepareTurn;
    bool done = false;
    while (!(done = list_.PrepareFindTexts(kTextsPerSlice)) && !InputWaiting() && GetTickCount64() < end) {
    }
    lock_.Give();
    if (done)
        KillTimer(edit_.Window(), kPrepareTimer);
}

std::optional<LRESULT> FindBox::OnMessage(UINT message, WPARAM wParam) {
    if (message == WM_TIMER && (wParam == kFindTimer || wParam == kPrepareTimer)) {
        if (wParam == kFindTimer)
            Continue();
        else
            Prepare();
        return 0;
    }
    if (message == WM_KEYDOWN) {
        switch (wParam) {
            case VK_ESCAPE:
                Clear();
                SetFocus(list_.View().Window());
                return 0;
            case VK_DOWN:
                Finish();
                FocusFirstRow();
                return 0;
            case VK_RETURN:
                OnEnter();
                return 0;
            default:
                return std::nullopt;
        }
    }
    // The characters of the keys above would only beep; Ctrl+A selects the whole text.
    if (message == WM_CHAR && (wParam == VK_ESCAPE || wParam == VK_RETURN || wParam == 1)) {
        if (wParam == 1)
            edit_.SelectAllText();
        return 0;
    }
    return std::nullopt;
}

void FindBox::OnEnter() {
    Finish();
    if (list_.ShownCount() != 1)
        return;
    list_.View().FocusRow(0);
    openRow_();
}

void FindBox::FocusFirstRow() {
    SetFocus(list_.View().Window());
    if (list_.ShownCount() > 0)
        list_.View().FocusRow(0);
}

}  // namespace TQLibrary
