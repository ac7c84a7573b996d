#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class ProgressSink;

namespace TQLibrary {

// How long a request may wait for the server: a server that does not answer delays the
// program by at most these, never hangs it. The first two hold for each connection and each
// read; the whole fetch, connection to last byte, ends once total has passed (0: no limit), so
// that a server sending a little now and then cannot hold it either.
struct HttpTimeouts {
    DWORD connectMilliseconds = 5000;
    DWORD receiveMilliseconds = 10000;
    DWORD totalMilliseconds = 0;
};

// Fetches one file of a web folder into a local file, reporting progress and honouring a
// cancel request between blocks. Only a complete answer (status 200, every byte the server
// announced) replaces the destination, in one move; anything less leaves it as it was.
class TQXferHTTP {
public:
    explicit TQXferHTTP(std::wstring baseAddress, HttpTimeouts timeouts = {});

    // The remote path below the base address (its folder and file name, split at the last "/"
    // or "\") and the local file to produce.
    void SetTransfer(const std::wstring& remotePath, const std::wstring& destination);
    // Runs the transfer, reporting positions from start to end (each one once); true on success.
    bool Transfer(ProgressSink* task, int start, int end);
    // From another thread, at any moment: the transfer under way, or the next one if none is,
    // stops before its next block and fails, and so does every later one.
    void Cancel() { cancelled_ = true; }
    // The system's error code of the last failure; 0 when none was given.
    DWORD LastError() const { return lastError_; }
    // The address the transfer fetches: base, folder and file name joined by single "/".
    std::wstring Address() const;

private:
    bool Fail();

    std::wstring base_;
    HttpTimeouts timeouts_;
    std::wstring folder_;
    std::wstring fileName_;
    std::wstring destination_;
    DWORD lastError_ = 0;
    std::atomic<bool> cancelled_{false};
};

// Fetches a whole answer into memory, at most limit bytes of it; none when the server cannot be
// reached, answers with another status than 200, or the answer is cut short.
std::optional<std::vector<std::uint8_t>> FetchBytes(const std::wstring& address, const std::wstring& agent,
                                                    size_t limit, HttpTimeouts timeouts = {});

}  // namespace TQLibrary
