#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/framework/RegistryValues.h"
#include "app/main/ProgramIdentity.h"
#include "app/online/HttpTransfer.h"
#include "app/online/MarkupLabelControl.h"
#include "app/online/MessagePopup.h"
#include "app/online/UpdateCheck.h"
#include "base/Clock.h"
#include "base/DataFile.h"
#include "base/Handles.h"
#include "base/Paths.h"
#include "base/Progress.h"
#include "online/UpdateSignature.h"
#include "resources/resource.h"
#include "support/TestFolder.h"
#include "support/TestSigner.h"
#include "windows/support/DialogDriver.h"
#include "windows/support/DialogSequence.h"
#include "windows/support/LoadedProgramTest.h"
#include "windows/support/LocalHttpServer.h"
#include "windows/support/ScratchRegistry.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using TQLibrary::TQXferHTTP;

Bytes Counting(size_t count) {
    Bytes bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    return bytes;
}

using Pixels = std::vector<std::uint32_t>;

// The pixels of a white bitmap after the drawing.
Pixels Painted(int width, int height, const std::function<void(HDC)>& draw) {
    using namespace TQLibrary;
    WindowDC screen = WindowDC::OfClientArea(nullptr);
    MemoryDC memory(CreateCompatibleDC(screen.Get()));
    BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        RECT all{0, 0, width, height};
        FillRect(memory.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        draw(memory.Get());
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    Pixels pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    GetDIBits(memory.Get(), bitmap.Get(), 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

// The label is judged by what it paints: its raw text, tags and all, must not show.
TEST(MarkupLabelControl, PaintsTheWordsInTheirStyleAndNeverTheTags) {
    constexpr int width = 240, height = 40;
    TQLibrary::FontHandle font(
            CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    TQLibrary::OwnedWindow label(CreateWindowExW(0, L"STATIC", L"<body><b>Orvelle</b> shells</body>", WS_POPUP, 0, 0,
                                                 width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(label);
    SendMessageW(label.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    ASSERT_TRUE(TQLibrary::MakeMarkupLabel(label.Get()));
    const Pixels painted = Painted(width, height, [&](HDC dc) {
        SendMessageW(label.Get(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });

    // The same words drawn by hand: "Orvelle" in bold, then a space and "shells" in the plain font.
    LOGFONTW described{};
    GetObjectW(font.Get(), sizeof described, &described);
    described.lfWeight = FW_BOLD;
    TQLibrary::FontHandle bold(CreateFontIndirectW(&described));
    const Pixels expected = Painted(width, height, [&](HDC dc) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SIZE word{}, space{};
        {
            TQLibrary::SelectedObject selected(dc, bold.Get());
            TextOutW(dc, 0, 0, L"Orvelle", 7);
            GetTextExtentPoint32W(dc, L"Orvelle", 7, &word);
        }
        TQLibrary::SelectedObject selected(dc, font.Get());
        GetTextExtentPoint32W(dc, L" ", 1, &space);
        TextOutW(dc, word.cx + space.cx, 0, L"shells", 6);
    });
    EXPECT_NE(expected, Painted(width, height, [](HDC) {}));
    EXPECT_TRUE(painted == expected);
}

class RecordedPositions final : public ProgressSink {
public:
    void ReportProgress(int percent) override { positions.push_back(percent); }
    std::vector<int> positions;
};

class FixedClock final : public Clock {
public:
    LocalTime Now() const override { return {2026, 12, 8, 9, 30, 0}; }
};

// A file in the folder of this test program.
std::wstring BesideTests(const std::wstring& name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FolderOf(path) + name;
}

// This program's file version, which the update check compares with the published one.
std::string OwnFileVersion() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<std::uint8_t> block(GetFileVersionInfoSizeW(path, &ignored));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (block.empty() || !GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size))
        return "";
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
}

// Whether the installer left its marker within a few seconds.
bool InstallerRan(const std::wstring& installer) {
    for (int i = 0; i < 100; ++i) {
        if (FileIsPresent(installer + L".ran"))
            return true;
        Sleep(50);
    }
    return false;
}

TQLibrary::RegistryValues ProgramValues() {
    return TQLibrary::RegistryValues(L"Brackenfield", L"Orvelle");
}

// Only a whole answer with status 200 replaces the destination, a read-only one too; anything
// else leaves it as it was and nothing beside it.
TEST(HttpTransfer, OnlyACompleteAnswerReplacesTheDestination) {
    LocalHttpServer server;
    ASSERT_TRUE(server.Started());
    TestFolder folder;
    const Bytes big = Counting(10000);
    const struct {
        const char* path;
        LocalHttpServer::Answer answer;
        bool transferred;
    } cases[] = {
            {"/exact", {200, Counting(8192)}, true},   {"/empty", {200, {}}, true},
            {"/unannounced", {200, big, false}, true}, {"/missing", {404, BytesOf("error page")}, false},
            {"/cut", {200, big, true, 5000}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        server.Serve(c.path, c.answer);
        const std::wstring destination = folder.File(L"file.bin");
        ASSERT_TRUE(WriteFileBytes(destination, BytesOf("old")));
        SetFileAttributesW(destination.c_str(), FILE_ATTRIBUTE_READONLY);
        TQXferHTTP transfer(server.Address());
        transfer.SetTransfer(std::wstring(c.path + 1, c.path + std::strlen(c.path)), destination);
        RecordedPositions progress;
        EXPECT_EQ(transfer.Transfer(&progress, 20, 95), c.transferred);
        EXPECT_EQ(ReadFileBytes(destination), c.transferred ? c.answer.body : BytesOf("old"));
        EXPECT_FALSE(FileIsPresent(destination + L".tqxfer"));
        EXPECT_TRUE(std::is_sorted(progress.positions.begin(), progress.positions.end()));
        for (int position : progress.positions) {
            EXPECT_GE(position, 20);
            EXPECT_LE(position, 95);
        }
        if (c.transferred) {
            EXPECT_EQ(progress.positions.back(), 95);
        } else {
            EXPECT_NE(transfer.LastError(), 0u);
        }
        DeleteFileForce(destination);
    }
}

TEST(HttpTransfer, ACancelStopsBetweenBlocksAndLeavesTheDestination) {
    LocalHttpServer server;
    ASSERT_TRUE(server.Started());
    LocalHttpServer::Answer slow{200, Counting(4096 * 40)};
    slow.pauseMilliseconds = 100;
    server.Serve("/slow", slow);
    TestFolder folder;
    const std::wstring destination = folder.File(L"slow.bin");
    ASSERT_TRUE(WriteFileBytes(destination, BytesOf("old")));
    TQXferHTTP transfer(server.Address());
    transfer.SetTransfer(L"slow", destination);
    std::thread user([&transfer] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        transfer.Cancel();
    });
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(transfer.Transfer(nullptr, 0, 100));
    user.join();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));  // not the whole answer
    EXPECT_EQ(ReadFileBytes(destination), BytesOf("old"));
    EXPECT_FALSE(FileIsPresent(destination + L".tqxfer"));
}

// A large answer moves the bar once per position, not once per block.
TEST(HttpTransfer, ProgressIsReportedOnlyWhenThePositionChanges) {
    LocalHttpServer server;
    ASSERT_TRUE(server.Started());
    server.Serve("/large", {200, Counting(4096 * 400)});
    TestFolder folder;
    TQXferHTTP transfer(server.Address());
    transfer.SetTransfer(L"large", folder.File(L"large.bin"));
    RecordedPositions progress;
    ASSERT_TRUE(transfer.Transfer(&progress, 0, 100));
    EXPECT_EQ(std::adjacent_find(progress.positions.begin(), progress.positions.end()), progress.positions.end());
    EXPECT_LE(progress.positions.size(), 101u);
    EXPECT_EQ(progress.positions.back(), 100);
}

// The user may cancel before the transfer is set up: it is not started at all.
TEST(HttpTransfer, ACancelBeforeTheTransferIsSetStillHolds) {
    LocalHttpServer server;
    ASSERT_TRUE(server.Started());
    server.Serve("/file", {200, Counting(100)});
    TestFolder folder;
    TQXferHTTP transfer(server.Address());
    transfer.Cancel();
    transfer.SetTransfer(L"file", folder.File(L"file.bin"));
    EXPECT_FALSE(transfer.Transfer(nullptr, 0, 100));
    EXPECT_EQ(transfer.LastError(), static_cast<DWORD>(ERROR_CANCELLED));
    EXPECT_FALSE(FileIsPresent(folder.File(L"file.bin")));
    EXPECT_EQ(server.Requests("/file"), 0);
}

// The machine's UpdateKey value, as an administrator sets it, for the test's own publisher key;
// taken away afterwards.
class MachineUpdateKey {
public:
    explicit MachineUpdateKey(const std::string& pem) {
        TQLibrary::MachineProgramValues().WriteText(kName, std::wstring(pem.begin(), pem.end()));
    }
    ~MachineUpdateKey() { RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, TQLibrary::ProgramKeyPath().c_str(), kName); }
    MachineUpdateKey(const MachineUpdateKey&) = delete;
    MachineUpdateKey& operator=(const MachineUpdateKey&) = delete;

private:
    static constexpr wchar_t kName[] = L"UpdateKey";
};

// A version file on the server, with its signature by the signer (none: unsigned).
void PublishVersion(LocalHttpServer& server, const std::string& version, const std::string& hash,
                    const TestSigner* signer) {
    const Bytes file = BytesOf("<ORVELLE><Version>" + version + "</Version><SHA256>" + hash + "</SHA256></ORVELLE>");
    server.Serve("/orvelle.ver", {200, file});
    if (signer != nullptr)
        server.Serve("/orvelle.ver.sig", {200, signer->Sign(file)});
    else
        server.Serve("/orvelle.ver.sig", {404, BytesOf("gone")});
}

class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Started());
        ProgramValues().WriteText(L"UpdateAddress", server.Address());
        installer = ReadFileBytes(BesideTests(L"marker_installer.exe"));
        ASSERT_FALSE(installer.empty());
        server.Serve("/orvellesetup.exe", {200, installer});
    }

    void PublishVersion(const std::string& version, const std::string& hash, const TestSigner* signer = nullptr) {
        ::PublishVersion(server, version, hash, signer != nullptr ? signer : &publisher);
    }
    std::string InstallerHash() {
        const std::wstring hex = Sha256Hex(*Sha256Of(installer));
        return std::string(hex.begin(), hex.end());
    }

    // Runs the command's check, answering the question with Yes and any message box with OK;
    // the question's text, the box's text.
    bool Check(std::wstring& question, std::wstring& box) {
        DialogDriver asked(
                [&](HWND dialog) {
                    question = WindowText(dialog) + L"|" + WindowText(GetDlgItem(dialog, IDC_UPDATE_QUESTION));
                    PressButton(dialog, IDOK);
                },
                [](HWND dialog) { return GetDlgItem(dialog, IDC_UPDATE_QUESTION) != nullptr; });
        DialogDriver told(
                [&](HWND message) {
                    box = MessageBoxText(message);
                    PressButton(message, IDOK);
                },
                IsMessageBox);
        return TQLibrary::CheckForUpdate(nullptr, folder.Path(), true, false, clock);
    }

    ScratchRegistry registry;
    TestSigner publisher;
    MachineUpdateKey key{publisher.Pem()};
    LocalHttpServer server;
    TestFolder folder;
    FixedClock clock;
    Bytes installer;
};

