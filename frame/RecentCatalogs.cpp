#include "frame/RecentCatalogs.h"

#include <algorithm>

#include "base/Paths.h"
#include "base/TextCompare.h"

RecentCatalogs::RecentCatalogs(const std::vector<std::wstring>& stored) {
    // Oldest first, so that the newest ends on top.
    for (auto path = stored.rbegin(); path != stored.rend(); ++path) {
        if (!path->empty())
            Opened(*path);
    }
}

void RecentCatalogs::Opened(const std::wstring& path) {
    Remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMax)
        paths_.resize(kMax);
}

void RecentCatalogs::Remove(const std::wstring& path) {
    std::erase_if(paths_, [&](const std::wstring& listed) { return SameTextIgnoringCase(listed, path); });
}

std::wstring RecentCatalogs::MenuText(size_t index, const std::wstring& path) {
    std::wstring text = L"&" + std::to_wstring(index + 1) + L" ";
    for (wchar_t c : FileNameOf(path)) {
        if (c == L'&')
            text += L'&';
        text += c;
    }
    return text;
}
