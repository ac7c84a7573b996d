#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <tuple>

#include "catalog/OptionsForm.h"
#include "catalog/Settings.h"

namespace {

TEST(OptionsForm, NextTagIsAWholeNumberFromOneAndAnythingElseIsOne) {
    const std::tuple<const wchar_t*, std::uint32_t> cases[] = {
            {L"1", 1},
            {L"42", 42},
            {L" 7 ", 7},
            {L"007", 7},
            {L"0", 1},
            {L"", 1},
            {L"   ", 1},
            {L"abc", 1},
            {L"12abc", 1},
            {L"1 2", 1},
            {L"-5", 1},
            {L"+5", 1},
            {L"4294967295", 4294967295},
            {L"4294967296", 1},
            {L"99999999999999999999", 1},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(NextTagOf(text), expected) << '"' << text << '"';
    EXPECT_EQ(NextTagText(4294967295), L"4294967295");
}

TEST(OptionsForm, OnlyTheFourOfferedDateStylesAreShownOrStored) {
    const std::tuple<int, int> cases[] = {{1, 1}, {3, 3}, {5, 5}, {6, 6}, {0, 6}, {2, 6}, {4, 6}, {7, 6}, {-1, 6}};
    for (const auto& [stored, offered] : cases) {
        Settings settings;
        settings.dateStyle = stored;
        EXPECT_EQ(FormOf(settings, true).dateStyle, offered) << stored;
        OptionsForm form;
        form.dateStyle = stored;
        StoreForm(form, settings);
        EXPECT_EQ(settings.dateStyle, offered) << stored;
    }
}

Settings Unusual() {
    Settings s;
    s.trackWindow = false;
    s.backup = false;
    s.hideStatusBar = true;
    s.storeImages = true;
    s.showMessages = false;
    s.dateStyle = 5;
    s.sizeUnits = L"in";
    s.tagFormat = L"S-###";
    s.nextTagNumber = 17;
    s.captions = {L"Host", L"", L"Depth", L"Field 4", L"Zone"};
    return s;
}

TEST(OptionsForm, StoringTheFormShownKeepsEverySettingButTheMessagesSwitch) {
    for (const Settings& before : {Settings(), Unusual()}) {
        for (bool messages : {false, true}) {
            Settings after = before;
            StoreForm(FormOf(before, messages), after);
            EXPECT_EQ(after.showMessages, messages);
            after.showMessages = before.showMessages;
            EXPECT_FALSE(after.DiffersFrom(before)) << messages;
        }
    }
}

// Each value of the form lands in its own setting and nowhere else.
TEST(OptionsForm, EachValueIsStoredInItsOwnSetting) {
    using Change = std::function<void(OptionsForm&)>;
    using Expect = std::function<void(Settings&)>;
    const std::tuple<const char*, Change, Expect> cases[] = {
            {"track", [](OptionsForm& f) { f.trackWindow = false; }, [](Settings& s) { s.trackWindow = false; }},
            {"backup", [](OptionsForm& f) { f.backup = false; }, [](Settings& s) { s.backup = false; }},
            {"status", [](OptionsForm& f) { f.showStatusBar = false; }, [](Settings& s) { s.hideStatusBar = true; }},
            {"images", [](OptionsForm& f) { f.storeImages = true; }, [](Settings& s) { s.storeImages = true; }},
            {"messages", [](OptionsForm& f) { f.showMessages = false; }, [](Settings& s) { s.showMessages = false; }},
            {"date", [](OptionsForm& f) { f.dateStyle = 3; }, [](Settings& s) { s.dateStyle = 3; }},
            {"units", [](OptionsForm& f) { f.sizeUnits = L"cm"; }, [](Settings& s) { s.sizeUnits = L"cm"; }},
            {"format", [](OptionsForm& f) { f.tagFormat = L"#"; }, [](Settings& s) { s.tagFormat = L"#"; }},
            {"next", [](OptionsForm& f) { f.nextTag = L"250"; }, [](Settings& s) { s.nextTagNumber = 250; }},
            {"caption 1", [](OptionsForm& f) { f.captions[0] = L"A"; }, [](Settings& s) { s.captions[0] = L"A"; }},
            {"caption 5", [](OptionsForm& f) { f.captions[4] = L""; }, [](Settings& s) { s.captions[4] = L""; }},
    };
    for (const auto& [name, change, expect] : cases) {
        Settings settings;
        OptionsForm form = FormOf(settings, true);
        change(form);
        StoreForm(form, settings);
        Settings expected;
        expect(expected);
        EXPECT_FALSE(settings.DiffersFrom(expected)) << name;
    }
}

}  // namespace
