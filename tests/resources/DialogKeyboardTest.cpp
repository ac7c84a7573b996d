#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

// Every dialog is used without a mouse too: these tests read the dialog templates in resources/
// and check that Tab reaches every control in the order they are laid out, and that each control
// has an Alt key of its own among the controls shown with it.

namespace {

const std::string kResourceFolder = std::string(ORVELLE_SOURCE_DIR) + "/resources/";

// What a template statement makes, as far as the keyboard is concerned.
enum class Role {
    Label,     // static text; its mnemonic goes to the control after it
    Button,    // push button, check box or radio button, named by its own text
    Field,     // edit, combo or list box, named by the label before it
    TabStrip,  // the pages of a dialog with pages
    Other,     // icons, frames, progress bars
};

// Whether the resource compiler (windres) sets WS_TABSTOP on a statement that does not name it:
// always, only when the statement writes no style, or never.
enum class DefaultTabStop { Always, WithoutStyle, Never };

struct Statement {
    const char* name;
    Role role;
    DefaultTabStop tabStop;
};

constexpr Statement kStatements[] = {
        {"LTEXT", Role::Label, DefaultTabStop::Never},
        {"RTEXT", Role::Label, DefaultTabStop::Never},
        {"CTEXT", Role::Label, DefaultTabStop::Never},
        {"GROUPBOX", Role::Label, DefaultTabStop::Never},
        {"ICON", Role::Other, DefaultTabStop::Never},
        {"PUSHBUTTON", Role::Button, DefaultTabStop::Always},
        {"DEFPUSHBUTTON", Role::Button, DefaultTabStop::Always},
        {"AUTOCHECKBOX", Role::Button, DefaultTabStop::Always},
        {"CHECKBOX", Role::Button, DefaultTabStop::Always},
        {"AUTORADIOBUTTON", Role::Button, DefaultTabStop::WithoutStyle},
        {"RADIOBUTTON", Role::Button, DefaultTabStop::WithoutStyle},
        {"EDITTEXT", Role::Field, DefaultTabStop::Always},
        {"COMBOBOX", Role::Field, DefaultTabStop::WithoutStyle},
        {"LISTBOX", Role::Field, DefaultTabStop::Never},
        {"CONTROL", Role::Other, DefaultTabStop::Never},
};

// The window classes a CONTROL statement may name that take the keyboard.
Role RoleOfClass(const std::string& windowClass) {
    static const std::map<std::string, Role> roles = {
            {"Button", Role::Button},
            {"Edit", Role::Field},
            {"ComboBox", Role::Field},
            {"ListBox", Role::Field},
            {"SysListView32", Role::Field},
            {"SysTreeView32", Role::Field},
            {"SysDateTimePick32", Role::Field},
            {"SysMonthCal32", Role::Field},
            {"msctls_updown32", Role::Field},
            {"msctls_trackbar32", Role::Field},
            {"SysTabControl32", Role::TabStrip},
    };
    auto found = roles.find(windowClass);
    return found == roles.end() ? Role::Other : found->second;
}

struct Control {
    std::string where;  // file:line and identifier, for messages
    std::string statement;
    std::string text;
    std::string id;
    std::set<std::string> styles, removedStyles;
    bool styleWritten = false;
    Role role = Role::Other;
    int x = 0, y = 0, width = 0, height = 0;

