#include "app/dialogs/SpecimenDialog.h"

#include <algorithm>
#include <array>
#include <vector>

#include <windows.h>
#include <shellapi.h>

#include "app/dialogs/CategoryTicksList.h"
#include "app/dialogs/DatePicker.h"
#include "app/framework/DialogPages.h"
#include "app/framework/Dialogs.h"
#include "app/framework/Dpi.h"
#include "app/framework/Messages.h"
#include "app/framework/TQComboBox.h"
#include "app/framework/TQListBox.h"
#include "app/main/Application.h"
#include "app/main/PictureView.h"
#include "base/Handles.h"
#include "base/StringTable.h"
#include "base/TextSplit.h"
#include "catalog/PictureFiles.h"
#include "frame/DroppedFiles.h"
#include "resources/resource.h"
#include "specimens/BatchEdit.h"
#include "specimens/SpecimenForm.h"

namespace TQLibrary {

namespace {

constexpr int kGeneral[] = {IDC_TAG_LABEL,         IDC_TAG,         IDC_LATIN_NAME_LABEL, IDC_LATIN_NAME,
                            IDC_COMMON_NAME_LABEL, IDC_COMMON_NAME, IDC_ABUNDANCE_LABEL,  IDC_ABUNDANCE,
                            IDC_PRICE_LABEL,       IDC_PRICE,       IDC_VALUE_LABEL,      IDC_VALUE,
                            IDC_SORT_ORDER_LABEL,  IDC_SORT_ORDER};
constexpr int kCategory[] = {IDC_CATEGORIES_LABEL, IDC_CATEGORIES};
constexpr int kAppearance[] = {IDC_COLOUR_LABEL, IDC_COLOUR,         IDC_SIZE_LABEL, IDC_SPECIMEN_SIZE,
                               IDC_SIZE_UNITS,   IDC_QUALITY_LABEL,  IDC_QUALITY,    IDC_DIMENSIONS_LABEL,
                               IDC_DIMENSIONS,   IDC_DIMENSIONS_HINT};
constexpr int kCollection[] = {IDC_LOCATION_LABEL, IDC_LOCATION,  IDC_DATE_COLLECTED_LABEL,
                               IDC_DATE_COLLECTED, IDC_PICK_DATE, IDC_COLLECTOR_LABEL,
                               IDC_COLLECTOR};
constexpr int kMisc[] = {IDC_USER_FIELD_LABEL_FIRST,
                         IDC_USER_FIELD_LABEL_FIRST + 1,
                         IDC_USER_FIELD_LABEL_FIRST + 2,
                         IDC_USER_FIELD_LABEL_FIRST + 3,
                         IDC_USER_FIELD_LABEL_FIRST + 4,
                         IDC_USER_FIELD_FIRST,
                         IDC_USER_FIELD_FIRST + 1,
                         IDC_USER_FIELD_FIRST + 2,
                         IDC_USER_FIELD_FIRST + 3,
                         IDC_USER_FIELD_FIRST + 4,
                         IDC_REMARKS_LABEL,
                         IDC_REMARKS};
constexpr int kPicture[] = {IDC_PICTURE_BROWSE, IDC_PICTURE_CLEAR, IDC_TRANSPARENT, IDC_PICTURE_BOX};

constexpr DialogPage kPages[] = {
        {IDS_PAGE_GENERAL, kGeneral},        {IDS_PAGE_GENERAL + 1, kCategory}, {IDS_PAGE_GENERAL + 2, kAppearance},
        {IDS_PAGE_GENERAL + 3, kCollection}, {IDS_PAGE_GENERAL + 4, kMisc},     {IDS_PAGE_PICTURE, kPicture},
};

// Item data of the choice boxes' own entries: a word the specimen has that is none of the listed.
constexpr std::int32_t kOwnWord = 1000;

void SetItem(HWND dialog, int item, const std::wstring& text) {
    SetDlgItemTextW(dialog, item, text.c_str());
}

// The control each field of a batch edit is shown in.
int ControlOf(FieldId field) {
    switch (field) {
        case kFieldLatinName:
            return IDC_LATIN_NAME;
        case kFieldCommonName:
            return IDC_COMMON_NAME;
        case kFieldAbundance:
            return IDC_ABUNDANCE;
        case kFieldPrice:
            return IDC_PRICE;
        case kFieldValue:
            return IDC_VALUE;
        case kFieldOrder:
            return IDC_SORT_ORDER;
        case kFieldColour:
            return IDC_COLOUR;
        case kFieldSize:
            return IDC_SPECIMEN_SIZE;
        case kFieldQuality:
            return IDC_QUALITY;
        case kFieldDimensions:
            return IDC_DIMENSIONS;
        case kFieldLocation:
            return IDC_LOCATION;
        case kFieldDateCollected:
            return IDC_DATE_COLLECTED;
        case kFieldCollector:
            return IDC_COLLECTOR;
        case kFieldUser1:
        case kFieldUser2:
            return IDC_USER_FIELD_FIRST + (field - kFieldUser1);
        case kFieldUser3:
        case kFieldUser4:
        case kFieldUser5:
            return IDC_USER_FIELD_FIRST + 2 + (field - kFieldUser3);
        default:
            return IDC_REMARKS;
    }
}

struct SpecimenDialog {
    SpecimenDialog(Application& owner, Specimen copy, SpecimenDialogSetup how)
        : application(owner), specimen(std::move(copy)), setup(how) {}

