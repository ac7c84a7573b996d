#include "support/GeneratedCatalog.h"

#include <cstdint>
#include <string>

namespace {

// A small generator of our own: the standard distributions differ between libraries.
class Numbers {
public:
    explicit Numbers(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ULL + 1) {}
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<std::uint32_t>(state_ >> 11);
    }
    // 0 to count - 1.
    size_t Below(size_t count) { return Next() % count; }
    bool Percent(unsigned percent) { return Next() % 100 < percent; }
    template <size_t N>
    const wchar_t* Pick(const wchar_t* const (&choices)[N]) {
        return choices[Below(N)];
    }

private:
    std::uint64_t state_;
};

constexpr const wchar_t* kGenera[] = {L"Conus",    L"Cypraea",  L"Murex",     L"Pecten",   L"Ammonites", L"Nautilus",
                                      L"Haliotis", L"Strombus", L"Trilobita", L"Quartzum", L"Calcitum",  L"Oliva"};
constexpr const wchar_t* kSpecies[] = {
        L"textile",   L"tigris",    L"pecten", L"maximus",         L"ster\x00E9oph\x00F4ra",
        L"pompilius", L"rufescens", L"gigas",  L"\x00E6quivalvis", L"porphyria"};
constexpr const wchar_t* kCommonNames[] = {
        L"Tiger \"cowrie\"",     L"Cone, textile",         L"Scallop & friend",   L"Ammonite <small>",
        L"Cr\x00E8me ear shell", L"Rose quartz, polished", L"\x00C9toile de mer", L"Venus comb"};
constexpr const wchar_t* kPlaces[] = {L"\x00CEle de R\x00E9, Charente-Maritime",
                                      L"Bah\u00EDa de C\u00E1diz",
                                      L"Reef <north> & lagoon",
                                      L"M\x00FCnster \"old quarry\"",
                                      L"Lyme Regis\r\nBlack Ven",
                                      L"\x6C96\x7E04 beach",
                                      L"Sidi Ifni, km 12"};
constexpr const wchar_t* kCollectors[] = {L"M\x00FCller & S\x00F8n",      L"O'Brien",
                                          L"Dupr\x00E9, J.-P.",           L"\"Doc\" Evans",
                                          L"\x0141ukasz Wi\x015Bniewski", L"A. N. Other"};
constexpr const wchar_t* kColours[] = {L"Red",   L"Brown & white", L"Ivory",          L"Cr\x00E8me", L"Pink",
                                       L"Black", L"Banded <grey>", L"Olive, mottled", L"Orange",     L"Blue"};
constexpr const wchar_t* kAbundance[] = {L"Common", L"Uncommon", L"Rare", L"Very rare"};
constexpr const wchar_t* kQuality[] = {L"Gem", L"Fine", L"Good", L"Fair", L"Poor"};
constexpr const wchar_t* kGroups[] = {L"Gastropoda",   L"Bivalvia",         L"Min\x00E9raux", L"Fossils & casts",
                                      L"Cephalopoda",  L"Crinoids <stems>", L"\"Unsorted\"",  L"Echinoids",
                                      L"Corals, hard", L"Trilobites",       L"Amber",         L"Teeth"};
constexpr const wchar_t* kSubgroups[] = {L"Europe",
                                         L"Pacific",
                                         L"Jurassic",
                                         L"Cretaceous",
                                         L"Caribbean",
                                         L"Indian Ocean",
                                         L"Alps",
                                         L"North Sea",
                                         L"Sahara",
                                         L"Baltic",
                                         L"Lot d'\x00E9t\x00E9",
                                         L"Gifts",
                                         L"Trades",
                                         L"To label",
                                         L"Drawer 7",
                                         L"Reference",
                                         L"Loans",
                                         L"Duplicates",
                                         L"Display",
                                         L"Rejected",
                                         L"Micro",
                                         L"Large",
                                         L"Broken",
                                         L"Juveniles",
                                         L"Types"};
constexpr const wchar_t* kSentences[] = {
        L"Found at low tide under a rock & kept dry. ",
        L"Label reads \"coll. 1911\", ink faded; see notebook p. 42. ",
        L"Shell length < 3 cm, lip > 2 mm, colour pattern intact. ",
        L"Acquis lors d'un \u00E9change \x00E0 B\x00E2le, tr\x00E8s bon \x00E9tat. ",
        L"Matrix partly removed with a needle;\tno glue. ",
        L"\x4E2D\x6587\x6807\x7B7E, obtained in trade. ",
        L"Periostracum present, operculum missing, 2 small chips at the aperture. ",
};