    bool Has(const std::string& style) const { return styles.count(style) == 1; }
    bool Hidden() const { return removedStyles.count("WS_VISIBLE") == 1; }
    bool Interactive() const { return (role == Role::Button || role == Role::Field || role == Role::TabStrip); }
    bool Radio() const { return statement.find("RADIOBUTTON") != std::string::npos; }
    // The height shown while the dialog is at rest: a drop-down combo box's template height
    // includes its list.
    int ShownHeight() const {
        if (statement == "COMBOBOX" && (Has("CBS_DROPDOWN") || Has("CBS_DROPDOWNLIST")))
            return std::min(height, 14);
        return height;
    }
};

// A run of controls: a page of a dialog with pages, or the whole of any other dialog.
struct Section {
    bool onEveryPage = true;
    std::vector<Control> controls;
};

struct Dialog {
    std::string name;
    std::vector<Section> sections;
    std::vector<std::string> unread;  // lines the parser could not make out
};

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The statement's arguments, split at the commas outside quotes.
std::vector<std::string> Arguments(const std::string& text) {
    std::vector<std::string> arguments(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        if (c == ',' && !quoted)
            arguments.emplace_back();
        else
            arguments.back() += c;
    }
    for (std::string& each : arguments)
        each = Trim(each);
    return arguments;
}

// A number as the template writes it; nothing for an expression.
std::optional<int> Number(const std::string& text) {
    if (text.empty() || text.find_first_not_of("-0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(text);
}

std::string Unquoted(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

void ReadStyles(const std::string& expression, Control& control) {
    control.styleWritten = true;
    std::istringstream words(expression);
    bool removing = false;
    for (std::string word; words >> word;) {
        if (word == "|")
            continue;
        if (word == "NOT") {
            removing = true;
            continue;
        }
        (removing ? control.removedStyles : control.styles).insert(word);
        removing = false;
    }
}

// One control statement of a template; nothing when the line is not one.
std::optional<Control> ReadControl(const std::string& line) {
    std::istringstream words(line);
    std::string name;
    words >> name;
    const auto kind = std::find_if(std::begin(kStatements), std::end(kStatements),
                                   [&](const Statement& each) { return name == each.name; });
    if (kind == std::end(kStatements))
        return std::nullopt;
    std::string rest;
    std::getline(words, rest);
    std::vector<std::string> arguments = Arguments(rest);

    Control control;
    control.statement = name;
    control.role = kind->role;
    size_t at = 0;
    if (kind->role != Role::Field)
        control.text = Unquoted(arguments[at++]);
    if (arguments.size() < at + 5)
        return std::nullopt;
    control.id = arguments[at++];
    if (name == "CONTROL") {
        if (arguments.size() < 7)
            return std::nullopt;
        control.role = RoleOfClass(Unquoted(arguments[at++]));
        ReadStyles(arguments[at++], control);
    }
    for (int* place : {&control.x, &control.y, &control.width, &control.height}) {
        const std::optional<int> number = Number(arguments[at++]);
        if (!number)
            return std::nullopt;
        *place = *number;
    }
    if (name != "CONTROL" && at < arguments.size())
        ReadStyles(arguments[at], control);
    return control;
}

bool TabStop(const Control& control) {
    if (control.removedStyles.count("WS_TABSTOP"))
        return false;
    if (control.Has("WS_TABSTOP"))
        return true;
    const auto kind = std::find_if(std::begin(kStatements), std::end(kStatements),
                                   [&](const Statement& each) { return control.statement == each.name; });
    return kind->tabStop == DefaultTabStop::Always ||
           (kind->tabStop == DefaultTabStop::WithoutStyle && !control.styleWritten);
}

// Comments in a dialog without a tab strip are only comments: its controls are all shown together.
void JoinSectionsWithoutPages(Dialog& dialog) {
    std::vector<Control> all;
    for (const Section& section : dialog.sections)
        all.insert(all.end(), section.controls.begin(), section.controls.end());
    const bool paged = std::any_of(all.begin(), all.end(), [](const Control& c) { return c.role == Role::TabStrip; });
    if (!paged)
        dialog.sections = {Section{true, all}};
}

// The dialogs of one file. In a dialog with a tab strip, a comment line starts each page's
// controls, and one beginning "On every page" those shown with all pages.
std::vector<Dialog> ReadDialogs(const std::string& file) {
    std::ifstream source(kResourceFolder + file);
    std::vector<Dialog> dialogs;
    bool inside = false;
    int number = 0;
    for (std::string line; std::getline(source, line);) {
        ++number;
        line = Trim(line);
        if (!inside && line.starts_with("//"))
            continue;
        if (line.find(" DIALOGEX ") != std::string::npos) {
            dialogs.push_back({line.substr(0, line.find(' ')), {Section{}}, {}});
        } else if (!dialogs.empty() && line == "BEGIN") {
            inside = true;
        } else if (inside && line == "END") {
            inside = false;
        } else if (inside && line.starts_with("//")) {
            dialogs.back().sections.push_back({Trim(line.substr(2)).starts_with("On every page"), {}});
        } else if (inside && !line.empty()) {
            std::optional<Control> control = ReadControl(line);
            if (!control) {
                dialogs.back().unread.push_back(file + ":" + std::to_string(number) + ": " + line);
                continue;
            }
            control->where = file + ":" + std::to_string(number) + " " +
                             (control->id == "-1" ? "\"" + control->text + "\"" : control->id);
            dialogs.back().sections.back().controls.push_back(*control);
        }
    }
    for (Dialog& dialog : dialogs)
        JoinSectionsWithoutPages(dialog);
    return dialogs;
}

const std::vector<Dialog>& AllDialogs() {
    static const std::vector<Dialog> dialogs = [] {
        std::vector<Dialog> all;
        for (const auto& entry : std::filesystem::directory_iterator(kResourceFolder)) {
            if (entry.path().extension() != ".rc")
                continue;
            for (Dialog& dialog : ReadDialogs(entry.path().filename().string()))
                all.push_back(dialog);
        }
        return all;
    }();
    return dialogs;
}

// The sections shown at one time: each page with the controls of every page, or the whole
// dialog when it has no pages.
std::vector<std::vector<const Control*>> Views(const Dialog& dialog) {
    std::vector<const Control*> common;
    for (const Section& section : dialog.sections) {
        if (section.onEveryPage) {
            for (const Control& control : section.controls)
                common.push_back(&control);
        }
    }
    std::vector<std::vector<const Control*>> views;
    for (const Section& section : dialog.sections) {
        if (section.onEveryPage)
            continue;
        views.push_back(common);
        for (const Control& control : section.controls)
            views.back().push_back(&control);
    }
    if (views.empty())
        views.push_back(common);
    return views;
}

// The letter Alt chooses, lower case; 0 when the text has none. "&&" shows one "&".
char Mnemonic(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&' && text[i + 1] == '&')
            ++i;
        else if (text[i] == '&')
            return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

int MnemonicCount(const std::string& text) {
    int count = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&' && text[i + 1] == '&')
            ++i;
        else if (text[i] == '&')
            ++count;
    }
    return count;
}

bool HasLetterOrDigit(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// The date patterns share their three letters among four buttons; the group is reached with
// Tab and the pattern chosen with the arrow keys.
const std::set<std::string> kWithoutMnemonic = {"IDC_DATE_MM_DD_YYYY", "IDC_DATE_MM_DD_YY", "IDC_DATE_DD_MM_YYYY",
                                                "IDC_DATE_DD_MM_YY"};

// Whether the button must carry its own mnemonic: OK and Cancel answer Enter and Escape, and a
// text without letters ("...", "-->") has none to give.
bool NeedsOwnMnemonic(const Control& button) {
    return button.text != "OK" && button.text != "Cancel" && HasLetterOrDigit(button.text) &&
           kWithoutMnemonic.count(button.id) == 0;
}

TEST(DialogKeyboard, EveryTemplateIsReadWhole) {
    ASSERT_GE(AllDialogs().size(), 15u);
    for (const Dialog& dialog : AllDialogs()) {
        for (const std::string& line : dialog.unread)
            ADD_FAILURE() << dialog.name << ": not a control statement: " << line;
    }
}

TEST(DialogKeyboard, TabReachesEveryControlInTheOrderTheyAreLaidOut) {
    for (const Dialog& dialog : AllDialogs()) {
        for (const Section& section : dialog.sections) {
            const Control* previous = nullptr;
            for (const Control& control : section.controls) {
                // A hidden control is shown, or read, by the program itself.
                if (!control.Interactive() || control.Hidden())
                    continue;
                // Later buttons of a radio group are reached with the arrow keys.
                const bool inRadioGroup = control.Radio() && previous && previous->Radio() && !control.Has("WS_GROUP");
                EXPECT_TRUE(TabStop(control) || inRadioGroup)
                        << dialog.name << ": " << control.where << " is not a tab stop";
                previous = &control;
            }
        }
    }
}

// The group box a control lies in, if any: the controls of a box are ordered among themselves.
const Control* BoxOf(const Control& control, const Section& section) {
    for (const Control& box : section.controls) {
        if (box.statement == "GROUPBOX" && control.x >= box.x && control.x < box.x + box.width && control.y >= box.y &&
            control.y < box.y + box.height)
            return &box;
    }
    return nullptr;
}

// Whether Tab going from the earlier control to the later one goes backwards: the earlier lies
// wholly below the later, or on the same row to its right.
bool GoesBackwards(const Control& earlier, const Control& later) {
    if (earlier.y >= later.y + later.ShownHeight())
        return true;
    const bool sameRow = earlier.y < later.y + later.ShownHeight() && later.y < earlier.y + earlier.ShownHeight();
    return sameRow && earlier.x > later.x;
}

TEST(DialogKeyboard, TabOrderFollowsTheLayout) {
    for (const Dialog& dialog : AllDialogs()) {
        // The buttons of every page come after the pages.
        bool buttonsSeen = false;
        for (const Section& section : dialog.sections) {
            EXPECT_FALSE(buttonsSeen && !section.onEveryPage) << dialog.name << ": a page follows its buttons";
            buttonsSeen = buttonsSeen || (section.onEveryPage && !section.controls.empty());
        }
        for (const Section& section : dialog.sections) {
            // Each box's controls, and the boxes with the controls outside them, in template order.
            std::map<const Control*, std::vector<const Control*>> runs;
            for (const Control& control : section.controls) {
                // The tab strip stands last so that it lies under the pages' controls.
                if (control.role == Role::TabStrip || control.Hidden())
                    continue;
                if (control.statement == "GROUPBOX")
                    runs[nullptr].push_back(&control);
                else if (control.Interactive())
                    runs[BoxOf(control, section)].push_back(&control);
            }
            for (const auto& [box, run] : runs) {
                for (size_t later = 0; later < run.size(); ++later) {
                    for (size_t earlier = 0; earlier < later; ++earlier) {
                        EXPECT_FALSE(GoesBackwards(*run[earlier], *run[later]))
                                << dialog.name << ": " << run[later]->where << " comes after " << run[earlier]->where;
                    }
                }
            }
        }
    }
}

TEST(DialogKeyboard, EveryControlWithALabelHasAMnemonic) {
    for (const Dialog& dialog : AllDialogs()) {
        for (const Section& section : dialog.sections) {
            const auto& controls = section.controls;
            for (size_t i = 0; i < controls.size(); ++i) {
                const Control& control = controls[i];
                const Control* before = i > 0 ? &controls[i - 1] : nullptr;
                const Control* after = i + 1 < controls.size() ? &controls[i + 1] : nullptr;
                if (control.role == Role::Label && Mnemonic(control.text) != 0) {
                    EXPECT_TRUE(after && after->Interactive())
                            << dialog.name << ": " << control.where << " gives its mnemonic to no control after it";
                }
                if (!control.Interactive() || control.Hidden())
                    continue;
                if (control.role == Role::Button && !control.text.empty()) {
                    EXPECT_TRUE(!NeedsOwnMnemonic(control) || MnemonicCount(control.text) == 1)
                            << dialog.name << ": " << control.where << " needs one mnemonic";
                } else if (before && before->role == Role::Label && !before->text.empty()) {
                    // An empty label gets its text when the dialog opens, and cannot have one.
                    EXPECT_NE(Mnemonic(before->text), 0) << dialog.name << ": " << control.where << "'s label "
                                                         << before->where << " has no mnemonic";
                }
            }
        }
    }
}

TEST(DialogKeyboard, ControlsShownTogetherHaveDifferentMnemonics) {
    for (const Dialog& dialog : AllDialogs()) {
        for (const auto& view : Views(dialog)) {
            std::map<char, const Control*> owners;
            for (const Control* control : view) {
                const char letter = Mnemonic(control->text);
                if (letter == 0 || control->Hidden())
                    continue;
                auto [owner, added] = owners.emplace(letter, control);
                EXPECT_TRUE(added) << dialog.name << ": " << control->where << " and " << owner->second->where
                                   << " share Alt+" << letter;
            }
        }
    }
}

}  // namespace