    Application& application;
    Specimen specimen;  // the working copy
    SpecimenDialogSetup setup;
    bool tagProposed = false;
    TQComboBox abundance{true};
    TQComboBox colour{true};
    TQComboBox quality{true};
    TQListBox categories;
    DialogPages pages{kPages};
    PictureView picture;
    // What the dialog showed when it opened, so that OK keeps what the user left alone.
    std::vector<int> categoriesShown;
    int abundanceShown = -1;
    int qualityShown = -1;
    std::wstring priceShown, valueShown, sizeShown, orderShown;
    // Many specimens at once: what each field showed, and what OK changes.
    const std::vector<const Specimen*>* batch = nullptr;
    BatchEdit edit;
    std::vector<std::wstring> batchTexts;  // by kBatchFields
    std::vector<std::wstring> listedCategories;
    std::vector<Tick> ticksShown;
    CategoryTicksList ticks;
    UINT maskShown = BST_UNCHECKED;

    void OnInitDialog(HWND dialog) {
        if (batch != nullptr) {
            InitBatch(dialog);
            return;
        }
        PrepareDialog(dialog, setup.readOnly);
        const Settings& settings = application.CurrentSettings();
        if (setup.newSpecimen)
            PrefillNewSpecimen(specimen, settings);
        FillCategories(dialog);
        FillChoices(dialog);
        ShowTexts(dialog, settings);
        ShowNumbers(dialog, settings);
        PlacePictureBox(dialog);
        if (!specimen.pictureData.empty())
            picture.Decode(PictureBoxOf(dialog), specimen.pictureData);
        if (specimen.mask)
            CheckDlgButton(dialog, IDC_TRANSPARENT, BST_CHECKED);
        pages.Attach(dialog, IDC_DETAIL_PAGES, IDS_PAGE_GENERAL);
        DragAcceptFiles(dialog, !setup.readOnly);
    }

