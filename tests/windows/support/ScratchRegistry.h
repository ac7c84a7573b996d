#pragma once

#include <windows.h>

// Sends the current user's hive to a scratch key for the object's lifetime, so tests never
// touch the real settings of the user running them.
class ScratchRegistry {
public:
    ScratchRegistry() {
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
        RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, key_);
    }
    ~ScratchRegistry() {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    }
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

private:
    static constexpr wchar_t kScratch[] = L"Software\\OrvelleTests";
    HKEY key_ = nullptr;
};