std::wstring Number(size_t value, size_t width) {
    std::wstring text = std::to_wstring(value);
    if (text.size() < width)
        text.insert(0, width - text.size(), L'0');
    return text;
}

std::wstring SharedCategory(size_t index) {
    constexpr size_t kGroupCount = std::size(kGroups);
    return std::wstring(kGroups[index % kGroupCount]) + L" \x2014 " + kSubgroups[index / kGroupCount];
}

std::wstring Remarks(Numbers& numbers) {
    std::wstring remarks;
    // Most remarks are a sentence or none; some run to a page.
    const size_t sentences = numbers.Percent(4) ? 5 + numbers.Below(20) : numbers.Below(2);
    for (size_t i = 0; i < sentences; ++i)
        remarks += numbers.Pick(kSentences);
    return remarks;
}

std::vector<std::uint8_t> PictureBytes(size_t picture) {
    Numbers numbers(picture + 1000);
    std::vector<std::uint8_t> bytes = {0xFF, 0xD8, 0xFF, 0xE0};
    bytes.resize(64 + numbers.Below(400));
    for (size_t i = 4; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(numbers.Next());
    return bytes;
}

Specimen GeneratedSpecimen(int number, Numbers& numbers) {
    constexpr size_t kSharedCategories = std::size(kGroups) * std::size(kSubgroups);  // 300
    const auto n = static_cast<size_t>(number);
    Specimen s;
    s.categories.push_back(SharedCategory(numbers.Below(kSharedCategories)));
    if (numbers.Percent(15))
        s.categories.push_back(SharedCategory(numbers.Below(kSharedCategories)));
    if (numbers.Percent(3))
        s.categories.push_back(SharedCategory(numbers.Below(kSharedCategories)));
    // A lot bought or traded as a whole keeps a category of its own.
    if (numbers.Percent(10))
        s.categories.push_back(L"Lot " + Number(n, 6) + L", " + numbers.Pick(kCollectors));
    s.tag = L"OR-" + Number(n, 6);
    s.latinName = std::wstring(numbers.Pick(kGenera)) + L" " + numbers.Pick(kSpecies);
    if (numbers.Percent(70))
        s.commonName = numbers.Pick(kCommonNames);
    s.location = numbers.Pick(kPlaces);
    s.collector = numbers.Pick(kCollectors);
    s.dateCollected = Number(1 + numbers.Below(28), 2) + L"/" + Number(1 + numbers.Below(12), 2) + L"/" +
                      std::to_wstring(1890 + numbers.Below(130));
    s.colour = numbers.Pick(kColours);
    if (numbers.Percent(40))
        s.dimensions = std::to_wstring(5 + numbers.Below(90)) + L" x " + std::to_wstring(3 + numbers.Below(50)) +
                       L" mm";
    if (numbers.Percent(50))
        s.abundance = numbers.Pick(kAbundance);
    if (numbers.Percent(50))
        s.quality = numbers.Pick(kQuality);
    s.remarks = Remarks(numbers);
    if (numbers.Percent(20))
        s.userFields[0] = L"Drawer " + std::to_wstring(numbers.Below(40)) + L", tray " +
                          std::to_wstring(numbers.Below(9));
    if (numbers.Percent(60))
        s.price = static_cast<double>(numbers.Below(50000)) / 100;
    if (numbers.Percent(30))
        s.value = static_cast<double>(numbers.Below(90000)) / 100;
    if (numbers.Percent(40))
        s.size = static_cast<double>(1 + numbers.Below(2000)) / 10;
    if (numbers.Percent(3)) {
        // Forty pictures, each shown on several specimens.
        const size_t picture = numbers.Below(40);
        s.pictureName = L"pic" + Number(picture, 3) + L".jpg";
        s.pictureData = PictureBytes(picture);
        s.mask = numbers.Percent(50);
    }
    return s;
}

}  // namespace

std::vector<Specimen> GeneratedSpecimens(int count) {
    Numbers numbers(42);
    std::vector<Specimen> specimens;
    specimens.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        specimens.push_back(GeneratedSpecimen(i, numbers));
    return specimens;
}
