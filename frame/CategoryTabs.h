#pragma once

#include <string>
#include <string_view>
#include <vector>

class Catalog;

// Window-free rules of the category tabs.

// The tabs to show: every category of the catalog in order ("<All>" never among them, and
// categories that only specimens name added to the catalog first), then "<All>" last; and the
// tab to select, the one named current, or "<All>" when no category has that name.
struct TabPlan {
    std::vector<std::wstring> names;  // "<All>" included, last
    int selected = 0;
};
TabPlan PlanTabs(Catalog& catalog, std::wstring_view current);

// The tab Ctrl+T moves to: the next category after the current tab's text; the first tab
// after the last category or from "<All>".
int NextTabIndex(const std::vector<std::wstring>& categories, std::wstring_view currentText);

// The category the list shows for a tab's text: "<All>" (exactly) as it is; a name that is
// not a category gives the first category, or stays when there is none.
std::wstring ListedCategory(const Catalog& catalog, const std::wstring& name);

// The status bar's first part: "<category>: <count>".
std::wstring CategoryCountText(std::wstring_view category, int count);
// The same while find words narrow the list: "<category>: <shown> of <count>".
std::wstring CategoryCountText(std::wstring_view category, int count, int shown);
