#include "catalog/RestyleDates.h"

#include <optional>
#include <string>

#include "catalog/CalendarDate.h"
#include "catalog/Catalog.h"

namespace {

// The date the text holds when read in the style; none when it holds no whole date.
std::optional<CalendarDate> ReadDate(const std::wstring& text, int style, const Clock& clock) {
    CalendarDate date;
    date.SetToNow(clock);
    date.LoadNames();
    date.SetDateStyle(style);
    if (!date.Parse(text))
        return std::nullopt;
    return date;
}

// The date written in the new style; none when that text would not read back as the same date.
std::optional<std::wstring> Restyled(const std::wstring& text, int oldStyle, int newStyle, const Clock& clock) {
    std::optional<CalendarDate> date = ReadDate(text, oldStyle, clock);
    if (!date)
        return std::nullopt;
    date->SetDateStyle(newStyle);
    date->SetTimeStyle(CalendarDate::kNoTime);
    std::wstring written = date->Format();
    std::optional<CalendarDate> again = ReadDate(written, newStyle, clock);
    if (!again || CalendarDate::CompareDate(*again, *date) != 0)
        return std::nullopt;
    return written;
}

}  // namespace

void RestyleDates(Catalog& catalog, int oldStyle, int newStyle, const Clock& clock) {
    for (Specimen& specimen : catalog.Specimens()) {
        if (specimen.dateCollected.empty())
            continue;
        if (std::optional<std::wstring> written = Restyled(specimen.dateCollected, oldStyle, newStyle, clock))
            specimen.dateCollected = std::move(*written);
    }
}
