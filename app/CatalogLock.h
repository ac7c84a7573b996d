#pragma once

#include <windows.h>

#include "catalog/Handles.h"

// The one lock around the catalog and the settings: the user-interface thread and every
// worker take it before touching either. An unnamed mutex, so that a wait can also be
// combined with other handles.
class CatalogLock {
public:
    CatalogLock() : mutex_(CreateMutexW(nullptr, FALSE, nullptr)) {}
    CatalogLock(const CatalogLock&) = delete;
    CatalogLock& operator=(const CatalogLock&) = delete;

    void Take() { WaitForSingleObject(mutex_.Get(), INFINITE); }
    void Give() { ReleaseMutex(mutex_.Get()); }

private:
    TQLibrary::KernelHandle mutex_;
};

// Holds the catalog lock for a scope, also when an exception leaves it.
class CatalogLockGuard {
public:
    explicit CatalogLockGuard(CatalogLock& lock) : lock_(lock) { lock_.Take(); }
    ~CatalogLockGuard() { lock_.Give(); }
    CatalogLockGuard(const CatalogLockGuard&) = delete;
    CatalogLockGuard& operator=(const CatalogLockGuard&) = delete;

private:
    CatalogLock& lock_;
};
