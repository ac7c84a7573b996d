#include "app/online/UpdateCheck.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "app/framework/Dialogs.h"
#include "app/framework/Messages.h"
#include "app/framework/Program.h"
#include "app/framework/TQComboBox.h"
#include "app/main/PleaseWait.h"
#include "app/main/ProgramIdentity.h"
#include "app/online/HttpTransfer.h"
#include "app/online/MarkupLabelControl.h"
#include "app/online/OnlineSettings.h"
#include "app/online/VersionBlock.h"
#include "base/Clock.h"
#include "base/DataFile.h"
#include "base/Handles.h"
#include "base/MarkupDocument.h"
#include "base/Paths.h"
#include "base/StringTable.h"
#include "online/MessageFeed.h"
#include "online/UpdateSchedule.h"
#include "online/UpdateSignature.h"
#include "online/VersionFile.h"
#include "resources/resource.h"

namespace TQLibrary {

namespace {

constexpr wchar_t kFrequencyValue[] = L"AutoUpdate_Freq";
constexpr wchar_t kDateValue[] = L"AutoUpdate_Date";
// The version file is small: it comes within a few seconds or the check finds nothing, so that
// a server that does not answer (or answers a byte at a time) cannot hold the start.
constexpr HttpTimeouts kVersionTimeouts{4000, 4000, 6000};

// A web server hands out the version file as it was saved: UTF-16 as the program writes its
// files, or plain bytes (ASCII, UTF-8) as any editor does.
bool LoadVersionFile(const std::wstring& path, MarkupDocument& document) {
    std::vector<std::uint8_t> bytes;
    DataFile file(path);
    if (!file.ReadAll(bytes))
        return false;
    const bool utf16 = bytes.size() >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || bytes[1] == 0);
    if (utf16)
        document.LoadFromBytes(bytes.data(), bytes.size());
    else
        document.SetText(FeedText(bytes.data(), bytes.size()));
    return true;
}

// The key a version file must be signed with: the machine's UpdateKey value when an
// administrator set one (a private build, the tests), else the publisher's, built in. The
// per-user values, which any program the user runs can write, never choose it.
std::string UpdateKeyPem() {
    const std::wstring machine = MachineProgramValues().ReadText(L"UpdateKey");
    if (!machine.empty())
        return std::string(machine.begin(), machine.end());
    HMODULE module = ProgramInstance();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_UPDATE_KEY), RT_RCDATA);
    const void* bytes = found != nullptr ? LockResource(LoadResource(module, found)) : nullptr;
    return bytes != nullptr ? std::string(static_cast<const char*>(bytes), SizeofResource(module, found))
                            : std::string();
}

// Starts the installer in a window of its own; false when it cannot be started.
bool LaunchInstaller(const std::wstring& path) {
    std::wstring commandLine = InstallerCommandLine(path);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                        &startup, &process))
        return false;
    // Nothing waits for the installer: its handles go at once.
    const KernelHandle thread(process.hThread);
    const KernelHandle started(process.hProcess);
    return true;
}

// The question: check now, or when to ask again. Its OK stores the chosen schedule either way.
class UpdateQuestion {
public:
    UpdateQuestion(unsigned frequency, const Clock& clock) : frequency_(frequency), clock_(clock) {}

    void OnInitDialog(HWND dialog) {
        CentreOver(dialog);
        const std::wstring display = LoadText(IDS_DISPLAY_NAME);
        HWND question = GetDlgItem(dialog, IDC_UPDATE_QUESTION);
        const std::wstring text = ItemText(dialog, IDC_UPDATE_QUESTION) + L"<b>" + display + L"</b>?</body>";
        SetWindowTextW(question, text.c_str());
        MakeMarkupLabel(question);
        wchar_t caption[128] = {};
        GetWindowTextW(dialog, caption, 128);
        SetWindowTextW(dialog, (display + L" " + caption).c_str());
        // Not CheckRadioButton: "Yes" has the higher identifier of the two.
        CheckDlgButton(dialog, IDC_UPDATE_YES, BST_CHECKED);
        box_.Attach(GetDlgItem(dialog, IDC_UPDATE_FREQUENCY));
        EnableWindow(box_.Window(), FALSE);
        for (unsigned frequency : kFrequencies)
            box_.AddEntry(LoadText(frequency), static_cast<std::int32_t>(frequency));
        box_.FillAndSelectData(static_cast<std::int32_t>(frequency_));
    }

    void OnCommand(HWND dialog, int item, int) {
        switch (item) {
            case IDC_UPDATE_NO:
                EnableWindow(box_.Window(), TRUE);
                break;
            case IDC_UPDATE_YES:
                EnableWindow(box_.Window(), FALSE);
                break;
            case IDOK: {
                const auto chosen = static_cast<unsigned>(
                        box_.SelectedData().value_or(static_cast<std::int32_t>(frequency_)));
                SaveUpdateSchedule(chosen, clock_);
                EndDialog(dialog, IsDlgButtonChecked(dialog, IDC_UPDATE_YES) == BST_CHECKED ? IDOK : IDCANCEL);
                break;
            }
            default:
                break;
        }
    }

private:
    unsigned frequency_;
    const Clock& clock_;
    TQComboBox box_{false};
};

