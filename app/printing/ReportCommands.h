#pragma once

namespace TQLibrary {

class Application;

// Print: the report settings, a preview of the pages, the print dialog, then the pages on the
// printer under a progress dialog whose Cancel abandons the job.
void PrintReport(Application& application);
// Statistics: counts and totals of the catalog under three filters.
void ShowCatalogStatistics(Application& application);

}  // namespace TQLibrary
