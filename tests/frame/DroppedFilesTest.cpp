#include <gtest/gtest.h>

#include "frame/DroppedFiles.h"

namespace {

TEST(DroppedFilesTest, OneCatalogOpensOneSpreadsheetImportsAndTheRestIsRefused) {
    struct Case {
        std::vector<std::wstring> paths;
        bool shift;
        DropAction action;
    };
    const Case cases[] = {
            {{L"C:\\Data\\Shells.XML"}, false, DropAction::Open},
            {{L"C:\\Data\\Shells.xml"}, true, DropAction::Import},
            {{L"C:\\x.y\\Sheet.csv"}, false, DropAction::Import},
            {{L"C:\\x.csv\\notes"}, false, DropAction::Refuse},
            {{L"C:\\a.xml", L"C:\\b.xml"}, false, DropAction::Refuse},
            {{}, false, DropAction::Refuse},
            {{L"C:\\shell.jpg"}, false, DropAction::Refuse},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MainWindowDropAction(c.paths, c.shift), c.action) << (c.paths.empty() ? L"" : c.paths.front());
    EXPECT_TRUE(IsPictureFileName(L"C:\\Photos\\IMG_0001.JPEG"));
    EXPECT_FALSE(IsPictureFileName(L"C:\\Photos.jpg\\readme"));
}

}  // namespace
