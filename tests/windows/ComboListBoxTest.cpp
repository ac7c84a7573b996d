#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/framework/TQComboBox.h"
#include "app/framework/TQListBox.h"
#include "base/Handles.h"

using namespace TQLibrary;

namespace {

constexpr wchar_t kParentClass[] = L"OrvelleComboListParent";

void RegisterParentClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kParentClass;
    RegisterClassExW(&windowClass);
}

struct Item {
    std::wstring text;
    std::int32_t data;
    bool operator==(const Item&) const = default;
};
using Items = std::vector<Item>;

void PrintTo(const Item& item, std::ostream* out) {
    *out << std::string(item.text.begin(), item.text.end()) << "=" << item.data;
}

// What the combo box control shows, read straight from the control.
Items ComboItems(HWND combo) {
    Items items;
    auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        auto index = static_cast<WPARAM>(i);
        std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
        text.resize(
                static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
        items.push_back({text, static_cast<std::int32_t>(SendMessageW(combo, CB_GETITEMDATA, index, 0))});
    }
    return items;
}

Items ModelItems(const TQComboBox& combo) {
    Items items;
    for (const Choice& entry : combo.Entries().Entries())
        items.push_back({entry.text, entry.data});
    return items;
}

int ComboSelection(HWND combo) {
    return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

Items ListItems(const TQListBox& list) {
    Items items;
    for (int i = 0; i < list.ItemCount(); ++i)
        items.push_back({list.ItemText(i), static_cast<std::int32_t>(list.ItemData(i))});
    return items;
}

class ComboListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterParentClass();
        // Hidden: under Wine without a window manager, hiding a shown window takes two seconds.
        parent_.Reset(CreateWindowExW(0, kParentClass, L"", WS_POPUP, 100, 100, 400, 300, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(parent_);
    }
    HWND Parent() const { return parent_.Get(); }
    // A control as a dialog template holds it, for attaching.
    HWND MakeControl(const wchar_t* className, DWORD style) {
        return CreateWindowExW(0, className, L"", WS_CHILD | style, 0, 0, 100, 100, Parent(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(50)), GetModuleHandleW(nullptr), nullptr);
    }
    // A combo box with the entries already in its model.
    static void AddAll(TQComboBox& combo, const Items& items) {
        for (const Item& item : items)
            combo.AddEntry(item.text, item.data);
    }

    OwnedWindow parent_;
};

TEST_F(ComboListBoxTest, ComboShownEntriesFollowTheSortedOrderWithTheirDataAndTheNewestSelected) {
    TQComboBox combo(true);
    ASSERT_TRUE(combo.Create(Parent(), 11, 5, 5, 120, 200));
    combo.AddEntry(L"Uncommon", 30, true);
    combo.AddEntry(L"abundant", 10, true);
    combo.AddEntry(L"Common", 20, true);
    Items expected{{L"abundant", 10}, {L"Common", 20}, {L"Uncommon", 30}};
    EXPECT_EQ(ModelItems(combo), expected);
    EXPECT_EQ(ComboItems(combo.Window()), expected);
    EXPECT_EQ(ComboSelection(combo.Window()), 1);

    // The system's linguistic order, not code-unit order: é sorts with e, before f.
    combo.AddEntry(L"fable", 50, true);
    combo.AddEntry(L"éclat", 40, true);
    combo.AddEntry(L"eau", 35, true);
    expected = {{L"abundant", 10}, {L"Common", 20}, {L"eau", 35}, {L"éclat", 40}, {L"fable", 50}, {L"Uncommon", 30}};
    EXPECT_EQ(ModelItems(combo), expected);
    EXPECT_EQ(ComboItems(combo.Window()), expected);
    EXPECT_EQ(ComboSelection(combo.Window()), 2);
}

TEST_F(ComboListBoxTest, ComboUnsortedKeepsTheOrderOfAdding) {
    TQComboBox combo(false);
    ASSERT_TRUE(combo.Create(Parent(), 11, 5, 5, 120, 200));
    combo.AddEntry(L"Uncommon", 30, true);
    combo.AddEntry(L"abundant", 10, true);
    combo.AddEntry(L"Common", 20, false);
    EXPECT_EQ(ModelItems(combo), (Items{{L"Uncommon", 30}, {L"abundant", 10}, {L"Common", 20}}));
    EXPECT_EQ(ComboItems(combo.Window()), (Items{{L"Uncommon", 30}, {L"abundant", 10}}));
    EXPECT_EQ(ComboSelection(combo.Window()), 1);
}

TEST_F(ComboListBoxTest, ComboDropsTextsEqualIgnoringCaseFromModelAndControl) {
    for (bool sorted : {true, false}) {
        TQComboBox combo(sorted);
        ASSERT_TRUE(combo.Create(Parent(), 11, 5, 5, 120, 200));
        EXPECT_TRUE(combo.AddEntry(L"Red", 1, true));
        EXPECT_TRUE(combo.AddEntry(L"Éclat", 2, true));
        EXPECT_FALSE(combo.AddEntry(L"red", 3, true));
        EXPECT_FALSE(combo.AddEntry(L"éCLAT", 4, true));
        // Case is ignored, accents are not.
        EXPECT_TRUE(combo.AddEntry(L"Eclat", 5, false));
        Items kept = sorted ? Items{{L"Eclat", 5}, {L"Éclat", 2}, {L"Red", 1}}
                            : Items{{L"Red", 1}, {L"Éclat", 2}, {L"Eclat", 5}};
        EXPECT_EQ(ModelItems(combo), kept) << "sorted " << sorted;
        EXPECT_EQ(ComboItems(combo.Window()).size(), 2u);
        EXPECT_EQ(combo.Entries().Count(), 3);
    }
}

TEST_F(ComboListBoxTest, ComboFillAppendsVisibleEntriesAndSelectsTheWantedOne) {
    TQComboBox combo(false);
    ASSERT_TRUE(combo.Create(Parent(), 11, 5, 5, 120, 200));
    AddAll(combo, {{L"Shell", 4}, {L"(none)", TQComboBox::kHiddenData}, {L"Fossil", 7}, {L"Mineral", 9}});
    EXPECT_TRUE(combo.FillAndSelectText(L"FOSSIL"));
    EXPECT_EQ(ComboItems(combo.Window()), (Items{{L"Shell", 4}, {L"Fossil", 7}, {L"Mineral", 9}}));
    EXPECT_EQ(ComboSelection(combo.Window()), 1);

    // The control is not emptied first: a second fill appends again.
    EXPECT_TRUE(combo.FillAndSelectData(9));
    EXPECT_EQ(ComboItems(combo.Window()).size(), 6u);
    EXPECT_EQ(ComboSelection(combo.Window()), 5);
}

TEST_F(ComboListBoxTest, ComboFillWithoutTheWantedEntrySelectsTheFirstItem) {
    struct Case {
        bool byText;
        Items entries;
        bool appended;
        int selection;
    };
    const Case cases[] = {
            {true, {{L"Shell", 4}, {L"Fossil", 7}}, true, 0},
            {false, {{L"Shell", 4}, {L"Fossil", 7}}, true, 0},
            {true, {}, false, -1},
            {false, {}, false, -1},
            {true, {{L"Zircon", TQComboBox::kHiddenData}}, false, -1},
    };
    for (const Case& c : cases) {
        TQComboBox combo(true);
        ASSERT_TRUE(combo.Create(Parent(), 11, 5, 5, 120, 200));
        AddAll(combo, c.entries);
        bool appended = c.byText ? combo.FillAndSelectText(L"Zircon") : combo.FillAndSelectData(99);
        EXPECT_EQ(appended, c.appended) << "entries " << c.entries.size() << " by text " << c.byText;
        EXPECT_EQ(ComboSelection(combo.Window()), c.selection) << "entries " << c.entries.size();
    }
}

TEST_F(ComboListBoxTest, ComboReadsTheSelectionBackAsEntryTextAndControlText) {
    TQComboBox combo(true);
    ASSERT_TRUE(combo.Create(Parent(), 11, 5, 5, 120, 200));
    AddAll(combo, {{L"Uncommon", 30}, {L"abundant", 10}, {L"Common", 20}, {L"Rare", 20}});
    ASSERT_TRUE(combo.FillAndSelectData(10));

    combo.SelectByData(20);
    EXPECT_EQ(ComboSelection(combo.Window()), 1);
    EXPECT_EQ(combo.SelectedEntryText(), L"Common");
    std::wstring text = L"before";
    EXPECT_TRUE(combo.SelectedText(text));
    EXPECT_EQ(text, L"Common");

    combo.SelectByData(30);
    EXPECT_EQ(combo.SelectedEntryText(), L"Uncommon");
    combo.SelectByData(77);
    EXPECT_EQ(ComboSelection(combo.Window()), 3) << "an unknown data keeps the selection";

    SendMessageW(combo.Window(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(combo.SelectedEntryText(), std::nullopt);
    text = L"before";
    EXPECT_FALSE(combo.SelectedText(text));
    EXPECT_EQ(text, L"before");

    // With nothing selected the lookup is made with data 0.
    combo.AddEntry(L"Unknown", 0);
    EXPECT_EQ(combo.SelectedEntryText(), L"Unknown");
}

TEST_F(ComboListBoxTest, ComboWithoutControlKeepsItsModelAndFindsNothing) {
    TQComboBox combo(true);
    EXPECT_TRUE(combo.AddEntry(L"Red", 1, true));
    EXPECT_FALSE(combo.AddEntry(L"RED", 2, true));
    EXPECT_EQ(combo.Entries().Count(), 1);
    EXPECT_FALSE(combo.FillAndSelectText(L"Red"));
    EXPECT_FALSE(combo.FillAndSelectData(1));
    combo.SelectByData(1);
    EXPECT_EQ(combo.SelectedEntryText(), std::nullopt);
    std::wstring text = L"kept";
    EXPECT_FALSE(combo.SelectedText(text));
    EXPECT_EQ(text, L"kept");
}

TEST_F(ComboListBoxTest, AttachedControlsAreFilledAndGivenBackAlive) {
    HWND comboWindow = MakeControl(L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL);
    HWND listWindow = MakeControl(L"ListBox", LBS_NOTIFY);
    {
        TQComboBox combo(true);
        combo.Attach(comboWindow);
        AddAll(combo, {{L"Mauve", 3}, {L"amber", 1}});
        EXPECT_TRUE(combo.FillAndSelectText(L"mauve"));
        EXPECT_EQ(ComboItems(comboWindow), (Items{{L"amber", 1}, {L"Mauve", 3}}));
        EXPECT_EQ(combo.SelectedEntryText(), L"Mauve");

        TQListBox list;
        list.Attach(listWindow);
        list.AddItem(L"Title", 5);
        EXPECT_EQ(list.ItemCount(), 1);
    }
    EXPECT_TRUE(IsWindow(comboWindow));
    EXPECT_TRUE(IsWindow(listWindow));
    EXPECT_EQ(SendMessageW(listWindow, LB_GETCOUNT, 0, 0), 1);
}

TEST_F(ComboListBoxTest, ListBoxMovesTheSelectedItemWithItsData) {
    TQListBox list;
    ASSERT_TRUE(list.Create(Parent(), 12, 5, 5, 120, 200));
    EXPECT_EQ(list.CurrentSelection(), std::nullopt);
    EXPECT_EQ(list.AddItem(L"Name", 1), 0);
    EXPECT_EQ(list.AddItem(L"Locality", 2), 1);
    EXPECT_EQ(list.AddItem(L"Date", 3), 2);
    Items original{{L"Name", 1}, {L"Locality", 2}, {L"Date", 3}};
    EXPECT_EQ(ListItems(list), original);

    SendMessageW(list.Window(), LB_SETCURSEL, 1, 0);
    list.MoveSelectedUp();
    EXPECT_EQ(ListItems(list), (Items{{L"Locality", 2}, {L"Name", 1}, {L"Date", 3}}));
    EXPECT_EQ(list.CurrentSelection(), 0);
    EXPECT_TRUE(list.IsSelected(0));
    EXPECT_FALSE(list.IsSelected(1));

    list.MoveSelectedUp();
    EXPECT_EQ(ListItems(list), (Items{{L"Locality", 2}, {L"Name", 1}, {L"Date", 3}})) << "first stays";
    EXPECT_EQ(list.CurrentSelection(), 0);

    list.MoveSelectedDown();
    list.MoveSelectedDown();
    EXPECT_EQ(ListItems(list), (Items{{L"Name", 1}, {L"Date", 3}, {L"Locality", 2}}));
    EXPECT_EQ(list.CurrentSelection(), 2);
    list.MoveSelectedDown();
    EXPECT_EQ(ListItems(list), (Items{{L"Name", 1}, {L"Date", 3}, {L"Locality", 2}})) << "last stays";

    list.ClearSelection();
    EXPECT_EQ(list.CurrentSelection(), std::nullopt);
    list.MoveSelectedUp();
    EXPECT_EQ(ListItems(list), (Items{{L"Name", 1}, {L"Date", 3}, {L"Locality", 2}}));

    list.DeleteItem(1);
    EXPECT_EQ(ListItems(list), (Items{{L"Name", 1}, {L"Locality", 2}}));
}

TEST_F(ComboListBoxTest, ListBoxMovesTakeTheItemDataAlongAndStopAtTheEnds) {
    TQListBox list;
    ASSERT_TRUE(list.Create(Parent(), 5, 0, 0, 100, 100));
    EXPECT_EQ(list.AddItem(L"Alpha", 10), 0);
    EXPECT_EQ(list.AddItem(L"Beta", 20), 1);
    EXPECT_EQ(list.AddItem(L"Gamma", 30), 2);
    auto items = [&] {
        std::wstring text;
        for (int i = 0; i < list.ItemCount(); ++i)
            text += list.ItemText(i) + L":" + std::to_wstring(list.ItemData(i)) + L" ";
        return text;
    };
    auto selected = [&] { return static_cast<int>(SendMessageW(list.Window(), LB_GETCURSEL, 0, 0)); };
    auto select = [&](int index) { SendMessageW(list.Window(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); };

    struct Step {
        int select;  // -2: keep the selection
        void (TQListBox::*move)();
        const wchar_t* expected;
        int selectedAfter;
    };
    const Step steps[] = {
            {-1, &TQListBox::MoveSelectedDown, L"Alpha:10 Beta:20 Gamma:30 ", -1},
            {0, &TQListBox::MoveSelectedUp, L"Alpha:10 Beta:20 Gamma:30 ", 0},
            {-2, &TQListBox::MoveSelectedDown, L"Beta:20 Alpha:10 Gamma:30 ", 1},
            {-2, &TQListBox::MoveSelectedDown, L"Beta:20 Gamma:30 Alpha:10 ", 2},
            {-2, &TQListBox::MoveSelectedDown, L"Beta:20 Gamma:30 Alpha:10 ", 2},
            {-2, &TQListBox::MoveSelectedUp, L"Beta:20 Alpha:10 Gamma:30 ", 1},
            {-2, &TQListBox::ClearSelection, L"Beta:20 Alpha:10 Gamma:30 ", -1},
    };
    for (const Step& step : steps) {
        if (step.select != -2)
            select(step.select);
        (list.*step.move)();
        EXPECT_EQ(items(), step.expected);
        EXPECT_EQ(selected(), step.selectedAfter) << items();
    }
    list.DeleteItem(0);
    EXPECT_EQ(items(), L"Alpha:10 Gamma:30 ");
}

}  // namespace
