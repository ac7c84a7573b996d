#pragma once

#include <windows.h>
#include <aclapi.h>

#include <cstdint>
#include <vector>

#include "base/Handles.h"

// Security attributes that give Everyone full access to a new folder. When any step fails
// the record carries no descriptor and folders get the default security.
class EveryoneSecurity {
public:
    EveryoneSecurity();
    EveryoneSecurity(const EveryoneSecurity&) = delete;
    EveryoneSecurity& operator=(const EveryoneSecurity&) = delete;

    SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }

private:
    void Build();

    SECURITY_ATTRIBUTES attributes_{};
    TQLibrary::SidHandle sid_;
    TQLibrary::LocalMemory acl_;
    std::vector<std::uint8_t> descriptor_;
};
