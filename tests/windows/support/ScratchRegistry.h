#pragma once

#include <windows.h>

#include "base/Handles.h"

// Sends the current user's hive to a scratch key for the object's lifetime, so tests never
// touch the real settings of the user running them.
class ScratchRegistry {
public:
    ScratchRegistry() {
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        key_.Reset(key);
        RegOverridePredefKey(HKEY_CURRENT_USER, key_.Get());
    }
    ~ScratchRegistry() {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        key_.Reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    }
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

private:
    static constexpr wchar_t kScratch[] = L"Software\\OrvelleTests";
    TQLibrary::KeyHandle key_;
};
