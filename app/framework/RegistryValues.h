#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/Handles.h"

namespace TQLibrary {

// Why the last registry operation failed.
enum class RegistryFailure {
    None = 0,
    AccessDenied = 1,
    KeyNotCreatable = 2,
    SoftwareNotOpenable = 3,
    KeyNotOpenable = 4,
    ValueNotReadable = 5,
    ValueNotWritable = 6,
};

// The program's values under root\Software\<company>\<product>. Texts are string values;
// numbers are stored as decimal text. Every operation records its failure (or None).
class RegistryValues {
public:
    RegistryValues(std::wstring company, std::wstring product, HKEY root = HKEY_CURRENT_USER);

    // Empty when the value cannot be read.
    std::wstring ReadText(const std::wstring& name);
    bool WriteText(const std::wstring& name, const std::wstring& text);
    // 0 when the value cannot be read.
    std::int32_t ReadNumber(const std::wstring& name);
    bool WriteNumber(const std::wstring& name, std::int32_t value);

    RegistryFailure LastFailure() const { return failure_; }

private:
    KeyHandle OpenForReading();
    KeyHandle CreateForWriting();
    // Access denied wins over the failure of the step.
    void Fail(LSTATUS status, RegistryFailure failure);

    std::wstring keyPath_;  // company\product, below Software
    HKEY root_;
    RegistryFailure failure_ = RegistryFailure::None;
};

}  // namespace TQLibrary