    // Each field shows what every specimen shares, or nothing with the cue "(various)"; the tag
    // is never shared (tags are unique), so it is shown as various and cannot be edited.
    void InitBatch(HWND dialog) {
        PrepareDialog(dialog, setup.readOnly);
        SetWindowTextW(dialog, FillIn(LoadText(IDS_ACTION_EDIT_SPECIMENS), {std::to_wstring(batch->size())}).c_str());
        ShowTexts(dialog, application.CurrentSettings());  // the captions and units; the fields are set below
        const std::wstring various = LoadText(IDS_VARIOUS);
        SetItem(dialog, IDC_TAG, various);
        EnableWindow(GetDlgItem(dialog, IDC_TAG), FALSE);
        const std::wstring currency = LoadText(IDS_CURRENCY);
        for (FieldId field : kBatchFields) {
            const std::optional<std::wstring> shared = SharedFieldText(*batch, field, currency);
            const std::wstring text = shared.value_or(std::wstring());
            batchTexts.push_back(text);
            HWND control = GetDlgItem(dialog, ControlOf(field));
            if (field == kFieldAbundance || field == kFieldQuality) {
                TQComboBox& box = field == kFieldAbundance ? abundance : quality;
                const int shown = FillWords(box, control,
                                            field == kFieldAbundance ? IDS_ABUNDANCE_FIRST : IDS_QUALITY_FIRST,
                                            field == kFieldAbundance ? IDS_ABUNDANCE_LAST : IDS_QUALITY_LAST, text);
                (field == kFieldAbundance ? abundanceShown : qualityShown) = shown;
                continue;
            }
            if (field == kFieldColour)
                FillColours(dialog, text);
            else
                SetItem(dialog, ControlOf(field), text);
            if (!shared) {
                const UINT cue = field == kFieldColour ? CB_SETCUEBANNER : EM_SETCUEBANNER;
                // Shown in the focused field as well, until something is typed.
                SendMessageW(control, cue, TRUE, reinterpret_cast<LPARAM>(various.c_str()));
            }
        }
        listedCategories = application.CurrentCatalog().Categories();
        ticksShown = CategoryTicks(listedCategories, *batch);
        if (ticks.Replace(dialog, IDC_CATEGORIES))
            ticks.Show(listedCategories, ticksShown);
        ShowBatchPicture(dialog);
        pages.Attach(dialog, IDC_DETAIL_PAGES, IDS_PAGE_GENERAL);
        DragAcceptFiles(dialog, !setup.readOnly);
    }

    // The picture when every specimen has the same one; the box says whether all, none or some
    // have the background drawn transparent.
    void ShowBatchPicture(HWND dialog) {
        PlacePictureBox(dialog);
        const Specimen& first = *batch->front();
        const bool samePicture = std::all_of(batch->begin(), batch->end(), [&](const Specimen* other) {
            return other->pictureName == first.pictureName && other->pictureData == first.pictureData;
        });
        if (samePicture && !first.pictureData.empty()) {
            SetItem(dialog, IDC_PICTURE_PATH, first.pictureName);
            picture.Decode(PictureBoxOf(dialog), first.pictureData);
        }
        const size_t masked = static_cast<size_t>(
                std::count_if(batch->begin(), batch->end(), [](const Specimen* other) { return other->mask; }));
        HWND transparent = GetDlgItem(dialog, IDC_TRANSPARENT);
        SendMessageW(transparent, BM_SETSTYLE, BS_AUTO3STATE, TRUE);
        maskShown = masked == 0 ? BST_UNCHECKED : masked == batch->size() ? BST_CHECKED : BST_INDETERMINATE;
        CheckDlgButton(dialog, IDC_TRANSPARENT, maskShown);
    }

    // Exactly what the user changed: a field whose text is still the one shown stays as each
    // specimen has it.
    void OnBatchOk(HWND dialog) {
        for (size_t i = 0; i < std::size(kBatchFields); ++i) {
            const FieldId field = kBatchFields[i];
            HWND control = GetDlgItem(dialog, ControlOf(field));
            if (field == kFieldAbundance || field == kFieldQuality) {
                const TQComboBox& box = field == kFieldAbundance ? abundance : quality;
                if (SendMessageW(control, CB_GETCURSEL, 0, 0) !=
                    (field == kFieldAbundance ? abundanceShown : qualityShown))
                    edit.fields.emplace_back(field, box.SelectedEntryText().value_or(std::wstring()));
                continue;
            }
            std::wstring text = ItemText(dialog, ControlOf(field));
            if (text != batchTexts[i])
                edit.fields.emplace_back(field, std::move(text));
        }
        ReadCategoryTicks(listedCategories, ticksShown, ticks.Ticks(), edit);
        const UINT mask = IsDlgButtonChecked(dialog, IDC_TRANSPARENT);
        if (mask != maskShown && mask != BST_INDETERMINATE)
            edit.mask = mask == BST_CHECKED;
        if (edit.picture == BatchEdit::Picture::Set) {
            edit.pictureName = specimen.pictureName;
            edit.pictureData = specimen.pictureData;
        }
        EndDialog(dialog, IDOK);
    }

