#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "base/StringTable.h"
#include "frame/CommandTable.h"

namespace {

std::map<int, bool> ByCommand(const std::vector<CommandState>& states) {
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
            {2, true, false, true, true, true},
            {40, true, false, true, true, true},
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
    const int refused[] = {1100, 1101, 2001, 2100, 2101, 2102, 2103, 2104, 2200, 2203, 2206, 2211};
    for (int command : refused) {
        EXPECT_EQ(ReadOnlyRuleOf(command), ReadOnlyRule::Refuses) << command;
        EXPECT_TRUE(ReadOnlyRefused(command)) << command;
    }

    EXPECT_EQ(ReadOnlyRuleOf(IDM_EDIT_SPECIMEN), ReadOnlyRule::PassesToDialog);
    EXPECT_EQ(ReadOnlyRuleOf(IDM_CHANGE_CATEGORY), ReadOnlyRule::PassesToDialog);
    EXPECT_EQ(ReadOnlyRuleOf(IDM_NEW), ReadOnlyRule::SkipsSaveIfDue);
    EXPECT_EQ(ReadOnlyRuleOf(IDM_OPEN), ReadOnlyRule::SkipsSaveIfDue);

    const int running[] = {2002, 2201, 2202, 2207, 2208, 2209, 2210, 2212, 2300, 2301, 2302, 2303, 2304, 2600};
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
    const std::vector<ToolbarButton> buttons = ToolbarButtons();
    ASSERT_EQ(buttons.size(), 21u);
    for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
        const ToolbarButton& button = buttons[static_cast<size_t>(i)];
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

std::string SourceText(const std::string& relativePath) {
    std::ifstream file(std::string(ORVELLE_SOURCE_DIR) + "/" + relativePath);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every command identifier resource.h defines, by name.
std::map<std::string, int> DefinedCommands() {
    std::map<std::string, int> commands;
    const std::string header = SourceText("resources/resource.h");
    const std::regex define(R"(#define\s+(IDM_\w+)\s+(\d+))");
    for (std::sregex_iterator it(header.begin(), header.end(), define), end; it != end; ++it)
        commands[(*it)[1]] = std::stoi((*it)[2]);
    return commands;
}

TEST(Commands, TheTableMatchesTheResourcesOneRowPerCommand) {
    const std::map<std::string, int> defined = DefinedCommands();
    ASSERT_GE(defined.size(), 30u);
    std::set<int> rows;
    for (const CommandRow& row : CommandTable())
        EXPECT_TRUE(rows.insert(row.id).second) << "two rows for " << row.id;
    for (const auto& [name, id] : defined)
        EXPECT_EQ(rows.count(id), 1u) << name << " has no row";
    EXPECT_EQ(rows.size(), defined.size());

    // Every item of every menu and every key runs a command with a row.
    const std::string menus = SourceText("resources/Menus.rc");
    const std::regex used(R"(\b(IDM_\w+)\b)");
    int uses = 0;
    for (std::sregex_iterator it(menus.begin(), menus.end(), used), end; it != end; ++it, ++uses) {
        auto found = defined.find((*it)[1]);
        ASSERT_NE(found, defined.end()) << (*it)[1] << " is not defined";
        EXPECT_TRUE(IsCommand(found->second)) << found->first;
    }
    EXPECT_GT(uses, 50);
}

TEST(Commands, EveryRowsTextsAndImagesExist) {
    std::set<int> images;
    for (const CommandRow& row : CommandTable()) {
        SCOPED_TRACE(row.id);
        EXPECT_EQ(FindCommand(row.id), &row);
        if (row.tooltip != 0) {
            EXPECT_FALSE(LoadText(row.tooltip).empty());
        }
        if (row.toolbarImage == kNoToolbarImage)
            continue;
        EXPECT_NE(row.tooltip, 0u);
        EXPECT_TRUE(images.insert(row.toolbarImage).second);
        EXPECT_LT(row.toolbarImage, IDI_TOOLBAR_COUNT);
        EXPECT_FALSE(LoadText(ToolbarLabelId(row.toolbarImage)).empty());
    }
    EXPECT_EQ(FindCommand(IDR_MAIN_MENU), nullptr);
    EXPECT_EQ(TooltipId(IDR_MAIN_MENU), 0u);
}

}  // namespace
