#pragma once

#include <windows.h>
#include <aclapi.h>

// Security attributes that give Everyone full access to a new folder. When any step fails
// the record carries no descriptor and folders get the default security.
class EveryoneSecurity {
public:
    EveryoneSecurity();
    ~EveryoneSecurity();
    EveryoneSecurity(const EveryoneSecurity&) = delete;
    EveryoneSecurity& operator=(const EveryoneSecurity&) = delete;

    SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }

private:
    void Build();

    SECURITY_ATTRIBUTES attributes_{};
    PSID sid_ = nullptr;
    PACL acl_ = nullptr;
    void* descriptor_ = nullptr;
};
