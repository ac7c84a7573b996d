#include <gtest/gtest.h>

#include <windows.h>

#include "app/main/WindowsCatalogHost.h"
#include "catalog/Settings.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/ScratchRegistry.h"

namespace {

class TestWindow {
public:
    TestWindow() {
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~TestWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

TEST(WindowsCatalogHost, ANewFilePathGoesToTheRegistryAndTheTitle) {
    ScratchRegistry registry;
    TestWindow window;
    WindowsCatalogHost host(window.Handle());
    Settings settings;
    Catalog catalog(host, settings);
    catalog.SetFilePath(L"C:\\Collections\\shells.xml");
    EXPECT_EQ(StoredCatalogPath(), L"C:\\Collections\\shells.xml");
    EXPECT_EQ(WindowText(window.Handle()), L"Orvelle - C:\\Collections\\shells.xml");
}

TEST(WindowsCatalogHost, DeletingANonEmptyCategoryAsksWithAMessageBox) {
    TestWindow window;
    WindowsCatalogHost host(window.Handle());
    Settings settings;
    Catalog catalog(host, settings);
    Specimen specimen;
    specimen.categories = {L"Shells"};
    catalog.AddSpecimen(specimen);

    for (int answer : {IDNO, IDYES}) {
        std::wstring caption;
        std::wstring text;
        DialogDriver driver([&](HWND box) {
            caption = WindowText(box);
            text = MessageBoxText(box);
            PressButton(box, answer);
        });
        bool deleted = catalog.DeleteCategory(L"Shells");
        EXPECT_TRUE(driver.Handled());
        EXPECT_EQ(caption, L"Orvelle");
        EXPECT_EQ(text, L"This category is not empty.  Do you want to delete it anyway?");
        EXPECT_EQ(deleted, answer == IDYES);
        EXPECT_EQ(catalog.Specimens().empty(), answer == IDYES);
    }
}

}  // namespace
