#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <string>

#include "app/framework/FileChooser.h"
#include "support/TestFolder.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/DialogSequence.h"
#include "windows/support/ProgramUnderTest.h"

using namespace TQLibrary;
using namespace std::string_literals;

namespace {

// Types a file name into the common file dialog and presses its OK button, as a user would.
DialogSequence::Step ChooseFile(const std::wstring& path, std::wstring* caption = nullptr) {
    return [path, caption](HWND dialog) {
        if (caption != nullptr)
            *caption = WindowText(dialog);
        TypeFileNameAndAccept(dialog, path);
    };
}

struct SeenQuestion {
    std::wstring caption;
    std::wstring text;
};

DialogSequence::Step AnswerQuestion(int button, SeenQuestion* seen = nullptr) {
    return [button, seen](HWND box) {
        if (seen != nullptr)
            *seen = {WindowText(box), MessageBoxText(box)};
        PressButton(box, button);
    };
}

FileChooser SaveChooser(const TestFolder& folder) {
    FileChooser chooser;
    chooser.filter = FileFilter({{L"Catalogs", L"*.xml"}});
    chooser.initialFolder = folder.Path();
    chooser.defaultExtension = L"xml";
    chooser.title = L"Save Catalog As";
    return chooser;
}

TEST(FileChooser, TheFilterHoldsDescriptionsAndPatternsEndedByNuls) {
    EXPECT_EQ(FileFilter({{L"Catalogs", L"*.xml"}, {L"All files", L"*.*"}}), L"Catalogs\0*.xml\0All files\0*.*\0\0"s);
    EXPECT_EQ(FileFilter({}), L"\0"s);
}

TEST(FileChooser, ASaveAnsweredNoToTheReplaceQuestionOpensTheChooserAgain) {
    TestFolder folder;
    const std::wstring existing = folder.File(L"shells.xml");
    ASSERT_TRUE(WriteFileBytes(existing, AsciiBytes("x")));
    FileChooser chooser = SaveChooser(folder);

    std::wstring caption;
    SeenQuestion question;
    std::wstring chosen;
    {
        DialogSequence user({ChooseFile(existing, &caption), AnswerQuestion(IDNO, &question), ChooseFile(existing),
                             AnswerQuestion(IDYES)});
        chosen = chooser.ChooseSaveFile(nullptr);
        EXPECT_EQ(user.StepsPlayed(), 4);
    }
    EXPECT_EQ(chosen, existing);
    EXPECT_EQ(chooser.path, existing);
    EXPECT_EQ(caption, L"Save Catalog As");
    EXPECT_EQ(question.caption, L"Save Catalog As");
    EXPECT_EQ(question.text, existing);
}

TEST(FileChooser, ANewFileIsSavedWithoutAQuestion) {
    TestFolder folder;
    FileChooser chooser = SaveChooser(folder);
    DialogSequence user({ChooseFile(folder.File(L"new.xml"))});
    EXPECT_EQ(chooser.ChooseSaveFile(nullptr), folder.File(L"new.xml"));
    EXPECT_EQ(user.StepsPlayed(), 1);
}

}  // namespace