    void FillCategories(HWND dialog) {
        categories.Attach(GetDlgItem(dialog, IDC_CATEGORIES));
        const std::vector<std::wstring>& listed = application.CurrentCatalog().Categories();
        for (const std::wstring& name : listed)
            categories.AddItem(name, 0);
        categoriesShown = PlacesOfCategories(listed, specimen.categories);
        std::sort(categoriesShown.begin(), categoriesShown.end());
        for (int place : categoriesShown)
            SendMessageW(categories.Window(), LB_SETSEL, TRUE, place);
    }

    void FillChoices(HWND dialog) {
        FillColours(dialog, specimen.colour);

        abundanceShown = FillWords(abundance, GetDlgItem(dialog, IDC_ABUNDANCE), IDS_ABUNDANCE_FIRST,
                                   IDS_ABUNDANCE_LAST, specimen.abundance);
        qualityShown = FillWords(quality, GetDlgItem(dialog, IDC_QUALITY), IDS_QUALITY_FIRST, IDS_QUALITY_LAST,
                                 specimen.quality);
    }

    void FillColours(HWND dialog, const std::wstring& shown) {
        colour.Attach(GetDlgItem(dialog, IDC_COLOUR));
        std::int32_t data = 0;
        for (const std::wstring& name : application.CurrentCatalog().Colours()) {
            if (!name.empty())
                colour.AddEntry(name, data++);
        }
        colour.FillAndSelectText(shown);
        // The colour shows as the specimen has it, even when the set holds it in another case.
        SetItem(dialog, IDC_COLOUR, shown);
    }

    // The listed words, and the specimen's own word when it is none of them (empty included), so
    // that it shows as it is and OK keeps it. Returns the index selected.
    static int FillWords(TQComboBox& box, HWND control, unsigned first, unsigned last, const std::wstring& word) {
        box.Attach(control);
        for (unsigned id = first; id <= last; ++id)
            box.AddEntry(LoadText(id), static_cast<std::int32_t>(id - first));
        box.AddEntry(word, kOwnWord);
        box.FillAndSelectText(word);
        return static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    }

    void ShowTexts(HWND dialog, const Settings& settings) {
        SetItem(dialog, IDC_DATE_COLLECTED, specimen.dateCollected);
        SetItem(dialog, IDC_COLLECTOR, specimen.collector);
        if (specimen.tag.empty()) {
            SetItem(dialog, IDC_TAG, ProposeTag(settings.tagFormat, settings.nextTagNumber));
            tagProposed = true;
        } else {
            SetItem(dialog, IDC_TAG, specimen.tag);
        }
        SetItem(dialog, IDC_COMMON_NAME, specimen.commonName);
        SetItem(dialog, IDC_DIMENSIONS, specimen.dimensions);
        SetItem(dialog, IDC_LATIN_NAME, specimen.latinName);
        SetItem(dialog, IDC_LOCATION, specimen.location);
        SetItem(dialog, IDC_PICTURE_PATH, specimen.pictureName);
        SetItem(dialog, IDC_REMARKS, specimen.remarks);
        for (int i = 0; i < 5; ++i) {
            SetItem(dialog, IDC_USER_FIELD_LABEL_FIRST + i, settings.captions[static_cast<size_t>(i)] + L":");
            SetItem(dialog, IDC_USER_FIELD_FIRST + i, specimen.userFields[static_cast<size_t>(i)]);
        }
        SetItem(dialog, IDC_SIZE_UNITS, settings.sizeUnits);
    }

    void ShowNumbers(HWND dialog, const Settings&) {
        const std::wstring currency = LoadText(IDS_CURRENCY);
        priceShown = AmountText(specimen.price, currency);
        valueShown = AmountText(specimen.value, currency);
        sizeShown = SizeText(specimen.size);
        orderShown = OrderText(specimen.order);
        SetItem(dialog, IDC_PRICE, priceShown);
        SetItem(dialog, IDC_VALUE, valueShown);
        SetItem(dialog, IDC_SPECIMEN_SIZE, sizeShown);
        SetItem(dialog, IDC_SORT_ORDER, orderShown);
    }

