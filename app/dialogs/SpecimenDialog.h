#pragma once

#include <vector>

struct BatchEdit;
struct Specimen;

namespace TQLibrary {

class Application;

// How the Specimen Details dialog opens.
struct SpecimenDialogSetup {
    bool readOnly = false;     // no OK: the user can look, not change
    bool newSpecimen = false;  // offer the current category and the last added specimen's values
};

// Runs Specimen Details over the main window on a copy of the specimen. On OK the specimen
// becomes the copy, its colour joins the catalog's colours and, when the dialog proposed the
// tag, the next tag number grows by one. Whatever the user did not touch stays exactly as it
// was: a word or colour that is not among the choices, a category that differs only by case,
// a number shown rounded. True for OK.
bool RunSpecimenDialog(Application& application, Specimen& specimen, SpecimenDialogSetup setup);

// Runs Specimen Details for many specimens at once, captioned "Edit 40 Specimens": each field
// shows what they all share, or nothing with the cue "(various)", and each category a box that
// is checked, unchecked or mixed. True for OK, with exactly what the user changed in edit.
bool RunBatchSpecimenDialog(Application& application, const std::vector<const Specimen*>& specimens, bool readOnly,
                            BatchEdit& edit);

}  // namespace TQLibrary
