#pragma once

#include <windows.h>

#include "base/Handles.h"

// The one lock around the catalog and the settings: the user-interface thread and every
// worker take it before touching either. An unnamed mutex, so that a wait can also be
// combined with other handles.
class CatalogLock {
public:
    CatalogLock() : mutex_(CreateMutexW(nullptr, FALSE, nullptr)) {}
    CatalogLock(const CatalogLock&) = delete;
    CatalogLock& operator=(const CatalogLock&) = delete;

    // A worker holding the lock may be waiting for the user-interface thread to answer it (a
    // question, a title): while waiting, that thread keeps answering, or both would wait forever.
    void Take() {
        HANDLE mutex = mutex_.Get();
        while (MsgWaitForMultipleObjects(1, &mutex, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    // Takes the lock only when it is free (or already the thread's own); false when a worker
    // holds it, for work that can wait for a later turn.
    bool TryTake() {
        const DWORD result = WaitForSingleObject(mutex_.Get(), 0);
        return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    }
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