TEST_F(UpdateCheckTest, OnlyThePublishedInstallerOfANewerVersionIsStarted) {
    const TestSigner stranger;
    const std::wstring none = L"There is no update available at this time.";
    const std::wstring unverified = L"The update could not be verified, so it was not installed.";
    const struct {
        const char* name;
        std::string version;
        bool rightHash;
        const TestSigner* signer;  // the publisher's key when null, unless unsigned
        bool unsigned_;
        bool started;
        std::wstring box;
    } cases[] = {
            {"wrong hash", "99.0.0.0", false, nullptr, false, false, none},
            {"no version file", "", true, nullptr, false, false, none},
            {"same version", OwnFileVersion(), true, nullptr, false, false, none},
            {"signed by another key", "99.0.0.0", true, &stranger, false, false, unverified},
            {"unsigned", "99.0.0.0", true, nullptr, true, false, unverified},
            {"newer", "99.0.0.0", true, nullptr, false, true, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.version.empty())
            server.Serve("/orvelle.ver", {404, BytesOf("gone")});
        else if (c.unsigned_)
            ::PublishVersion(server, c.version, InstallerHash(), nullptr);
        else
            PublishVersion(c.version, c.rightHash ? InstallerHash() : std::string(64, 'a'), c.signer);
        std::wstring question;
        std::wstring box;
        EXPECT_EQ(Check(question, box), c.started);
        EXPECT_EQ(question,
                  L"Orvelle Auto-Update|<body>Would you like to check for a new version of: <b>Orvelle</b>?</body>");
        EXPECT_EQ(box, c.box);
        // Nothing of an unverified version file is left behind.
        if (c.box == unverified)
            EXPECT_FALSE(FileIsPresent(folder.File(L"orvelle.ver")));
        EXPECT_FALSE(FileIsPresent(folder.File(L"orvelle.ver.sig")));
        // An installer that does not match is not kept either, and only the right one runs.
        const std::wstring downloaded = folder.File(L"orvellesetup.exe");
        EXPECT_EQ(FileIsPresent(downloaded), c.started);
        if (c.started) {
            EXPECT_TRUE(InstallerRan(downloaded));
        } else {
            EXPECT_FALSE(FileIsPresent(downloaded + L".ran"));
        }
    }
}

