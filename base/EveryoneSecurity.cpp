#include "base/EveryoneSecurity.h"

#include "base/Handles.h"

namespace {

using SetEntriesInAclFunction = DWORD(WINAPI*)(ULONG, PEXPLICIT_ACCESS_W, PACL, PACL*);

}  // namespace

EveryoneSecurity::EveryoneSecurity() {
    Build();
}

void EveryoneSecurity::Build() {
    attributes_.nLength = sizeof attributes_;
    attributes_.lpSecurityDescriptor = nullptr;
    attributes_.bInheritHandle = FALSE;

    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID sid = nullptr;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &sid))
        return;
    sid_.Reset(sid);
    EXPLICIT_ACCESS_W access{};
    access.grfAccessPermissions = 0x1FFFFF;
    access.grfAccessMode = SET_ACCESS;
    access.grfInheritance = NO_INHERITANCE;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    access.Trustee.ptstrName = static_cast<LPWSTR>(sid);

    // Looked up at run time, as older systems lack it.
    TQLibrary::ModuleHandle advapi(LoadLibraryW(L"advapi32.dll"));
    if (!advapi)
        return;
    auto setEntries = reinterpret_cast<SetEntriesInAclFunction>(
            reinterpret_cast<void*>(GetProcAddress(advapi.Get(), "SetEntriesInAclW")));
    PACL acl = nullptr;
    DWORD result = setEntries != nullptr ? setEntries(1, &access, nullptr, &acl) : ERROR_PROC_NOT_FOUND;
    if (result != ERROR_SUCCESS)
        return;
    acl_.Reset(acl);

    descriptor_.resize(SECURITY_DESCRIPTOR_MIN_LENGTH);
    if (!InitializeSecurityDescriptor(descriptor_.data(), SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(descriptor_.data(), TRUE, acl, FALSE))
        return;
    attributes_.lpSecurityDescriptor = descriptor_.data();
}
