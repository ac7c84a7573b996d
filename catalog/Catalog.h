#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "catalog/Specimen.h"

struct Settings;

// What the catalog and its file need from the program around it: questions and notices to
// the user, the bookkeeping that follows a new file path (registry value, window title), and
// the folders of the user's desktop and of the program's data.
class CatalogHost {
public:
    // Asks a Yes/No question with the given text; true for Yes.
    virtual bool AskYesNo(unsigned textId) = 0;
    virtual void ShowInformation(const std::wstring& text) = 0;
    virtual void FilePathChanged(const std::wstring& path) = 0;
    // Both end in a separator.
    virtual std::wstring DesktopFolder() = 0;
    virtual std::wstring DataFolder() = 0;

protected:
    ~CatalogHost() = default;
};

// The in-memory collection: categories in tab order, specimens in file order, the colours
// used so far and the catalog file's path. Callers hold the catalog lock.
class Catalog {
public:
    Catalog(CatalogHost& host, Settings& settings);
    Catalog(const Catalog&) = delete;
    Catalog& operator=(const Catalog&) = delete;

    // Empties categories and specimens and sets the next tag number to 0; colours, the file
    // path and the last id stay, so ids are never reused within a run.
    void Clear();

    // Appends a new name; "<All>" and the empty name are never stored.
    void AddCategory(const std::wstring& name);
    void RenameCategory(const std::wstring& oldName, const std::wstring& newName);
    // Asks before deleting a category that holds specimens; false when the user declines or
    // the name is not in the list. Specimens left without a category by it are removed.
    bool DeleteCategory(const std::wstring& name);
    bool MoveCategory(const std::wstring& name, bool toRight);

    int CountInFilter(std::wstring_view filter) const;
    static bool IsInFilter(const Specimen& specimen, std::wstring_view filter);

    // Files the specimen's categories and colour, gives it a new id and appends it; "<All>"
    // and empty names are dropped from its categories. Returns the id handed out.
    std::int32_t AddSpecimen(Specimen specimen);
    Specimen* FindSpecimen(std::int32_t id);
    const Specimen* FindSpecimen(std::int32_t id) const;
    void ReplaceSpecimen(std::int32_t id, const Specimen& specimen);
    bool RemoveSpecimen(std::int32_t id);
    void SetSpecimenCategories(std::int32_t id, const std::vector<std::wstring>& categories);
    // The same for many specimens in one pass over the catalog, however many there are.
    // RemoveSpecimens returns how many were removed.
    size_t RemoveSpecimens(const std::vector<std::int32_t>& ids);
    void SetSpecimensCategories(const std::vector<std::int32_t>& ids, const std::vector<std::wstring>& categories);
    static bool RemoveCategoryFromSpecimen(Specimen& specimen, std::wstring_view name);

    // How far the catalog reaches: an import that only appends is undone by cutting the
    // catalog back to where it reached before.
    struct Extent {
        size_t categories = 0;
        size_t specimens = 0;
        std::set<std::wstring> colours;
    };
    Extent CurrentExtent() const { return {categories_.size(), specimens_.size(), colours_}; }
    void CutBackTo(const Extent& extent);
    // Undo and redo put the category list and the colours back as a change found or left them.
    void SetCategories(std::vector<std::wstring> categories);
    void SetColours(std::set<std::wstring> colours) { colours_ = std::move(colours); }

    // The text a field shows in the list, reports and exports.
    static std::wstring FieldText(const Specimen& specimen, int fieldId);

    void AddColour(const std::wstring& colour) { colours_.insert(colour); }
    void SetFilePath(const std::wstring& path);

    const std::vector<std::wstring>& Categories() const { return categories_; }
    const std::vector<Specimen>& Specimens() const { return specimens_; }
    std::vector<Specimen>& Specimens() { return specimens_; }
    const std::set<std::wstring>& Colours() const { return colours_; }
    const std::wstring& FilePath() const { return filePath_; }
    std::int32_t LastId() const { return lastId_; }
    CatalogHost& Host() { return host_; }
    Settings& CurrentSettings() { return settings_; }
    const Settings& CurrentSettings() const { return settings_; }

private:
    std::vector<std::wstring>::iterator FindCategory(std::wstring_view name);
    void IndexCategories();

    CatalogHost& host_;
    Settings& settings_;
    std::vector<std::wstring> categories_;
    // The categories by their exact text and by SameTextKey, so that filing a specimen does not
    // compare its categories with each of thousands; rebuilt whenever categories_ changes but
    // by an addition.
    std::unordered_set<std::wstring> categoryTexts_;
    std::unordered_set<std::wstring> categoryKeys_;
    std::vector<Specimen> specimens_;
    std::set<std::wstring> colours_;  // ordered by code unit
    std::wstring filePath_;
    std::int32_t lastId_ = 0;
};
