#include <gtest/gtest.h>

#include "frame/RecentCatalogs.h"

namespace {

using Paths = std::vector<std::wstring>;

TEST(RecentCatalogsTest, TheNewestIsOnTopOnceAndOnlyFourStay) {
    RecentCatalogs recent({L"C:\\a.xml", L"", L"C:\\A.XML", L"C:\\b.xml"});
    EXPECT_EQ(recent.Paths(), (Paths{L"C:\\a.xml", L"C:\\b.xml"}));
    for (const wchar_t* path : {L"C:\\c.xml", L"C:\\d.xml", L"C:\\e.xml", L"C:\\B.xml"})
        recent.Opened(path);
    EXPECT_EQ(recent.Paths(), (Paths{L"C:\\B.xml", L"C:\\e.xml", L"C:\\d.xml", L"C:\\c.xml"}));
    recent.Remove(L"c:\\E.xml");
    EXPECT_EQ(recent.Paths(), (Paths{L"C:\\B.xml", L"C:\\d.xml", L"C:\\c.xml"}));
    EXPECT_EQ(RecentCatalogs(Paths(6, L"x")).Paths(), Paths{L"x"});

    EXPECT_EQ(RecentCatalogs::MenuText(0, L"C:\\Data\\Shells.xml"), L"&1 Shells.xml");
    EXPECT_EQ(RecentCatalogs::MenuText(3, L"D:/Rocks & Fossils.xml"), L"&4 Rocks && Fossils.xml");
}

}  // namespace
