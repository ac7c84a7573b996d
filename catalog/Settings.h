#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Geometry.h"

class MarkupDocument;

// The screen size that limits window placement and column widths read from a file.
class ScreenMetrics {
public:
    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;

protected:
    ~ScreenMetrics() = default;
};

// The user's choices and remembered values, stored as the "OPTIONS" block of every catalog
// file. A plain record: dialogs and commands change the fields directly.
struct Settings {
    static constexpr int kDefaultDateStyle = 6;
    static constexpr int kDefaultReportSort = 3;
    static constexpr int kDefaultReportType = 1817;
    static constexpr int kMinimumSplitter = 20;
    static constexpr std::uint8_t kToolbarSeparator = 255;

    Settings();

    std::vector<std::uint8_t> toolbarButtons{0, 1, 2, 3, kToolbarSeparator, 4, 5, kToolbarSeparator, 6, 7, 8, 9, 10};
    std::vector<int> reportLabels{3, 7, 0, 0};
    std::vector<int> reportSizes{16, 12, 12, 12};
    int dateStyle = kDefaultDateStyle;
    std::vector<std::uint8_t> columns{10, 6, 3, 7, 16};
    std::vector<int> columnWidths = std::vector<int>(23, -1);
    bool readOnly = false;  // a copy of the catalog's read-only flag; never stored or compared
    std::array<std::wstring, 5> captions;
    std::wstring currentCategory;
    std::wstring lastAbundance;
    std::wstring lastCollector;
    std::wstring lastDate;
    std::wstring lastLocation;
    std::wstring lastFolder;
    std::wstring reportFont = L"Times New Roman";
    std::wstring sizeUnits;
    std::wstring tagFormat;
    std::uint32_t nextTagNumber = 1;
    std::uint32_t reportSort = kDefaultReportSort;
    std::uint32_t reportType = kDefaultReportType;
    int windowLeft = 0;
    int windowTop = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    int sortColumn = 0;
    int splitter = kMinimumSplitter;
    bool reportSpecimens = false;
    bool backup = true;
    bool hideStatusBar = false;
    bool showMessages = true;
    bool sortDescending = false;
    bool storeImages = false;
    bool trackWindow = true;

    // Writes the "OPTIONS" element with every field that differs from what reading assumes.
    void WriteOptions(MarkupDocument& document) const;
    // Reads the elements after the "OPTIONS" start tag; true at its end tag, false when the
    // document ends first. Absent elements leave their fields as they were.
    bool ReadOptions(MarkupDocument& document, const ScreenMetrics& screen);
    // Sets the field stored under the element name from its text; false for unknown names.
    bool ReadElement(std::wstring_view name, const wchar_t* text, const ScreenMetrics& screen);

    // Back to the defaults, as before reading a catalog that replaces the current one. The
    // read-only copy describes the file being read, not the settings, so it stays.
    void ResetToDefaults();

    bool DiffersFrom(const Settings& other) const;
    void CopyFrom(const Settings& other) { *this = other; }

    // Stores the folder of a chosen file (stripFileName) or the folder itself.
    void SetLastFolder(const std::wstring& path, bool stripFileName);
    // Remembers the window's place when it lies wholly inside the work area.
    void RememberWindowRect(const Rect& window, const Rect& workArea);
    // Whether a remembered place should be applied to the main window.
    bool HasWindowPlacement() const { return trackWindow && windowWidth > 0 && windowHeight > 0; }

private:
    bool ReadNamedValue(std::wstring_view name, const wchar_t* text);
};
