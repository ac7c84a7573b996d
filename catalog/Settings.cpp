#include "catalog/Settings.h"

#include <tuple>

#include "base/MarkupDocument.h"
#include "base/MarkupValues.h"
#include "base/StringTable.h"
#include "base/TextCompare.h"
#include "resources/resource.h"

namespace {

constexpr std::uint8_t kMaxToolbarButton = 22;
constexpr int kMaxFieldId = 23;
constexpr int kMaxReportSize = 72;
constexpr std::int32_t kLargest = 2147483647;

// The element names of the text fields, in the order they are written.
constexpr const wchar_t* kCaptionElements[] = {L"CAPTION1", L"CAPTION2", L"CAPTION3", L"CAPTION4", L"CAPTION5"};

bool IsKnownDateStyle(std::uint32_t style) {
    return style == 1 || style == 3 || style == 5 || style == 6;
}

// The text fields that are written whenever they are not empty, with their elements.
template <typename SettingsRecord>
auto TextFields(SettingsRecord& s) {
    return std::array{
            std::pair{L"CURRENTCATEGORY", &s.currentCategory},
            std::pair{L"LASTABUNDANCE", &s.lastAbundance},
            std::pair{L"LASTCOLLECTOR", &s.lastCollector},
            std::pair{L"LASTDATE", &s.lastDate},
            std::pair{L"LASTLOCATION", &s.lastLocation},
            std::pair{L"LASTPATH", &s.lastFolder},
            std::pair{L"REPORTFONT", &s.reportFont},
            std::pair{L"SIZEUNITS", &s.sizeUnits},
            std::pair{L"TAGFORMAT", &s.tagFormat},
    };
}

// The switches with their elements and defaults; each is written only when off its default.
template <typename SettingsRecord>
auto Switches(SettingsRecord& s) {
    struct Switch {
        const wchar_t* element;
        decltype(&s.backup) field;
        bool defaultValue;
    };
    return std::array{
            Switch{L"REPORTSPECIMENS", &s.reportSpecimens, false},
            Switch{L"BACKUP", &s.backup, true},
            Switch{L"HIDESTATUS", &s.hideStatusBar, false},
            Switch{L"SHOWHINT", &s.showMessages, true},
            Switch{L"SORTREVERSE", &s.sortDescending, false},
            Switch{L"STOREIMAGES", &s.storeImages, false},
            Switch{L"TRACK", &s.trackWindow, true},
    };
}

}  // namespace

Settings::Settings() {
    for (unsigned i = 0; i < captions.size(); ++i)
        captions[i] = LoadText(IDS_USER_FIELD_CAPTION_FIRST + i);
    sizeUnits = LoadText(IDS_SIZE_UNITS_DEFAULT);
}

void Settings::WriteOptions(MarkupDocument& document) const {
    document.OpenElement(L"OPTIONS");
    if (!toolbarButtons.empty())
        document.WriteByteList(L"TOOLBAR", toolbarButtons);
    if (!reportLabels.empty())
        document.WriteIntegerList(L"REPORTLABELS", reportLabels);
    if (!reportSizes.empty())
        document.WriteIntegerList(L"REPORTSIZE", reportSizes);
    if (dateStyle != kDefaultDateStyle)
        document.WriteInteger(L"DATESTYLE", dateStyle);
    if (!columns.empty())
        document.WriteByteList(L"COLS", columns);
    if (!columnWidths.empty())
        document.WriteIntegerList(L"COLWIDTHS", columnWidths);
    for (unsigned i = 0; i < captions.size(); ++i) {
        if (!SameTextIgnoringCase(captions[i], LoadText(IDS_USER_FIELD_CAPTION_FIRST + i)))
            document.WriteText(kCaptionElements[i], captions[i]);
    }
    for (const auto& [element, field] : TextFields(*this)) {
        if (!field->empty())
            document.WriteText(element, *field);
    }
    // Written as a signed 32-bit number, as catalogs always had it: a number past 2,147,483,647
    // goes out negative and every reader takes it back to the same 32 bits.
    if (nextTagNumber != 1)
        document.WriteInteger(L"NEXTTAG", static_cast<std::int32_t>(nextTagNumber));
    if (reportSort != kDefaultReportSort)
        document.WriteInteger(L"REPORTSORT", reportSort);
    if (reportType != kDefaultReportType)
        document.WriteInteger(L"REPORTTYPE", reportType);
    const std::pair<const wchar_t*, int> placement[] = {
            {L"X", windowLeft}, {L"Y", windowTop}, {L"WIDTH", windowWidth}, {L"HEIGHT", windowHeight}};
    for (const auto& [element, value] : placement) {
        if (value != 0)
            document.WriteInteger(element, value);
    }
    if (sortColumn != 0)
        document.WriteInteger(L"SORTCOL", sortColumn);
    if (splitter != kMinimumSplitter)
        document.WriteInteger(L"SPLITTERBAR", splitter);
    for (const auto& item : Switches(*this)) {
        if (*item.field != item.defaultValue)
            document.WriteBool(item.element, *item.field);
    }
    document.CloseElement();
}

