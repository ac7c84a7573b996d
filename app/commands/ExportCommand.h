#pragma once

namespace TQLibrary {

class Application;
struct ExportChoice;

// Writes the chosen export on a worker under the please-wait dialog, which shows its progress
// and can cancel it. The export writes only its own file (and, when chosen, the pictures
// beside it): the catalog, its file and what is still to be saved stay as they were. A failed
// write is reported; a cancelled one leaves any earlier file there as it was. True when the
// export was written.
bool WriteExport(Application& application, const ExportChoice& choice);

}  // namespace TQLibrary
