#pragma once

#include <string>
#include <vector>

#include "catalog/Catalog.h"

// Answers the catalog's questions as the test says and records them.
class ScriptedHost : public CatalogHost {
public:
    bool AskYesNo(unsigned textId) override {
        questions.push_back(textId);
        return answer;
    }
    void ShowInformation(const std::wstring& text) override { notices.push_back(text); }
    void FilePathChanged(const std::wstring& path) override { paths.push_back(path); }
    std::wstring DesktopFolder() override { return desktopFolder; }
    std::wstring DataFolder() override { return dataFolder; }

    bool answer = true;
    std::wstring desktopFolder = L"desktop\\";
    std::wstring dataFolder = L"data\\";
    std::vector<unsigned> questions;
    std::vector<std::wstring> paths;
    std::vector<std::wstring> notices;
};
