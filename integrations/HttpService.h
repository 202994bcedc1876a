// The local HTTP translation service: answers GET, POST and HEAD requests
// on 127.0.0.1 with ServerCommandGet, one thread per connection, and closes
// every connection after its answer.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

namespace httplib {
class Server;
}

namespace pv {

constexpr int kServicePort = 4357;

// Shown when the port cannot be bound.
extern const char16_t* const kBindFailedMessage;

class HttpService {
public:
    // `language` gives the language of requests that name no "TargetLang"
    // (the window's current selection); it is asked on each request.
    explicit HttpService(std::function<int32_t()> language);
    ~HttpService();
    HttpService(const HttpService&) = delete;
    HttpService& operator=(const HttpService&) = delete;

    // Binds 127.0.0.1:port (0 picks a free port) and serves on a thread of
    // its own. When the port cannot be bound, reports kBindFailedMessage
    // through ShowErrorBox and returns false.
    bool Start(int port = kServicePort);
    // The bound port, 0 when not running.
    int Port() const { return port_; }
    // Stops accepting and waits for the connections being served.
    void Stop();

private:
    std::function<int32_t()> language_;
    std::unique_ptr<httplib::Server> server_;
    std::thread listener_;
    std::atomic<bool> listening_{false};
    int port_ = 0;
};

}  // namespace pv