    // The picture box lies at fixed pixels in the tab strip, for the monitor's scale.
    void PlacePictureBox(HWND dialog) {
        const Rect box = PictureBoxFor(WindowDpi(dialog));
        RECT strip{};
        GetWindowRect(GetDlgItem(dialog, IDC_DETAIL_PAGES), &strip);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&strip), 2);
        SetWindowPos(PictureBoxOf(dialog), nullptr, strip.left + box.left, strip.top + box.top, box.Width(),
                     box.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        picture.SetBox(0, 0, box.Width(), box.Height());
    }

    static HWND PictureBoxOf(HWND dialog) { return GetDlgItem(dialog, IDC_PICTURE_BOX); }

    INT_PTR OnNotify(HWND, NMHDR& header) {
        if (ticks.OnNotify(header))
            return 0;
        pages.OnNotify(header);
        return 0;
    }

    void OnCommand(HWND dialog, int item, int notification) {
        switch (item) {
            case IDOK:
                if (setup.readOnly)
                    break;
                if (batch != nullptr)
                    OnBatchOk(dialog);
                else
                    OnOk(dialog);
                break;
            case IDC_PICK_DATE:
                PickDateForEdit(dialog, IDC_DATE_COLLECTED, application.CurrentSettings().dateStyle);
                break;
            case IDC_PICTURE_BROWSE:
                ChoosePicture(dialog);
                break;
            case IDC_PICTURE_CLEAR:
                RemovePicture(dialog);
                break;
            case IDC_TRANSPARENT:
                picture.SetTransparent(IsDlgButtonChecked(dialog, IDC_TRANSPARENT) == BST_CHECKED);
                InvalidateRect(PictureBoxOf(dialog), nullptr, FALSE);
                break;
            case IDC_PICTURE_BOX:
                if (notification == STN_CLICKED)
                    OnPictureClicked(dialog);
                break;
            default:
                break;
        }
    }

    bool OnDrawItem(HWND, const DRAWITEMSTRUCT& item) {
        if (item.CtlID != IDC_PICTURE_BOX)
            return false;
        picture.PaintNaturalInBox(item.hDC);
        return true;
    }

    void ChoosePicture(HWND dialog) {
        std::wstring start = ItemText(dialog, IDC_PICTURE_PATH);
        if (start.empty())
            start = application.CurrentSettings().lastFolder;
        std::wstring path;
        if (ChoosePictureFile(application.MainWindow(), start, path))
            TakePicture(dialog, path);
    }

    // A picture file chosen with Browse or dropped on the dialog.
    void TakePicture(HWND dialog, const std::wstring& path) {
        SetItem(dialog, IDC_PICTURE_PATH, path);
        {
            // A silent save may be reading the settings on its worker.
            CatalogLockGuard guard(application.Lock());
            application.CurrentSettings().SetLastFolder(path, true);
        }
        LoadPictureBytes(specimen, path);
        edit.picture = BatchEdit::Picture::Set;
        picture.Clear(PictureBoxOf(dialog));
        if (!specimen.pictureData.empty())
            picture.Decode(PictureBoxOf(dialog), specimen.pictureData);
    }

