#include "app/online/HttpTransfer.h"

#include <wininet.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "base/DataFile.h"
#include "base/Handles.h"
#include "base/Progress.h"

namespace TQLibrary {

namespace {

constexpr DWORD kBlockSize = 4096;
constexpr wchar_t kAgent[] = L"TQXferHTTP";
constexpr wchar_t kTemporaryExtension[] = L".tqxfer";

// The moment a whole fetch has to end by; never for no limit.
class Deadline {
public:
    explicit Deadline(DWORD milliseconds) : end_(milliseconds == 0 ? UINT64_MAX : GetTickCount64() + milliseconds) {}
    bool Passed() const { return GetTickCount64() >= end_; }

private:
    ULONGLONG end_;
};

std::wstring PartOf(const wchar_t* text, DWORD length) {
    return text == nullptr ? std::wstring() : std::wstring(text, length);
}

// An http or https address in the parts a request is made of.
struct WebAddress {
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring object;  // the path and query
    bool secure = false;
};

std::optional<WebAddress> SplitAddress(const std::wstring& address) {
    wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH] = {};
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH;
    // Non-zero lengths without buffers: these parts are pointed out within the address.
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(address.c_str(), 0, 0, &parts))
        return std::nullopt;
    WebAddress web;
    web.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    if (!web.secure && parts.nScheme != INTERNET_SCHEME_HTTP) {
        SetLastError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
        return std::nullopt;
    }
    web.host = host;
    web.port = parts.nPort;
    web.object = PartOf(parts.lpszUrlPath, parts.dwUrlPathLength) +
                 PartOf(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (web.object.empty())
        web.object = L"/";
    return web;
}

// An open answer to one GET request, never from the cache.
class HttpAnswer {
public:
    bool Open(const std::wstring& address, const std::wstring& agent, const HttpTimeouts& timeouts) {
        if (InternetAttemptConnect(0) != ERROR_SUCCESS)
            return false;
        const std::optional<WebAddress> web = SplitAddress(address);
        if (!web)
            return false;
        // The time-outs go on every handle: some WinINet implementations only honour them on
        // the connection and request handles.
        session_.Reset(InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
        if (!session_)
            return false;
        SetTimeouts(session_.Get(), timeouts);
        connection_.Reset(InternetConnectW(session_.Get(), web->host.c_str(), web->port, nullptr, nullptr,
                                           INTERNET_SERVICE_HTTP, 0, 0));
        if (!connection_)
            return false;
        SetTimeouts(connection_.Get(), timeouts);
        const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI |
                            (web->secure ? INTERNET_FLAG_SECURE : 0);
        request_.Reset(
                HttpOpenRequestW(connection_.Get(), L"GET", web->object.c_str(), nullptr, nullptr, nullptr, flags, 0));
        if (!request_)
            return false;
        SetTimeouts(request_.Get(), timeouts);
        if (!HttpSendRequestW(request_.Get(), nullptr, 0, nullptr, 0))
            return false;
        // An error page is not the file asked for.
        DWORD status = 0;
        DWORD size = sizeof status;
        if (!HttpQueryInfoW(request_.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
            return false;
        if (status != HTTP_STATUS_OK) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return false;
        }
        return true;
    }

    // The announced length of the body; none when the server does not say.
    std::optional<std::uint64_t> Length() const {
        wchar_t text[32] = {};
        DWORD size = sizeof text;
        if (!HttpQueryInfoW(request_.Get(), HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
            return std::nullopt;
        std::uint64_t length = 0;
        for (const wchar_t* digit = text; *digit != 0; ++digit) {
            if (*digit < L'0' || *digit > L'9' || length > UINT64_MAX / 10 - 9)
                return std::nullopt;
            length = length * 10 + static_cast<std::uint64_t>(*digit - L'0');
        }
        return length;
    }

    // Bytes read into the buffer (0 at the end); false on a failed read. Only what has come
    // is read: a read asking for more waits until the buffer is full, which a server sending
    // a byte now and then would make last for ever.
    bool Read(std::uint8_t* buffer, DWORD capacity, DWORD& read) {
        read = 0;
        DWORD available = 0;
        if (!InternetQueryDataAvailable(request_.Get(), &available, 0, 0))
            return false;
        if (available == 0)
            return true;
        return InternetReadFile(request_.Get(), buffer, std::min(available, capacity), &read) != FALSE;
    }

private:
    static void SetTimeouts(HINTERNET handle, const HttpTimeouts& timeouts) {
        const std::pair<DWORD, DWORD> options[] = {{INTERNET_OPTION_CONNECT_TIMEOUT, timeouts.connectMilliseconds},
                                                   {INTERNET_OPTION_SEND_TIMEOUT, timeouts.receiveMilliseconds},
                                                   {INTERNET_OPTION_RECEIVE_TIMEOUT, timeouts.receiveMilliseconds}};
        for (auto [option, milliseconds] : options)
            InternetSetOptionW(handle, option, &milliseconds, sizeof milliseconds);
    }

    // The request goes before the connection, and that before the session it belongs to.
    InternetHandle session_;
    InternetHandle connection_;
    InternetHandle request_;
};

// The position between start and end for received bytes of length, in 64 bits however large
// the file.
int PositionAt(int start, int end, std::uint64_t received, std::uint64_t length) {
    if (length == 0)
        return end;
    const std::uint64_t done = std::min(received, length);
    const long double share = static_cast<long double>(done) / static_cast<long double>(length);
    return start + static_cast<int>(static_cast<long double>(end - start) * share);
}

// Hands positions on to the task only when they change: a large file would otherwise send a
// message for every block.
class PositionReport {
public:
    explicit PositionReport(ProgressSink* task) : task_(task) {}
    void operator()(int position) {
        if (task_ == nullptr || position == last_)
            return;
        last_ = position;
        task_->ReportProgress(position);
    }

private:
    ProgressSink* task_;
    int last_ = INT_MIN;
};

}  // namespace

TQXferHTTP::TQXferHTTP(std::wstring baseAddress, HttpTimeouts timeouts)
    : base_(std::move(baseAddress)), timeouts_(timeouts) {}

void TQXferHTTP::SetTransfer(const std::wstring& remotePath, const std::wstring& destination) {
    // A cancel stays: it may have come before this transfer was set.
    lastError_ = 0;
    const size_t split = remotePath.find_last_of(L"/\\");
    folder_ = split == std::wstring::npos ? std::wstring() : remotePath.substr(0, split);
    fileName_ = split == std::wstring::npos ? remotePath : remotePath.substr(split + 1);
    destination_ = destination;
}

std::wstring TQXferHTTP::Address() const {
    std::wstring address = base_;
    for (const std::wstring* part : {&folder_, &fileName_}) {
        if (!address.ends_with(L'/'))
            address += L'/';
        address += *part;
    }
    return address;
}

bool TQXferHTTP::Fail() {
    if (lastError_ == 0)
        lastError_ = GetLastError();
    return false;
}

bool TQXferHTTP::Transfer(ProgressSink* task, int start, int end) {
    const Deadline deadline(timeouts_.totalMilliseconds);
    PositionReport report(task);
    report(start);
    HttpAnswer answer;
    if (cancelled_) {
        lastError_ = ERROR_CANCELLED;
        return false;
    }
    if (!answer.Open(Address(), kAgent, timeouts_))
        return Fail();
    const std::optional<std::uint64_t> length = answer.Length();
    const int readStart = start + (end - start) / 5;
    report(readStart);

    const std::wstring temporary = destination_ + kTemporaryExtension;
    bool complete = false;
    {
        DataFile file(temporary);
        // An empty answer still makes an (empty) file.
        if (!file.Write(nullptr, 0))
            return Fail();
        std::uint8_t block[kBlockSize];
        std::uint64_t received = 0;
        for (;;) {
            if (cancelled_)
                break;
            if (deadline.Passed()) {
                lastError_ = ERROR_INTERNET_TIMEOUT;
                break;
            }
            DWORD read = 0;
            if (!answer.Read(block, kBlockSize, read)) {
                lastError_ = GetLastError();
                break;
            }
            if (read == 0) {
                // A known length must be met: fewer bytes is a connection cut short.
                complete = !length || received == *length;
                break;
            }
            if (!file.Write(block, read)) {
                lastError_ = file.LastError();
                break;
            }
            received += read;
            if (length && received > *length)
                break;
            if (length)
                report(PositionAt(readStart, end, received, *length));
        }
        complete = complete && file.Flush();
    }
    if (!complete) {
        DeleteFileForce(temporary);
        if (lastError_ == 0)
            lastError_ = cancelled_ ? ERROR_CANCELLED : ERROR_HANDLE_EOF;
        return false;
    }
    // A read-only copy of an earlier download is replaced all the same.
    if (FileIsPresent(destination_))
        SetFileAttributesW(destination_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!ReplaceWithFile(temporary, destination_)) {
        lastError_ = GetLastError();
        DeleteFileForce(temporary);
        return false;
    }
    report(end);
    return true;
}

std::optional<std::vector<std::uint8_t>> FetchBytes(const std::wstring& address, const std::wstring& agent,
                                                    size_t limit, HttpTimeouts timeouts) {
    const Deadline deadline(timeouts.totalMilliseconds);
    HttpAnswer answer;
    if (!answer.Open(address, agent, timeouts))
        return std::nullopt;
    const std::optional<std::uint64_t> length = answer.Length();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(std::min<size_t>(limit, length.value_or(kBlockSize)));
    std::uint8_t block[kBlockSize];
    while (bytes.size() < limit) {
        if (deadline.Passed())
            return std::nullopt;
        DWORD read = 0;
        if (!answer.Read(block, static_cast<DWORD>(std::min<size_t>(kBlockSize, limit - bytes.size())), read))
            return std::nullopt;
        if (read == 0) {
            if (length && bytes.size() != *length)
                return std::nullopt;
            break;
        }
        bytes.insert(bytes.end(), block, block + read);
    }
    return bytes;
}

}  // namespace TQLibrary
