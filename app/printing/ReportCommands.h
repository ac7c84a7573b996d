#pragma once

namespace TQLibrary {

class TQAppWindows;

// Print: the report settings, a preview of the pages, the print dialog, then the pages on the
// printer under a progress dialog whose Cancel abandons the job.
void PrintReport(TQAppWindows& application);
// Statistics: counts and totals of the catalog under three filters.
void ShowCatalogStatistics(TQAppWindows& application);

}  // namespace TQLibrary
