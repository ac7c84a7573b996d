#include "catalog/RestyleDates.h"

#include <cwctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/CalendarDate.h"
#include "catalog/Catalog.h"
#include "catalog/Settings.h"

namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && std::iswspace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back()))
        text.remove_suffix(1);
    return text;
}

// The run of digits starting at position, without its leading zeros.
std::wstring_view DigitRun(std::wstring_view text, size_t& position, size_t& width) {
    const size_t start = position;
    while (position < text.size() && IsDigit(text[position]))
        ++position;
    width = position - start;
    std::wstring_view run = text.substr(start, width);
    while (run.size() > 1 && run.front() == L'0')
        run.remove_prefix(1);
    return run;
}

// Whether the user's text is what the style writes, apart from zero padding the user left out
// (a number may be written with fewer leading zeros than the style writes, never with more).
bool WrittenAs(std::wstring_view text, std::wstring_view written) {
    size_t t = 0;
    size_t w = 0;
    while (t < text.size() && w < written.size()) {
        if (IsDigit(text[t]) != IsDigit(written[w]))
            return false;
        if (!IsDigit(text[t])) {
            if (text[t++] != written[w++])
                return false;
            continue;
        }
        size_t textWidth = 0;
        size_t writtenWidth = 0;
        if (DigitRun(text, t, textWidth) != DigitRun(written, w, writtenWidth) || textWidth > writtenWidth)
            return false;
    }
    return t == text.size() && w == written.size();
}

CalendarDate DateInStyle(int style, const Clock& clock) {
    CalendarDate date;
    date.SetToNow(clock);
    date.LoadNames();
    date.SetDateStyle(style);
    date.SetTimeStyle(CalendarDate::kNoTime);
    return date;
}

// The text written in the new style; none when the text is not exactly a date of the old style
// (free text, a range, a date inside words, a time) or when the new text would read back as
// another date (a year of another century written with two digits).
std::optional<std::wstring> Restyled(const std::wstring& text, int oldStyle, int newStyle, const Clock& clock) {
    const std::wstring_view date = Trimmed(text);
    CalendarDate read = DateInStyle(oldStyle, clock);
    if (date.empty() || !read.Parse(date) || !WrittenAs(date, read.Format()))
        return std::nullopt;
    read.SetDateStyle(newStyle);
    std::wstring written = read.Format();
    CalendarDate again = DateInStyle(newStyle, clock);
    if (!again.Parse(written) || CalendarDate::CompareDate(again, read) != 0)
        return std::nullopt;
    return written;
}

void Restyle(std::wstring& text, int oldStyle, int newStyle, const Clock& clock) {
    if (std::optional<std::wstring> written = Restyled(text, oldStyle, newStyle, clock))
        text = std::move(*written);
}

}  // namespace

void RestyleDates(Catalog& catalog, int oldStyle, int newStyle, const Clock& clock,
                  const std::function<void(size_t place)>& beforeChange) {
    std::vector<Specimen>& specimens = catalog.Specimens();
    for (size_t place = 0; place < specimens.size(); ++place) {
        std::optional<std::wstring> written = Restyled(specimens[place].dateCollected, oldStyle, newStyle, clock);
        if (!written || *written == specimens[place].dateCollected)
            continue;
        if (beforeChange)
            beforeChange(place);
        specimens[place].dateCollected = std::move(*written);
    }
    Restyle(catalog.CurrentSettings().lastDate, oldStyle, newStyle, clock);
}
