#include "catalog/RestyleDates.h"

#include "catalog/CalendarDate.h"
#include "catalog/Catalog.h"

void RestyleDates(Catalog& catalog, int oldStyle, int newStyle, const Clock& clock) {
    for (Specimen& specimen : catalog.Specimens()) {
        if (specimen.dateCollected.empty())
            continue;
        CalendarDate date;
        date.SetToNow(clock);
        date.LoadNames();
        date.SetDateStyle(oldStyle);
        if (!date.Parse(specimen.dateCollected))
            continue;
        date.SetDateStyle(newStyle);
        date.SetTimeStyle(CalendarDate::kNoTime);
        specimen.dateCollected = date.Format();
    }
}
