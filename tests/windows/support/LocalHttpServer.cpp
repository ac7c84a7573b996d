#include "windows/support/LocalHttpServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <climits>

namespace {

bool SendAll(SOCKET client, const char* data, size_t count) {
    while (count > 0) {
        const int sent = send(client, data, static_cast<int>(std::min<size_t>(count, 4096)), 0);
        if (sent <= 0)
            return false;
        data += sent;
        count -= static_cast<size_t>(sent);
    }
    return true;
}

// The path of the request line "GET /path HTTP/1.1".
std::string RequestedPath(SOCKET client) {
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        const int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        head.append(buffer, static_cast<size_t>(got));
    }
    const size_t start = head.find(' ');
    const size_t end = start == std::string::npos ? std::string::npos : head.find(' ', start + 1);
    return end == std::string::npos ? std::string() : head.substr(start + 1, end - start - 1);
}

}  // namespace

std::vector<std::uint8_t> BytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

LocalHttpServer::LocalHttpServer() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return;
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int size = sizeof address;
    if (listener_ == INVALID_SOCKET || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 8) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (listener_ != INVALID_SOCKET)
            closesocket(listener_);
        listener_ = INVALID_SOCKET;
        return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Run(); });
}

LocalHttpServer::~LocalHttpServer() {
    stopping_ = true;
    if (listener_ != INVALID_SOCKET)
        closesocket(listener_);
    if (thread_.joinable())
        thread_.join();
    WSACleanup();
}

std::wstring LocalHttpServer::Address() const {
    return L"http://127.0.0.1:" + std::to_wstring(port_) + L"/";
}

void LocalHttpServer::Serve(const std::string& path, Answer answer) {
    std::lock_guard<std::mutex> guard(mutex_);
    answers_[path] = std::move(answer);
}

int LocalHttpServer::Requests(const std::string& path) {
    std::lock_guard<std::mutex> guard(mutex_);
    return requests_[path];
}

void LocalHttpServer::Run() {
    while (!stopping_) {
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            break;
        Answer404Or(client, RequestedPath(client));
        shutdown(client, SD_BOTH);
        closesocket(client);
    }
}

void LocalHttpServer::Answer404Or(SOCKET client, const std::string& path) {
    Answer answer;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        ++requests_[path];
        auto found = answers_.find(path);
        if (found == answers_.end()) {
            answer.status = 404;
            answer.body = BytesOf("not here");
        } else {
            answer = found->second;
        }
    }
    if (answer.silent) {
        Pause(client, INT_MAX);
        return;
    }
    std::string head = "HTTP/1.1 " + std::to_string(answer.status) + (answer.status == 200 ? " OK" : " Not Found") +
                       "\r\nConnection: close\r\nCache-Control: no-store\r\n";
    if (answer.announceLength)
        head += "Content-Length: " + std::to_string(answer.body.size()) + "\r\n";
    head += "\r\n";
    if (!SendAll(client, head.data(), head.size()))
        return;
    const size_t total = std::min(answer.body.size(), answer.cutAfter);
    for (size_t sent = 0; sent < total && !stopping_; sent += answer.blockBytes) {
        if (answer.pauseMilliseconds > 0 && !Pause(client, answer.pauseMilliseconds))
            return;
        const size_t count = std::min<size_t>(answer.blockBytes, total - sent);
        if (!SendAll(client, reinterpret_cast<const char*>(answer.body.data() + sent), count))
            return;
    }
}

bool LocalHttpServer::Pause(SOCKET client, int milliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    while (!stopping_ && GetTickCount64() < end) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(client, &readable);
        timeval slice{0, 100000};
        if (select(0, &readable, nullptr, nullptr, &slice) > 0) {
            // The request was read whole: anything readable now is the client's close.
            char ignored[256];
            if (recv(client, ignored, sizeof ignored, 0) <= 0)
                return false;
        }
    }
    return !stopping_;
}
