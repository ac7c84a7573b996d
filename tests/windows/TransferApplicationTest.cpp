#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "app/main/Application.h"
#include "base/DataFile.h"
#include "base/Handles.h"
#include "base/Paths.h"
#include "resources/resource.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/DialogSequence.h"
#include "windows/support/LoadedProgramTest.h"
#include "windows/support/ProgramUnderTest.h"

namespace {

using Names = std::vector<std::wstring>;

// The text of the item selected in the folder chooser's tree; empty when there is none.
std::wstring SelectedInChooser(HWND chooser) {
    HWND tree = nullptr;
    EnumChildWindows(
            chooser,
            [](HWND child, LPARAM found) {
                wchar_t className[32] = {};
                GetClassNameW(child, className, 32);
                if (std::wstring(className) != WC_TREEVIEWW)
                    return TRUE;
                *reinterpret_cast<HWND*>(found) = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&tree));
    wchar_t text[MAX_PATH] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = tree != nullptr ? TreeView_GetSelection(tree) : nullptr;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (item.hItem == nullptr || !TreeView_GetItem(tree, &item))
        return {};
    return text;
}

// Picks the folder in the folder chooser as a user does, by selecting it and pressing OK.
DialogSequence::Step ChooseFolder(const std::wstring& folder) {
    return [folder](HWND chooser) {
        // The chooser fills its tree after it shows and may select the desktop meanwhile: select
        // again until the folder stays selected.
        std::wstring name = folder;
        while (!name.empty() && name.back() == L'\\')
            name.pop_back();
        name = FileNameOf(name);
        for (int attempt = 0, settled = 0; attempt < 50 && settled < 2; ++attempt) {
            if (SelectedInChooser(chooser) == name) {
                ++settled;
            } else {
                settled = 0;
                SendMessageW(chooser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
            }
            Sleep(200);
        }
        PressButton(chooser, IDOK);
    };
}

DialogSequence::Step Answer(int button, std::wstring& text) {
    return [button, &text](HWND box) {
        text = MessageBoxText(box);
        PressButton(box, button);
    };
}

std::wstring ProgramFileName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FileNameOf(path);
}

class TransferApplicationTest : public LoadedProgramTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartWith({}));
        const std::wstring images = FolderOf(catalogPath) + L"Images\\";
        ASSERT_TRUE(CreateFolderPath(images, false));
        ASSERT_TRUE(WriteFileBytes(images + L"a.jpg", AsciiBytes("picture a")));
        ASSERT_TRUE(WriteFileBytes(images + L"b.jpg", AsciiBytes("picture b")));
    }

    // Runs the command through the chooser and the dialogs that follow; the texts they showed.
    std::vector<std::wstring> Transfer(const std::wstring& folder, std::vector<int> answers) {
        std::vector<std::wstring> texts(answers.size());
        std::vector<DialogSequence::Step> steps{ChooseFolder(folder)};
        for (size_t i = 0; i < answers.size(); ++i)
            steps.push_back(Answer(answers[i], texts[i]));
        DialogSequence user(steps);
        program->Command(IDM_TRANSFER_APPLICATION);
        EXPECT_EQ(user.StepsPlayed(), static_cast<int>(steps.size()));
        return texts;
    }

    TestFolder destination;
};

TEST_F(TransferApplicationTest, AnEmptyFolderGetsProgramCatalogAndPicturesAndTheMessageSaysSo) {
    const std::wstring folder = destination.Path() + L"stick";
    CreateFolderPath(folder, false);
    const std::vector<std::wstring> texts = Transfer(folder, {IDOK});
    EXPECT_EQ(texts[0], L"Orvelle copied these files to " + folder + L"\\\r\n    " + ProgramFileName() +
                                L"\r\n    cat.xml\r\n    Images\\ (2 pictures)");
    EXPECT_EQ(ReadFileBytes(folder + L"\\cat.xml"), ReadFileBytes(catalogPath));
    EXPECT_EQ(NamesIn(folder + L"\\Images\\"), (Names{L"a.jpg", L"b.jpg"}));
}

TEST_F(TransferApplicationTest, PicturesKeptInTheCatalogFileMakeNoPictureFolder) {
    App().CurrentSettings().storeImages = true;
    const std::vector<std::wstring> texts = Transfer(destination.Path(), {IDOK});
    EXPECT_EQ(texts[0], L"Orvelle copied these files to " + destination.Path() + L"\r\n    " + ProgramFileName() +
                                L"\r\n    cat.xml");
    // Sorted by name.
    EXPECT_EQ(NamesIn(destination.Path()), (Names{L"cat.xml", ProgramFileName()}));
}

TEST_F(TransferApplicationTest, TheCatalogsOwnFolderAsksFirstAndNoCopiesOnlyTheProgram) {
    const std::vector<std::wstring> texts = Transfer(FolderOf(catalogPath), {IDNO, IDOK});
    EXPECT_EQ(texts[0], L"A file with that name already exists, do you want to overwrite the existing file?");
    EXPECT_EQ(texts[1], L"Orvelle copied these files to " + FolderOf(catalogPath) + L"\r\n    " + ProgramFileName());
}

TEST_F(TransferApplicationTest, ADestinationCatalogThatCannotBeWrittenIsReported) {
    const std::wstring held = destination.File(L"cat.xml");
    ASSERT_TRUE(WriteFileBytes(held, AsciiBytes("another program has this open")));
    TQLibrary::FileHandle open(
            CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(open);
    const std::vector<std::wstring> texts = Transfer(destination.Path(), {IDYES, IDOK});
    EXPECT_NE(texts[1].find(L"These could not be copied"), std::wstring::npos) << texts[1];
    EXPECT_NE(texts[1].find(L"\r\n    " + held), std::wstring::npos) << texts[1];
    EXPECT_EQ(NamesIn(destination.File(L"Images\\")), (Names{L"a.jpg", L"b.jpg"}));
}

}  // namespace
