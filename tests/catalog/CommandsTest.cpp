#include <gtest/gtest.h>

#include <map>
#include <set>

#include "catalog/Commands.h"
#include "catalog/StringTable.h"

namespace {

template <size_t N>
std::map<int, bool> ByCommand(const std::array<CommandState, N>& states) {
    std::map<int, bool> result;
    for (CommandState state : states)
        result[state.command] = state.enabled;
    return result;
}

TEST(Commands, MenuEnablesTheSpecimenItemsBySelection) {
    struct Case {
        int selected;
        bool changeCategory, copy, add, remove, edit;
    };
    const Case cases[] = {
            {0, false, false, true, false, false},
            {1, true, true, true, true, true},
            {2, true, false, true, true, false},
            {40, true, false, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        std::map<int, bool> states = ByCommand(MenuStates(c.selected, true));
        EXPECT_EQ(states.size(), 6u);
        EXPECT_EQ(states[IDM_CHANGE_CATEGORY], c.changeCategory);
        EXPECT_EQ(states[IDM_COPY_SPECIMEN], c.copy);
        EXPECT_EQ(states[IDM_ADD_SPECIMEN], c.add);
        EXPECT_EQ(states[IDM_DELETE_SPECIMEN], c.remove);
        EXPECT_EQ(states[IDM_EDIT_SPECIMEN], c.edit);
    }
}

TEST(Commands, ToolbarKeepsEditEnabledForSeveralSpecimens) {
    struct Case {
        int selected;
        bool changeCategory, add, remove, edit;
    };
    const Case cases[] = {
            {0, false, true, false, false},
            {1, true, true, true, true},
            {2, true, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        std::map<int, bool> states = ByCommand(ToolbarStates(c.selected, true));
        EXPECT_EQ(states.size(), 5u);
        EXPECT_EQ(states.count(IDM_COPY_SPECIMEN), 0u);
        EXPECT_EQ(states[IDM_CHANGE_CATEGORY], c.changeCategory);
        EXPECT_EQ(states[IDM_ADD_SPECIMEN], c.add);
        EXPECT_EQ(states[IDM_DELETE_SPECIMEN], c.remove);
        EXPECT_EQ(states[IDM_EDIT_SPECIMEN], c.edit);
    }
}

TEST(Commands, RestoreFollowsTheBackupWhateverIsSelected) {
    for (int selected : {0, 1, 3}) {
        for (bool available : {false, true}) {
            EXPECT_EQ(ByCommand(MenuStates(selected, available))[IDM_RESTORE_BACKUP], available);
            EXPECT_EQ(ByCommand(ToolbarStates(selected, available))[IDM_RESTORE_BACKUP], available);
        }
    }
}

TEST(Commands, ReadOnlyRefusesTheCommandsThatChangeTheCatalog) {
    // Add, Delete and Copy Specimen; the category commands; Customize Columns, Import, Options.
    const int refused[] = {1100, 1101, 2001, 2100, 2101, 2102, 2103, 2104, 2200, 2203, 2206};
    for (int command : refused) {
        EXPECT_EQ(ReadOnlyRuleOf(command), ReadOnlyRule::Refuses) << command;
        EXPECT_TRUE(ReadOnlyRefused(command)) << command;
    }

    EXPECT_EQ(ReadOnlyRuleOf(IDM_EDIT_SPECIMEN), ReadOnlyRule::PassesToDialog);
    EXPECT_EQ(ReadOnlyRuleOf(IDM_CHANGE_CATEGORY), ReadOnlyRule::PassesToDialog);
    EXPECT_EQ(ReadOnlyRuleOf(IDM_NEW), ReadOnlyRule::SkipsSaveIfDue);
    EXPECT_EQ(ReadOnlyRuleOf(IDM_OPEN), ReadOnlyRule::SkipsSaveIfDue);

    const int running[] = {2002, 2201, 2202, 2207, 2208, 2209, 2210, 2211,
                           2212, 2300, 2301, 2302, 2303, 2304, 2600};
    for (int command : running)
        EXPECT_EQ(ReadOnlyRuleOf(command), ReadOnlyRule::Runs) << command;
}

TEST(Commands, OnlyTheCommandTableIsHandled) {
    for (int id : {1100, 1102, 2000, 2002, 2100, 2104, 2200, 2212, 2300, 2304, 2600})
        EXPECT_TRUE(IsCommand(id)) << id;
    for (int id : {0, 1099, 1103, 1204, 2003, 2099, 2105, 2213, 2299, 2305, 2400, 2500, 2599, 2601})
        EXPECT_FALSE(IsCommand(id)) << id;
}

TEST(Commands, EveryToolbarButtonHasItsCommandLabelAndTooltip) {
    std::set<int> commands;
    for (int i = 0; i < kToolbarButtonCount; ++i) {
        const ToolbarButton& button = kToolbarButtons[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(button.image, i);
        EXPECT_TRUE(IsCommand(button.command));
        EXPECT_TRUE(commands.insert(button.command).second);
        EXPECT_FALSE(LoadText(ToolbarLabelId(button.image)).empty());
        EXPECT_FALSE(LoadText(TooltipId(button.command)).empty());
    }

    EXPECT_EQ(LoadText(ToolbarLabelId(6)), L"Add Catgeory");
    EXPECT_EQ(LoadText(ToolbarLabelId(19)), L"Technical Support");
    EXPECT_EQ(LoadText(TooltipId(IDM_CHANGE_CATEGORY)), L"Change the category of a Specimen");
    EXPECT_EQ(LoadText(TooltipId(IDM_RESTORE_BACKUP)), L"Restore from last saved backup");
    EXPECT_EQ(LoadText(TooltipId(IDM_CHECK_UPDATE)), L"Check for an updated version of Orvelle");
}

TEST(Commands, ImportTakesCommaSeparatedValuesByTheLastExtension) {
    const std::pair<const wchar_t*, bool> cases[] = {
            {L"specimens.csv", true},
            {L"SPECIMENS.CSV", true},
            {L"C:\\Data\\shells.Csv", true},
            {L"shells.csvx", true},
            {L"shells.csv.xml", false},
            {L"shells.xml.csv", true},
            {L"shells.xml", false},
            {L"shells.cs", false},
            {L"shells.", false},
            {L"shells", false},
            {L"csv", false},
            {L"", false},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(IsCommaSeparatedName(name), expected) << name;
}

}  // namespace
