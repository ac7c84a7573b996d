#include "app/framework/RegistryValues.h"

#include "base/MarkupValues.h"

namespace TQLibrary {

namespace {

constexpr wchar_t kSoftware[] = L"Software";
constexpr DWORD kTextBufferBytes = 1024;

}  // namespace

RegistryValues::RegistryValues(std::wstring company, std::wstring product, HKEY root)
    : keyPath_(std::move(company) + L"\\" + std::move(product)), root_(root) {}

void RegistryValues::Fail(LSTATUS status, RegistryFailure failure) {
    failure_ = status == ERROR_ACCESS_DENIED ? RegistryFailure::AccessDenied : failure;
}

KeyHandle RegistryValues::OpenForReading() {
    HKEY software = nullptr;
    LSTATUS status = RegOpenKeyExW(root_, kSoftware, 0, KEY_READ, &software);
    if (status != ERROR_SUCCESS) {
        Fail(status, RegistryFailure::SoftwareNotOpenable);
        return {};
    }
    KeyHandle softwareKey(software);
    HKEY key = nullptr;
    status = RegOpenKeyExW(softwareKey.Get(), keyPath_.c_str(), 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS) {
        Fail(status, RegistryFailure::KeyNotOpenable);
        return {};
    }
    return KeyHandle(key);
}

KeyHandle RegistryValues::CreateForWriting() {
    std::wstring fullPath = std::wstring(kSoftware) + L"\\" + keyPath_;
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(root_, fullPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                                     nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        Fail(status, RegistryFailure::KeyNotCreatable);
        return {};
    }
    return KeyHandle(key);
}

std::wstring RegistryValues::ReadText(const std::wstring& name) {
    failure_ = RegistryFailure::None;
    KeyHandle key = OpenForReading();
    if (!key)
        return {};
    // Most values fit the first buffer; a longer one (a deep catalog path) is read again whole.
    std::wstring text(kTextBufferBytes / sizeof(wchar_t), L'\0');
    DWORD type = 0;
    DWORD size = kTextBufferBytes;
    auto query = [&] {
        return RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size);
    };
    LSTATUS status = query();
    if (status == ERROR_MORE_DATA) {
        text.assign(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        status = query();
    }
    if (status != ERROR_SUCCESS || type != REG_SZ) {
        Fail(status, RegistryFailure::ValueNotReadable);
        return {};
    }
    // The stored text need not end in a NUL.
    text.resize(size / sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

bool RegistryValues::WriteText(const std::wstring& name, const std::wstring& text) {
    failure_ = RegistryFailure::None;
    KeyHandle key = CreateForWriting();
    if (!key)
        return false;
    auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    LSTATUS status = RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                    bytes);
    if (status != ERROR_SUCCESS) {
        Fail(status, RegistryFailure::ValueNotWritable);
        return false;
    }
    return true;
}

std::int32_t RegistryValues::ReadNumber(const std::wstring& name) {
    return ParseInteger(ReadText(name));
}

bool RegistryValues::WriteNumber(const std::wstring& name, std::int32_t value) {
    return WriteText(name, std::to_wstring(value));
}

}  // namespace TQLibrary
