#pragma once

class Catalog;

// What a sweep did: the file calls of one clean save, the faulty saves made and the calls
// that failed on purpose in them.
struct FaultSweep {
    long calls = 0;
    long saves = 0;
    long injected = 0;
};

// Fills an empty catalog with sample specimens, of which every n-th has its picture loaded
// (the others' pictures were never loaded), and saves it with its pictures beside it. Then
// changes it: a new specimen with a picture, one picture and one remark edited.
bool SaveThenChange(Catalog& catalog, int specimens, int pictureEvery);

// Saves a changed catalog over its previous file once for every file call a clean save of it
// makes, with that call failing once, and with onward also every call from it on. After each
// save it checks that the failure was reported, that the previous file is kept byte for byte
// (or, when only a picture file failed, replaced whole by the new one) and that no temporary
// file is left beside the catalog or among its pictures, unless deleting it failed as well.
// A last clean save must then write the new file and clear any such leftover.
FaultSweep SweepSaveFaults(Catalog& catalog, bool onward);

// Shows the figures in the test's output and its recorded properties.
void ReportSweep(const FaultSweep& sweep);
