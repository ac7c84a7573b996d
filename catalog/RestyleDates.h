#pragma once

class Catalog;
class Clock;

// Rewrites every specimen's date collected from the old date style into the new one, without a
// time. A date collected that is empty or holds no readable date (free text such as "Summer 1998")
// is left as the user wrote it, and so is one whose new text would read back as another date (a
// year of another century written with two digits). Callers hold the catalog lock.
void RestyleDates(Catalog& catalog, int oldStyle, int newStyle, const Clock& clock);
