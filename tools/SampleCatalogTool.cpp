// Writes the sample catalog that ships with the program and that scripts/run and the screens
// open: a few dozen specimens under four categories, some with the pictures drawn for it.
// Usage: sample_catalog_tool <resources/sample folder>
#include <cstdio>
#include <string>
#include <vector>

#include "base/DataFile.h"
#include "base/Paths.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFile.h"
#include "catalog/PictureFiles.h"
#include "catalog/Settings.h"
#include "support/ScriptedHost.h"

namespace {

struct Row {
    const wchar_t* category;
    const wchar_t* tag;
    const wchar_t* latin;
    const wchar_t* common;
    const wchar_t* abundance;
    const wchar_t* quality;
    double price;
    double value;
    const wchar_t* colour;
    double size;
    const wchar_t* location;
    const wchar_t* date;
    const wchar_t* collector;
    const wchar_t* remarks;
    const wchar_t* picture;
};

// clang-format off
const Row kRows[] = {
    {L"Shells", L"SH-001", L"Cypraea tigris", L"Tiger Cowrie", L"Common", L"Excellent", 6.5, 12, L"Brown", 82, L"Nosy Be, Madagascar", L"03/14/1998", L"M. Hollis", L"Glossy dorsum, no chips.", L"cowrie.png"},
    {L"Shells", L"SH-002", L"Conus textile", L"Textile Cone", L"Fairly Common", L"Fine", 8, 15, L"Gold", 74, L"Cebu, Philippines", L"07/02/2001", L"M. Hollis", L"Venomous when alive: handle with care.", L""},
    {L"Shells", L"SH-003", L"Murex pecten", L"Venus Comb Murex", L"Uncommon", L"Gem", 24, 40, L"White", 121, L"Bohol, Philippines", L"07/05/2001", L"M. Hollis", L"All spines intact.", L""},
    {L"Shells", L"SH-004", L"Nautilus pompilius", L"Chambered Nautilus", L"Uncommon", L"Very Good", 35, 55, L"Cream", 190, L"Tanon Strait", L"11/20/1995", L"R. Okafor", L"Bought at the Sanibel fair.", L""},
    {L"Shells", L"SH-005", L"Pecten maximus", L"Great Scallop", L"Abundant", L"Good", 2, 3.5, L"Orange", 105, L"Roscoff, Brittany", L"08/09/2010", L"J. Ferrand", L"", L"scallop.png"},
    {L"Shells", L"SH-006", L"Charonia tritonis", L"Triton's Trumpet", L"Rare", L"Fine", 65, 90, L"Brown", 310, L"Great Barrier Reef", L"02/11/1989", L"R. Okafor", L"Old collection piece; protected today.", L""},
    {L"Shells", L"SH-007", L"Haliotis rufescens", L"Red Abalone", L"Common", L"Good", 12, 18, L"Red", 215, L"Mendocino, California", L"06/30/2004", L"A. Brandt", L"Nacre polished on the inside.", L""},
    {L"Shells", L"SH-008", L"Strombus gigas", L"Queen Conch", L"Common", L"Very Good", 9, 14, L"Pink", 240, L"Eleuthera, Bahamas", L"04/18/2007", L"A. Brandt", L"", L""},
    {L"Shells", L"SH-009", L"Oliva porphyria", L"Tent Olive", L"Uncommon", L"Excellent", 18, 30, L"Purple", 88, L"Gulf of California", L"01/05/2012", L"J. Ferrand", L"Perfect lip.", L""},
    {L"Shells", L"SH-010", L"Spondylus americanus", L"Atlantic Thorny Oyster", L"Somewhat Rare", L"Fine", 45, 70, L"Red", 130, L"Florida Keys", L"09/23/2015", L"M. Hollis", L"Long spines, cleaned by hand.", L""},
    {L"Minerals", L"MN-001", L"SiO2", L"Rock Crystal", L"Abundant", L"Gem", 20, 35, L"Colorless", 96, L"Arkansas, USA", L"05/12/2003", L"T. Varga", L"Water-clear single point.", L"quartz.png"},
    {L"Minerals", L"MN-002", L"SiO2", L"Amethyst", L"Common", L"Excellent", 38, 60, L"Purple", 140, L"Artigas, Uruguay", L"10/02/2008", L"T. Varga", L"Deep color cluster.", L"amethyst.png"},
    {L"Minerals", L"MN-003", L"FeS2", L"Pyrite", L"Abundant", L"Very Good", 15, 22, L"Gold", 45, L"Navajun, Spain", L"03/27/2011", L"J. Ferrand", L"Cube in matrix.", L""},
    {L"Minerals", L"MN-004", L"CaF2", L"Fluorite", L"Common", L"Fine", 28, 40, L"Green", 62, L"Rogerley Mine, England", L"08/14/2016", L"A. Brandt", L"Fluoresces blue under UV.", L""},
    {L"Minerals", L"MN-005", L"Cu2CO3(OH)2", L"Malachite", L"Common", L"Good", 11, 16, L"Green", 70, L"Katanga, Congo", L"12/01/1999", L"R. Okafor", L"Banded, one face polished.", L""},
    {L"Minerals", L"MN-006", L"Cu3(CO3)2(OH)2", L"Azurite", L"Uncommon", L"Very Good", 42, 65, L"Blue", 38, L"Bisbee, Arizona", L"02/20/2005", L"T. Varga", L"Keep out of strong light.", L""},
    {L"Minerals", L"MN-007", L"PbS", L"Galena", L"Common", L"Good", 7, 10, L"Gray", 55, L"Joplin, Missouri", L"06/06/2006", L"T. Varga", L"Heavy for its size.", L""},
    {L"Minerals", L"MN-008", L"MnCO3", L"Rhodochrosite", L"Rare", L"Excellent", 120, 180, L"Pink", 41, L"Sweet Home Mine, Colorado", L"09/09/2019", L"A. Brandt", L"Bought at Tucson.", L""},
    {L"Fossils", L"FO-001", L"Dactylioceras commune", L"Ammonite", L"Common", L"Very Good", 25, 38, L"Brown", 68, L"Whitby, Yorkshire", L"07/21/2002", L"J. Ferrand", L"Lower Jurassic, from the foreshore.", L"ammonite.png"},
    {L"Fossils", L"FO-002", L"Elrathia kingii", L"Trilobite", L"Common", L"Fine", 30, 45, L"Gray", 32, L"Wheeler Shale, Utah", L"05/03/2009", L"R. Okafor", L"Cambrian; complete.", L"trilobite.png"},
    {L"Fossils", L"FO-003", L"Otodus megalodon", L"Megalodon Tooth", L"Somewhat Rare", L"Good", 95, 140, L"Black", 118, L"Cooper River, South Carolina", L"10/15/2013", L"M. Hollis", L"Serrations worn on one side.", L""},
    {L"Fossils", L"FO-004", L"Knightia eocaena", L"Fossil Fish", L"Abundant", L"Very Good", 14, 20, L"Tan", 95, L"Green River, Wyoming", L"06/19/2014", L"A. Brandt", L"Eocene.", L""},
    {L"Fossils", L"FO-005", L"Orthoceras sp.", L"Orthoceras", L"Abundant", L"Good", 6, 9, L"Black", 150, L"Erfoud, Morocco", L"03/02/2017", L"T. Varga", L"Polished slab.", L""},
    {L"Fossils", L"FO-006", L"Mammuthus primigenius", L"Mammoth Tooth Fragment", L"Rare", L"Fair", 80, 110, L"Brown", 160, L"North Sea, dredged", L"11/11/2018", L"J. Ferrand", L"Dredged by a trawler.", L""},
    {L"Wish List", L"WL-001", L"Conus gloriamaris", L"Glory of the Sea Cone", L"Rare", L"", 0, 0, L"", 0, L"", L"", L"", L"Watch the Paris auctions.", L""},
    {L"Wish List", L"WL-002", L"Cypraea fultoni", L"Fulton's Cowrie", L"Unique", L"", 0, 0, L"", 0, L"", L"", L"", L"Out of reach for now.", L""},
    {L"Wish List", L"WL-003", L"Be3Al2Si6O18", L"Aquamarine", L"Uncommon", L"", 0, 0, L"Blue", 0, L"", L"", L"", L"A Pakistani crystal on matrix.", L""},
};
// clang-format on

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: sample_catalog_tool <sample folder>\n", stderr);
        return 2;
    }
    const std::string given = argv[1];
    std::wstring folder(given.begin(), given.end());
    EnsureTrailing(folder, L'/');
    ScriptedHost host;
    Settings settings;
    settings.storeImages = true;  // one file to copy
    settings.sizeUnits = L"mm";
    settings.captions[0] = L"Acquired From";
    settings.nextTagNumber = 1;
    Catalog catalog(host, settings);
    for (const wchar_t* name : {L"Shells", L"Minerals", L"Fossils", L"Wish List"})
        catalog.AddCategory(name);
    for (const Row& row : kRows) {
        Specimen specimen;
        specimen.categories = {row.category};
        specimen.tag = row.tag;
        specimen.latinName = row.latin;
        specimen.commonName = row.common;
        specimen.abundance = row.abundance;
        specimen.quality = row.quality;
        specimen.price = row.price;
        specimen.value = row.value;
        specimen.colour = row.colour;
        specimen.size = row.size;
        specimen.location = row.location;
        specimen.dateCollected = row.date;
        specimen.collector = row.collector;
        specimen.remarks = row.remarks;
        if (*row.picture != 0) {
            specimen.pictureName = row.picture;
            DataFile picture(folder + L"pictures/" + row.picture);
            if (!picture.ReadAll(specimen.pictureData))
                return 1;
        }
        catalog.AddSpecimen(specimen);
    }
    RawPictureFileWriter pictures;
    return WriteCatalog(catalog, folder + L"Orvelle Sample.xml", L"", pictures, nullptr) ? 0 : 1;
}
