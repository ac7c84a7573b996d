#include "app/printing/ReportDialog.h"

#include <array>

#include "app/framework/Dialogs.h"
#include "app/framework/TQComboBox.h"
#include "base/Handles.h"
#include "base/StringTable.h"
#include "reports/ReportSettings.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

constexpr std::array<int, kLabelLineCount> kFieldBoxes{IDC_REPORT_LABEL_FIELD1, IDC_REPORT_LABEL_FIELD2,
                                                       IDC_REPORT_LABEL_FIELD3, IDC_REPORT_LABEL_FIELD4};
constexpr std::array<int, kLabelLineCount> kSizeBoxes{IDC_REPORT_LABEL_SIZE1, IDC_REPORT_LABEL_SIZE2,
                                                      IDC_REPORT_LABEL_SIZE3, IDC_REPORT_LABEL_SIZE4};

void AddChoices(TQComboBox& box, const std::vector<Choice>& choices, bool show) {
    for (const Choice& choice : choices)
        box.AddEntry(choice.text, choice.data, show);
}

bool Checked(HWND dialog, int item) {
    return IsDlgButtonChecked(dialog, item) == BST_CHECKED;
}

class ReportDialog {
public:
    ReportDialog(const std::vector<std::wstring>& categories, ReportForm& form)
        : categories_(categories), form_(form) {}

    void OnInitDialog(HWND dialog) {
        CentreOver(dialog);
        CheckRadioButton(dialog, IDC_REPORT_ALL, IDC_REPORT_SELECTED,
                         form_.allSpecimens ? IDC_REPORT_ALL : IDC_REPORT_SELECTED);
        category_.Attach(GetDlgItem(dialog, IDC_REPORT_CATEGORY));
        category_.AddEntry(LoadText(IDS_ALL_CATEGORIES), 0);
        for (size_t i = 0; i < categories_.size(); ++i)
            category_.AddEntry(categories_[i], static_cast<std::int32_t>(i + 1));
        category_.FillAndSelectText(form_.categoryFilter);

        const std::vector<Choice> fields = ReportFieldChoices();
        for (int line = 0; line < kLabelLineCount; ++line) {
            fields_[line].Attach(GetDlgItem(dialog, kFieldBoxes[line]));
            AddChoices(fields_[line], fields, true);
            fields_[line].SelectByData(form_.labelFields[line]);
        }
        font_.Attach(GetDlgItem(dialog, IDC_REPORT_FONT));
        AddFonts(dialog);
        font_.FillAndSelectText(form_.font);
        const std::vector<Choice> sizes = LabelSizeChoices();
        for (int line = 0; line < kLabelLineCount; ++line) {
            sizes_[line].Attach(GetDlgItem(dialog, kSizeBoxes[line]));
            AddChoices(sizes_[line], sizes, true);
            sizes_[line].SelectByData(form_.labelSizes[line]);
        }
        sort_.Attach(GetDlgItem(dialog, IDC_REPORT_SORT));
        AddChoices(sort_, fields, true);
        sort_.SelectByData(static_cast<std::int32_t>(form_.sortField));

        const ReportKind kind = ReportKindOf(form_.reportType);
        const int checked = kind == ReportKind::Detail   ? IDC_REPORT_DETAIL
                            : kind == ReportKind::Labels ? IDC_REPORT_LABELS
                                                         : IDC_REPORT_SUMMARY;
        CheckDlgButton(dialog, checked, BST_CHECKED);
        EnableLabelBoxes(dialog, kind == ReportKind::Labels);
    }

    void OnCommand(HWND dialog, int item, int) {
        switch (item) {
            case IDOK:
                ReadBack(dialog);
                EndDialog(dialog, IDOK);
                break;
            case IDC_REPORT_SUMMARY:
            case IDC_REPORT_DETAIL:
                EnableLabelBoxes(dialog, false);
                break;
            case IDC_REPORT_LABELS:
                EnableLabelBoxes(dialog, true);
                break;
            default:
                break;
        }
    }

private:
    // The screen's fonts, as the dialog's device context lists them.
    void AddFonts(HWND dialog) {
        const WindowDC context = WindowDC::OfClientArea(dialog);
        if (!context)
            return;
        EnumFontsW(context.Get(), nullptr, &ReportDialog::AddFont, reinterpret_cast<LPARAM>(this));
    }

    static int CALLBACK AddFont(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM self) {
        auto* dialog = reinterpret_cast<ReportDialog*>(self);
        if (IsOfferedReportFont(font->lfFaceName))
            dialog->font_.AddEntry(font->lfFaceName, ++dialog->fontsSeen_);
        return 1;
    }

    static void EnableLabelBoxes(HWND dialog, bool enabled) {
        for (int line = 0; line < kLabelLineCount; ++line) {
            EnableWindow(GetDlgItem(dialog, kFieldBoxes[line]), enabled ? TRUE : FALSE);
            EnableWindow(GetDlgItem(dialog, kSizeBoxes[line]), enabled ? TRUE : FALSE);
        }
    }

    void ReadBack(HWND dialog) {
        form_.reportType = Checked(dialog, IDC_REPORT_SUMMARY)  ? kSummaryReport
                           : Checked(dialog, IDC_REPORT_LABELS) ? kSpecimenLabels
                                                                : kDetailReport;
        form_.allSpecimens = Checked(dialog, IDC_REPORT_ALL);
        for (int line = 0; line < kLabelLineCount; ++line) {
            form_.labelFields[line] = fields_[line].SelectedData().value_or(0);
            form_.labelSizes[line] = sizes_[line].SelectedData().value_or(0);
        }
        if (std::optional<std::wstring> font = font_.SelectedEntryText())
            form_.font = *font;
        form_.sortField = static_cast<std::uint32_t>(sort_.SelectedData().value_or(0));
        if (std::optional<std::wstring> category = category_.SelectedEntryText())
            form_.categoryFilter = *category;
    }

    const std::vector<std::wstring>& categories_;
    ReportForm& form_;
    TQComboBox category_{false, CaseTwins::Kept};
    std::array<TQComboBox, kLabelLineCount> fields_{TQComboBox(false), TQComboBox(false), TQComboBox(false),
                                                    TQComboBox(false)};
    TQComboBox font_{true};
    std::array<TQComboBox, kLabelLineCount> sizes_{TQComboBox(false), TQComboBox(false), TQComboBox(false),
                                                   TQComboBox(false)};
    TQComboBox sort_{false};
    std::int32_t fontsSeen_ = 0;
};

}  // namespace

bool ChooseReport(HWND owner, const std::vector<std::wstring>& categories, ReportForm& form) {
    ReportForm edited = form;
    ReportDialog state(categories, edited);
    if (!RunDialog(owner, IDD_REPORT_SETTINGS, state))
        return false;
    form = std::move(edited);
    return true;
}

}  // namespace TQLibrary