TEST_F(UpdateCheckTest, NoCheckAgainInStoresTheScheduleAndChecksNothing) {
    PublishVersion("99.0.0.0", InstallerHash());
    DialogDriver user([](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, IDC_UPDATE_NO), BM_CLICK, 0, 0);
        HWND box = GetDlgItem(dialog, IDC_UPDATE_FREQUENCY);
        SendMessageW(box, CB_SETCURSEL, SendMessageW(box, CB_FINDSTRINGEXACT, -1, LPARAM(L"Never")), 0);
        PressButton(dialog, IDOK);
    });
    EXPECT_FALSE(TQLibrary::CheckForUpdate(nullptr, folder.Path(), true, false, clock));
    EXPECT_TRUE(user.Handled());
    EXPECT_EQ(server.Requests("/orvelle.ver"), 0);
    EXPECT_EQ(ProgramValues().ReadText(L"AutoUpdate_Freq"), L"20710");
    EXPECT_EQ(ProgramValues().ReadText(L"AutoUpdate_Date"), std::to_wstring(9999 + (1 << 16) + (1 << 24)));
    // "Never" is never due at start-up.
    EXPECT_FALSE(TQLibrary::CheckForUpdate(nullptr, folder.Path(), false, true, clock));
}

class UpdateCommandTest : public LoadedProgramTest {};