bool Settings::ReadOptions(MarkupDocument& document, const ScreenMetrics& screen) {
    auto raiseSplitter = [this] {
        if (splitter < kMinimumSplitter)
            splitter = kMinimumSplitter;
    };
    while (const wchar_t* tag = document.NextTag()) {
        const std::wstring_view name = tag;
        if (document.IsEndTag() && SameTextIgnoringCase(name, L"OPTIONS")) {
            raiseSplitter();
            return true;
        }
        if (const wchar_t* text = document.ReadText(name))
            ReadElement(name, text, screen);
        raiseSplitter();
    }
    raiseSplitter();
    return false;
}

bool Settings::ReadElement(std::wstring_view name, const wchar_t* text, const ScreenMetrics& screen) {
    const int width = screen.ScreenWidth();
    const int height = screen.ScreenHeight();
    auto is = [name](std::wstring_view element) { return SameTextIgnoringCase(name, element); };
    if (is(L"TOOLBAR")) {
        // Separators are the one value above the buttons' that stays as written.
        toolbarButtons = ParseByteList(text, kToolbarSeparator);
        for (std::uint8_t& button : toolbarButtons) {
            if (button > kMaxToolbarButton && button != kToolbarSeparator)
                button = kMaxToolbarButton;
        }
    } else if (is(L"COLS")) {
        columns = ParseByteList(text, kMaxFieldId);
    } else if (is(L"REPORTLABELS")) {
        reportLabels = ParseIntegerList(text, kMaxFieldId);
    } else if (is(L"REPORTSIZE")) {
        reportSizes = ParseIntegerList(text, kMaxReportSize);
    } else if (is(L"COLWIDTHS")) {
        columnWidths = ParseIntegerList(text, width);
    } else if (is(L"DATESTYLE")) {
        std::uint32_t style = ParseAtMost(text, 0xFFFFFFFF);
        dateStyle = IsKnownDateStyle(style) ? static_cast<int>(style) : kDefaultDateStyle;
    } else if (is(L"NEXTTAG")) {
        nextTagNumber = ParseAtMost(text, 0xFFFFFFFF);
    } else if (is(L"REPORTTYPE")) {
        reportType = ParseAtMost(text, 0xFFFFFFFF);
    } else if (is(L"REPORTSORT")) {
        reportSort = ParseAtMost(text, kMaxFieldId);
    } else if (is(L"X")) {
        windowLeft = ParseClamped(text, width, -width);
    } else if (is(L"Y")) {
        windowTop = ParseClamped(text, height, -height);
    } else if (is(L"WIDTH")) {
        windowWidth = ParseClamped(text, width, 0);
    } else if (is(L"HEIGHT")) {
        windowHeight = ParseClamped(text, height, 0);
    } else if (is(L"SORTCOL")) {
        sortColumn = ParseClamped(text, kLargest, -kLargest);
    } else if (is(L"SPLITTERBAR")) {
        splitter = ParseClamped(text, kLargest, -kLargest);
    } else {
        return ReadNamedValue(name, text);
    }
    return true;
}

// The captions, the other texts and the switches, found by element name.
bool Settings::ReadNamedValue(std::wstring_view name, const wchar_t* text) {
    for (unsigned i = 0; i < captions.size(); ++i) {
        if (SameTextIgnoringCase(name, kCaptionElements[i])) {
            captions[i] = Unescape(text);
            return true;
        }
    }
    for (const auto& [element, field] : TextFields(*this)) {
        if (SameTextIgnoringCase(name, element)) {
            *field = Unescape(text);
            return true;
        }
    }
    for (const auto& item : Switches(*this)) {
        if (SameTextIgnoringCase(name, item.element)) {
            *item.field = ParseBool(text);
            return true;
        }
    }
    return false;
}

void Settings::ResetToDefaults() {
    const bool keptReadOnly = readOnly;
    *this = Settings();
    readOnly = keptReadOnly;
}

bool Settings::DiffersFrom(const Settings& other) const {
    auto stored = [](const Settings& s) {
        return std::tie(s.toolbarButtons, s.reportLabels, s.reportSizes, s.dateStyle, s.columns, s.columnWidths,
                        s.captions, s.currentCategory, s.lastAbundance, s.lastCollector, s.lastDate, s.lastLocation,
                        s.lastFolder, s.reportFont, s.sizeUnits, s.tagFormat, s.nextTagNumber, s.reportSort,
                        s.reportType, s.windowLeft, s.windowTop, s.windowWidth, s.windowHeight, s.sortColumn,
                        s.splitter, s.reportSpecimens, s.backup, s.hideStatusBar, s.showMessages, s.sortDescending,
                        s.storeImages, s.trackWindow);
    };
    return stored(*this) != stored(other);
}

void Settings::SetLastFolder(const std::wstring& path, bool stripFileName) {
    if (!stripFileName) {
        lastFolder = path;
        return;
    }
    size_t separator = path.rfind(L'\\');
    lastFolder = separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

void Settings::RememberWindowRect(const Rect& window, const Rect& workArea) {
    bool inside = window.left >= workArea.left && window.top >= workArea.top && window.right <= workArea.right &&
                  window.bottom <= workArea.bottom;
    if (!inside)
        return;
    windowLeft = window.left;
    windowTop = window.top;
    windowWidth = window.right - window.left;
    windowHeight = window.bottom - window.top;
}