    // One picture file dropped on the dialog sets the picture as Browse does.
    bool OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
        if (message != WM_DROPFILES)
            return false;
        auto drop = reinterpret_cast<HDROP>(wParam);
        std::wstring path;
        if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
            path.resize(DragQueryFileW(drop, 0, nullptr, 0));
            DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size() + 1));
        }
        DragFinish(drop);
        if (!setup.readOnly && IsPictureFileName(path))
            TakePicture(dialog, path);
        return true;
    }

    void RemovePicture(HWND dialog) {
        if (!Ask(IDS_REMOVE_PICTURE_QUESTION, IDS_DISPLAY_NAME))
            return;
        SetItem(dialog, IDC_PICTURE_PATH, L"");
        LoadPictureBytes(specimen, L"");
        edit.picture = BatchEdit::Picture::Cleared;
        picture.Clear(PictureBoxOf(dialog));
    }

    void OnPictureClicked(HWND dialog) {
        POINT where{};
        GetCursorPos(&where);
        ScreenToClient(PictureBoxOf(dialog), &where);
        if (picture.HitTest(where.x, where.y))
            ShowPicturePopup(dialog, picture);
    }

    void OnOk(HWND dialog) {
        ReadCategories();
        specimen.abundance = WordChosen(abundance, GetDlgItem(dialog, IDC_ABUNDANCE), abundanceShown,
                                        specimen.abundance);
        specimen.quality = WordChosen(quality, GetDlgItem(dialog, IDC_QUALITY), qualityShown, specimen.quality);
        specimen.collector = ItemText(dialog, IDC_COLLECTOR);
        specimen.colour = ItemText(dialog, IDC_COLOUR);
        specimen.commonName = ItemText(dialog, IDC_COMMON_NAME);
        specimen.dateCollected = ItemText(dialog, IDC_DATE_COLLECTED);
        specimen.dimensions = ItemText(dialog, IDC_DIMENSIONS);
        specimen.latinName = ItemText(dialog, IDC_LATIN_NAME);
        specimen.location = ItemText(dialog, IDC_LOCATION);
        specimen.remarks = ItemText(dialog, IDC_REMARKS);
        specimen.tag = ItemText(dialog, IDC_TAG);
        for (int i = 0; i < 5; ++i)
            specimen.userFields[static_cast<size_t>(i)] = ItemText(dialog, IDC_USER_FIELD_FIRST + i);
        specimen.price = NumberAfterEdit(specimen.price, priceShown, ItemText(dialog, IDC_PRICE));
        specimen.value = NumberAfterEdit(specimen.value, valueShown, ItemText(dialog, IDC_VALUE));
        specimen.size = NumberAfterEdit(specimen.size, sizeShown, ItemText(dialog, IDC_SPECIMEN_SIZE));
        specimen.order = OrderAfterEdit(specimen.order, orderShown, ItemText(dialog, IDC_SORT_ORDER));
        specimen.mask = IsDlgButtonChecked(dialog, IDC_TRANSPARENT) == BST_CHECKED;
        EndDialog(dialog, IDOK);
    }

    // The selected categories in list order; the specimen's own when the selection is as shown,
    // which keeps names the list does not hold.
    void ReadCategories() {
        std::vector<int> selected;
        const int count = categories.ItemCount();
        for (int i = 0; i < count; ++i) {
            if (categories.IsSelected(i))
                selected.push_back(i);
        }
        if (selected == categoriesShown)
            return;
        specimen.categories.clear();
        for (int i : selected)
            specimen.categories.push_back(categories.ItemText(i));
    }

    static std::wstring WordChosen(const TQComboBox& box, HWND control, int shown, const std::wstring& original) {
        if (SendMessageW(control, CB_GETCURSEL, 0, 0) == shown)
            return original;
        return box.SelectedEntryText().value_or(std::wstring());
    }
};

}  // namespace

bool RunBatchSpecimenDialog(Application& application, const std::vector<const Specimen*>& specimens, bool readOnly,
                            BatchEdit& edit) {
    if (specimens.empty())
        return false;
    SpecimenDialog state(application, Specimen(), {.readOnly = readOnly});
    state.batch = &specimens;
    if (!RunDialog(application.MainWindow(), IDD_SPECIMEN_DETAILS, state))
        return false;
    edit = std::move(state.edit);
    return true;
}

bool RunSpecimenDialog(Application& application, Specimen& specimen, SpecimenDialogSetup setup) {
    SpecimenDialog state(application, specimen, setup);
    if (!RunDialog(application.MainWindow(), IDD_SPECIMEN_DETAILS, state))
        return false;
    CatalogLockGuard guard(application.Lock());
    application.CurrentCatalog().AddColour(state.specimen.colour);
    if (state.tagProposed) {
        Settings& settings = application.CurrentSettings();
        settings.nextTagNumber = TagNumberAfter(settings.nextTagNumber);
    }
    specimen = std::move(state.specimen);
    return true;
}

}  // namespace TQLibrary