// Check for Update against the server: the installer is fetched, checked and started, and the
// program closes to make way for it.
TEST_F(UpdateCommandTest, AStartedInstallerClosesTheProgram) {
    LocalHttpServer server;
    ASSERT_TRUE(server.Started());
    ASSERT_TRUE(StartOnCatalog());
    ProgramValues().WriteText(L"UpdateAddress", server.Address());
    const Bytes installer = ReadFileBytes(BesideTests(L"marker_installer.exe"));
    server.Serve("/orvellesetup.exe", {200, installer});
    const std::wstring hash = Sha256Hex(*Sha256Of(installer));
    const TestSigner publisher;
    const MachineUpdateKey key(publisher.Pem());
    PublishVersion(server, "99.0.0.0", std::string(hash.begin(), hash.end()), &publisher);
    DialogDriver user([](HWND dialog) { PressButton(dialog, IDOK); },
                      [](HWND dialog) { return GetDlgItem(dialog, IDC_UPDATE_QUESTION) != nullptr; });
    HWND window = program->Window();
    program->Command(IDM_CHECK_UPDATE);
    for (int i = 0; i < 200 && IsWindow(window); ++i) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(25);
    }
    EXPECT_TRUE(user.Handled());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(InstallerRan(folder.File(L"data\\orvellesetup.exe")));
}

