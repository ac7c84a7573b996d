#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <string>

#include "app/framework/RegistryValues.h"
#include "base/Handles.h"
#include "windows/support/ScratchRegistry.h"

using namespace TQLibrary;

namespace {

// Creates a key that grants everyone only the right to change its security and delete it, and
// opens it up again at the end so the scratch hive can be removed.
class LockedKey {
public:
    explicit LockedKey(const wchar_t* path) : path_(path) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        TQLibrary::KeyHandle owned(key);
        SetSecurity(key, L"D:(A;;0x50000;;;WD)");
    }
    ~LockedKey() {
        HKEY key = nullptr;
        RegOpenKeyExW(HKEY_CURRENT_USER, path_, 0, WRITE_DAC, &key);
        TQLibrary::KeyHandle owned(key);
        SetSecurity(key, L"D:(A;;KA;;;WD)");
    }
    LockedKey(const LockedKey&) = delete;
    LockedKey& operator=(const LockedKey&) = delete;

private:
    static void SetSecurity(HKEY key, const wchar_t* descriptor) {
        PSECURITY_DESCRIPTOR security = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptor, SDDL_REVISION_1, &security, nullptr);
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, security);
        LocalFree(security);
    }

    const wchar_t* path_;
};

TEST(RegistryValues, TextsAndNumbersComeBackAsWritten) {
    ScratchRegistry registry;
    RegistryValues values(L"Brackenfield", L"Orvelle");
    EXPECT_TRUE(values.WriteText(L"Filename", L"C:\\Collections\\shells.xml"));
    EXPECT_TRUE(values.WriteNumber(L"AutoUpdate_Freq", -30));
    EXPECT_TRUE(values.WriteText(L"Empty", L""));

    EXPECT_EQ(values.ReadText(L"Filename"), L"C:\\Collections\\shells.xml");
    EXPECT_EQ(values.ReadNumber(L"AutoUpdate_Freq"), -30);
    EXPECT_EQ(values.ReadText(L"AutoUpdate_Freq"), L"-30");
    EXPECT_EQ(values.ReadText(L"Empty"), L"");
    const std::wstring deepPath = L"C:\\" + std::wstring(1000, L'd') + L"\\shells.xml";
    EXPECT_TRUE(values.WriteText(L"Deep", deepPath));
    EXPECT_EQ(values.ReadText(L"Deep"), deepPath);
    EXPECT_EQ(values.LastFailure(), RegistryFailure::None);

    wchar_t stored[64] = {};
    DWORD size = sizeof stored;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Brackenfield\\Orvelle", L"Filename", RRF_RT_REG_SZ, nullptr,
                           stored, &size),
              ERROR_SUCCESS);
}

TEST(RegistryValues, EachFailureIsRecordedWithItsCode) {
    ScratchRegistry registry;
    RegistryValues values(L"Brackenfield", L"Orvelle");
    EXPECT_EQ(values.ReadText(L"Filename"), L"");
    EXPECT_EQ(values.LastFailure(), RegistryFailure::SoftwareNotOpenable);

    RegistryValues otherProduct(L"Brackenfield", L"Other");
    ASSERT_TRUE(otherProduct.WriteText(L"Filename", L"x"));
    EXPECT_EQ(values.ReadNumber(L"AutoUpdate_Freq"), 0);
    EXPECT_EQ(values.LastFailure(), RegistryFailure::KeyNotOpenable);

    ASSERT_TRUE(values.WriteNumber(L"HintShow", 1));
    EXPECT_EQ(values.ReadText(L"Filename"), L"");
    EXPECT_EQ(values.LastFailure(), RegistryFailure::ValueNotReadable);

    // Value names are limited to 16383 characters.
    EXPECT_FALSE(values.WriteText(std::wstring(20000, L'n'), L"x"));
    EXPECT_EQ(values.LastFailure(), RegistryFailure::ValueNotWritable);

    // A key whose security lets nobody read or write it.
    {
        RegistryValues locked(L"Brackenfield", L"Locked");
        LockedKey lock(L"Software\\Brackenfield\\Locked");
        EXPECT_EQ(locked.ReadText(L"Filename"), L"");
        EXPECT_EQ(locked.LastFailure(), RegistryFailure::AccessDenied);
        EXPECT_FALSE(locked.WriteText(L"Filename", L"x"));
        EXPECT_EQ(locked.LastFailure(), RegistryFailure::AccessDenied);
    }

    RegistryValues underNothing(L"Brackenfield", L"Orvelle", reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234)));
    EXPECT_FALSE(underNothing.WriteNumber(L"HintShow", 1));
    EXPECT_EQ(underNothing.LastFailure(), RegistryFailure::KeyNotCreatable);

    // A successful operation clears the failure.
    EXPECT_EQ(values.ReadNumber(L"HintShow"), 1);
    EXPECT_EQ(values.LastFailure(), RegistryFailure::None);
}

}  // namespace
