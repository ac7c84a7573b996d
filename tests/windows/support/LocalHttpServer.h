#pragma once

#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A web server on 127.0.0.1 for one test: it serves the answers it is given by path, counts
// the requests, and stops when it goes.
class LocalHttpServer {
public:
    struct Answer {
        int status = 200;
        std::vector<std::uint8_t> body;
        bool announceLength = true;
        // The connection is closed after this many bytes of the body (the rest is never sent).
        size_t cutAfter = SIZE_MAX;
        // Sent in blocks of this many bytes with a pause before each.
        size_t blockBytes = 4096;
        int pauseMilliseconds = 0;
        // Nothing at all is sent, not even the head, until the client gives up.
        bool silent = false;
    };

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    bool Started() const { return listener_ != INVALID_SOCKET; }
    // "http://127.0.0.1:<port>/"
    std::wstring Address() const;
    void Serve(const std::string& path, Answer answer);
    int Requests(const std::string& path);

private:
    void Run();
    void Answer404Or(SOCKET client, const std::string& path);
    // Waits this long, or until the client closes the connection or the server stops; false in
    // the last two cases.
    bool Pause(SOCKET client, int milliseconds);

    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::mutex mutex_;
    std::map<std::string, Answer> answers_;
    std::map<std::string, int> requests_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

std::vector<std::uint8_t> BytesOf(const std::string& text);