TEST(MessagePopup, ANewMessageShowsOnceADayUntilTheUserHidesThem) {
    ScratchRegistry registry;
    LocalHttpServer server;
    ASSERT_TRUE(server.Started());
    ProgramValues().WriteText(L"MessageFeedAddress", server.Address() + L"messages.xml");
    server.Serve("/messages.xml", {200, BytesOf("<ORVELLE><DATE>d1</DATE><MESSAGE>&lt;body&gt;Hello  "
                                                "&lt;b&gt;collectors&lt;/b&gt;&lt;/body&gt;</MESSAGE></ORVELLE>")});
    FixedClock clock;
    std::wstring shown;
    std::wstring caption;
    {
        DialogDriver user([&](HWND popup) {
            caption = WindowText(popup);
            shown = WindowText(GetDlgItem(popup, IDC_MESSAGE_TEXT));
            CheckDlgButton(popup, IDC_HIDE_MESSAGES, BST_CHECKED);
            PressButton(popup, IDOK);
        });
        TQLibrary::CheckMessages(nullptr, clock);
        EXPECT_TRUE(user.Handled());
    }
    EXPECT_EQ(caption, L"Orvelle");
    EXPECT_EQ(shown.substr(0, 16), L"Hello collectors");
    EXPECT_EQ(ProgramValues().ReadText(L"HintShow"), L"0");
    EXPECT_EQ(ProgramValues().ReadText(L"HintDate"), L"d1");
    EXPECT_EQ(ProgramValues().ReadText(L"LastHint"), L"08122026");

    // Switched off: not fetched. Switched on again the same day: not fetched either.
    TQLibrary::CheckMessages(nullptr, clock);
    ProgramValues().WriteText(L"HintShow", L"1");
    TQLibrary::CheckMessages(nullptr, clock);
    EXPECT_EQ(server.Requests("/messages.xml"), 1);
    // Another day, the same message: fetched, not shown again.
    ProgramValues().WriteText(L"LastHint", L"07122026");
    TQLibrary::CheckMessages(nullptr, clock);
    EXPECT_EQ(server.Requests("/messages.xml"), 2);
}

}  // namespace

namespace {

// A server that accepts and never answers, or sends a byte every two seconds, holds neither the
// daily message nor the update check for long (without a limit of their own they wait minutes).
TEST(OnlineServices, ASilentOrTricklingServerCannotHoldTheChecks) {
    ScratchRegistry registry;
    // One server each: a connection the message check left behind does not keep the other.
    LocalHttpServer feedServer;
    LocalHttpServer updateServer;
    ASSERT_TRUE(feedServer.Started() && updateServer.Started());
    ProgramValues().WriteText(L"MessageFeedAddress", feedServer.Address() + L"messages.xml");
    ProgramValues().WriteText(L"UpdateAddress", updateServer.Address());
    LocalHttpServer::Answer silent{200, Counting(100)};
    silent.silent = true;
    LocalHttpServer::Answer trickling{200, Counting(100)};
    trickling.blockBytes = 1;
    trickling.pauseMilliseconds = 2000;
    FixedClock clock;
    TestFolder folder;
    const auto limit = std::chrono::seconds(20);
    for (const auto* answer : {&silent, &trickling}) {
        SCOPED_TRACE(answer->silent ? "silent" : "trickling");
        feedServer.Serve("/messages.xml", *answer);
        updateServer.Serve("/orvelle.ver", *answer);
        ProgramValues().WriteText(L"LastHint", L"07122026");
        auto started = std::chrono::steady_clock::now();
        TQLibrary::CheckMessages(nullptr, clock);
        EXPECT_LT(std::chrono::steady_clock::now() - started, limit);

        std::wstring box;
        DialogDriver asked([](HWND dialog) { PressButton(dialog, IDOK); },
                           [](HWND dialog) { return GetDlgItem(dialog, IDC_UPDATE_QUESTION) != nullptr; });
        DialogDriver told(
                [&](HWND message) {
                    box = MessageBoxText(message);
                    PressButton(message, IDOK);
                },
                IsMessageBox);
        started = std::chrono::steady_clock::now();
        EXPECT_FALSE(TQLibrary::CheckForUpdate(nullptr, folder.Path(), true, false, clock));
        EXPECT_LT(std::chrono::steady_clock::now() - started, limit);
        EXPECT_EQ(box, L"There is no update available at this time.");
    }
}

}  // namespace
