#pragma once

namespace TQLibrary {

// Registers every common control class the program uses (toolbar, status bar, tooltips,
// progress bar, list view, tab strip) once per process; later calls do nothing.
void InitialiseCommonControls();

}  // namespace TQLibrary
