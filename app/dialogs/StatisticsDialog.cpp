#include "app/dialogs/StatisticsDialog.h"

#include "app/framework/Dialogs.h"
#include "app/framework/TQComboBox.h"
#include "base/StringTable.h"
#include "catalog/Specimen.h"
#include "reports/Statistics.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

class StatisticsDialog {
public:
    StatisticsDialog(const std::vector<Specimen>& specimens, const std::vector<std::wstring>& categories,
                     const std::wstring& currentCategory)
        : specimens_(specimens), categories_(categories), currentCategory_(currentCategory) {}

    void OnInitDialog(HWND dialog) {
        CentreOver(dialog);
        abundance_.Attach(GetDlgItem(dialog, IDC_STATISTICS_ABUNDANCE));
        for (const Choice& choice : AbundanceChoices())
            abundance_.AddEntry(choice.text, choice.data);
        abundance_.FillAndSelectData(0);
        quality_.Attach(GetDlgItem(dialog, IDC_STATISTICS_QUALITY));
        for (const Choice& choice : QualityChoices())
            quality_.AddEntry(choice.text, choice.data);
        quality_.FillAndSelectData(0);
        category_.Attach(GetDlgItem(dialog, IDC_STATISTICS_CATEGORY));
        category_.AddEntry(LoadText(IDS_ALL_CATEGORIES), 0);
        for (size_t i = 0; i < categories_.size(); ++i)
            category_.AddEntry(categories_[i], static_cast<std::int32_t>(i + 1));
        category_.FillAndSelectText(currentCategory_);
        Recount(dialog);
    }

    void OnCommand(HWND dialog, int item, int) {
        switch (item) {
            case IDOK:
                EndDialog(dialog, IDOK);
                break;
            case IDC_STATISTICS_ABUNDANCE:
            case IDC_STATISTICS_CATEGORY:
            case IDC_STATISTICS_QUALITY:
                Recount(dialog);
                break;
            default:
                break;
        }
    }

    // Escape and the frame's close box end it as OK does.
    void OnCancel(HWND dialog) { EndDialog(dialog, IDOK); }

private:
    void Recount(HWND dialog) {
        const std::wstring all = LoadText(IDS_ALL_CATEGORIES);
        StatisticsFilter filter;
        filter.category = category_.SelectedEntryText().value_or(all);
        filter.quality = quality_.SelectedEntryText().value_or(all);
        filter.abundance = abundance_.SelectedEntryText().value_or(all);
        const StatisticsTexts texts = StatisticsTextsOf(ComputeStatistics(specimens_, filter));
        SetDlgItemTextW(dialog, IDC_STATISTICS_COUNT, texts.count.c_str());
        SetDlgItemTextW(dialog, IDC_STATISTICS_COST, texts.cost.c_str());
        SetDlgItemTextW(dialog, IDC_STATISTICS_VALUE, texts.value.c_str());
    }

    const std::vector<Specimen>& specimens_;
    const std::vector<std::wstring>& categories_;
    const std::wstring& currentCategory_;
    TQComboBox abundance_{true};
    TQComboBox category_{true, CaseTwins::Kept};
    TQComboBox quality_{true};
};

}  // namespace

void ShowStatistics(HWND owner, const std::vector<Specimen>& specimens, const std::vector<std::wstring>& categories,
                    const std::wstring& currentCategory) {
    StatisticsDialog state(specimens, categories, currentCategory);
    RunDialog(owner, IDD_STATISTICS, state);
}

}  // namespace TQLibrary
