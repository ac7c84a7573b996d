#pragma once

#include <cstddef>
#include <functional>

class Catalog;
class Clock;

// Rewrites every specimen's date collected, and the remembered last date, from the old date style
// into the new one, without a time. Only a text that is exactly what the old style writes (apart
// from surrounding spaces and leading zeros left out) is rewritten: free text, ranges, dates
// inside words or with a time stay as the user wrote them, and so does a date whose new text
// would read back as another (a year of another century written with two digits). Callers hold
// the catalog lock. beforeChange, when given, hears each specimen's place just before its date is
// rewritten, in file order.
void RestyleDates(Catalog& catalog, int oldStyle, int newStyle, const Clock& clock,
                  const std::function<void(size_t place)>& beforeChange = {});