// Fetches the version file and, for a published update, the installer, and starts it.
class UpdateWorker {
public:
    UpdateWorker(PleaseWaitTask& task, std::wstring folder)
        : task_(task),
          folder_(std::move(folder)),
          versionTransfer_(UpdateFolderAddress(), kVersionTimeouts),
          installerTransfer_(UpdateFolderAddress()) {}

    bool Run() {
        task_.ReportProgress(0);
        std::wstring folder = folder_;
        EnsureTrailing(folder, L'\\');
        if (!CreateFolderPath(folder, false))
            return false;
        const std::wstring product = LoadText(IDS_PRODUCT_NAME);
        const std::wstring versionFile = VersionFileName(product);
        const std::wstring signatureFile = versionFile + L".sig";
        versionTransfer_.SetTransfer(versionFile, folder + versionFile);
        if (!versionTransfer_.Transfer(&task_, 0, 5) || cancelled_)
            return false;
        // Nothing of a version file is believed, nor kept, unless the publisher signed it.
        versionTransfer_.SetTransfer(signatureFile, folder + signatureFile);
        const bool signatureFetched = versionTransfer_.Transfer(&task_, 5, 8);
        std::vector<std::uint8_t> version;
        std::vector<std::uint8_t> signature;
        const bool signedFile = signatureFetched && DataFile(folder + versionFile).ReadAll(version) &&
                                DataFile(folder + signatureFile).ReadAll(signature) &&
                                IsSignedBy(UpdateKeyPem(), version, signature);
        DeleteFileForce(folder + signatureFile);
        if (!signedFile) {
            DeleteFileForce(folder + versionFile);
            unverified_ = !cancelled_;
            return false;
        }
        const std::optional<std::wstring> own = VersionBlock::OfProgram().FileVersion();
        if (!own || cancelled_)
            return false;
        task_.ReportProgress(10);
        MarkupDocument document;
        if (!LoadVersionFile(folder + versionFile, document))
            return false;
        const PublishedVersion published = ReadVersionFile(document);
        task_.ReportProgress(15);
        if (cancelled_ || !IsUpdatePublished(published, *own))
            return false;
        const std::wstring installer = InstallerFileName(product);
        installerTransfer_.SetTransfer(installer, folder + installer);
        if (!installerTransfer_.Transfer(&task_, 20, 95) || cancelled_)
            return false;
        // Only the installer the vendor published is ever started.
        if (!FileMatchesSha256(folder + installer, *published.installerHash)) {
            DeleteFileForce(folder + installer);
            return false;
        }
        return LaunchInstaller(folder + installer);
    }

    // The version file came without the publisher's signature.
    bool Unverified() const { return unverified_; }

    void Cancel() {
        cancelled_ = true;
        versionTransfer_.Cancel();
        installerTransfer_.Cancel();
    }

private:
    PleaseWaitTask& task_;
    std::wstring folder_;
    TQXferHTTP versionTransfer_;
    TQXferHTTP installerTransfer_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> unverified_{false};
};

}  // namespace

void SaveUpdateSchedule(unsigned frequency, const Clock& clock) {
    const StoredSchedule schedule = ScheduleFor(frequency, clock);
    WriteProgramValue(kFrequencyValue, schedule.frequency);
    WriteProgramValue(kDateValue, schedule.date);
}

bool CheckForUpdate(HWND owner, const std::wstring& dataFolder, bool forced, bool quiet, const Clock& clock) {
    const UpdatePlan plan = PlanUpdateCheck(ReadProgramValue(kFrequencyValue), ReadProgramValue(kDateValue), clock);
    if (plan.defaultToStore) {
        WriteProgramValue(kFrequencyValue, plan.defaultToStore->frequency);
        WriteProgramValue(kDateValue, plan.defaultToStore->date);
    }
    if (!forced && !plan.due)
        return false;
    UpdateQuestion question(plan.frequency, clock);
    if (!RunDialog(owner, IDD_AUTO_UPDATE, question))
        return false;
    PleaseWaitTask task;
    task.SetWorkerStack(WorkerStack::Default);
    UpdateWorker worker(task, dataFolder);
    const bool started = task.Run(
            owner, IDS_UPDATE_CHECKING,
            [&worker] {
                try {
                    return worker.Run();
                } catch (...) {
                    return false;
                }
            },
            [&worker] { worker.Cancel(); });
    if (!started && !quiet)
        Inform(worker.Unverified() ? IDS_UPDATE_UNVERIFIED : IDS_NO_UPDATE, IDS_UPDATE_CAPTION);
    return started;
}

}  // namespace TQLibrary
