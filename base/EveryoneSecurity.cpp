#include "base/EveryoneSecurity.h"

#include "base/Handles.h"

namespace {

using SetEntriesInAclFunction = DWORD(WINAPI*)(ULONG, PEXPLICIT_ACCESS_W, PACL, PACL*);

}  // namespace

EveryoneSecurity::EveryoneSecurity() {
    Build();
}

EveryoneSecurity::~EveryoneSecurity() {
    if (acl_ != nullptr)
        LocalFree(acl_);
    if (sid_ != nullptr)
        FreeSid(sid_);
    if (descriptor_ != nullptr)
        HeapFree(GetProcessHeap(), 0, descriptor_);
}

void EveryoneSecurity::Build() {
    attributes_.nLength = sizeof attributes_;
    attributes_.lpSecurityDescriptor = nullptr;
    attributes_.bInheritHandle = FALSE;

    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &sid_))
        return;
    EXPLICIT_ACCESS_W access{};
    access.grfAccessPermissions = 0x1FFFFF;
    access.grfAccessMode = SET_ACCESS;
    access.grfInheritance = NO_INHERITANCE;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    access.Trustee.ptstrName = static_cast<LPWSTR>(sid_);

    // Looked up at run time, as older systems lack it.
    TQLibrary::ModuleHandle advapi(LoadLibraryW(L"advapi32.dll"));
    if (!advapi)
        return;
    auto setEntries = reinterpret_cast<SetEntriesInAclFunction>(
            reinterpret_cast<void*>(GetProcAddress(advapi.Get(), "SetEntriesInAclW")));
    DWORD result = setEntries != nullptr ? setEntries(1, &access, nullptr, &acl_) : ERROR_PROC_NOT_FOUND;
    if (result != ERROR_SUCCESS)
        return;

    descriptor_ = HeapAlloc(GetProcessHeap(), 0, SECURITY_DESCRIPTOR_MIN_LENGTH);
    if (descriptor_ == nullptr || !InitializeSecurityDescriptor(descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(descriptor_, TRUE, acl_, FALSE))
        return;
    attributes_.lpSecurityDescriptor = descriptor_;
}
