#include "integrations/HttpService.h"

#include <httplib.h>

#include <chrono>
#include <memory>
#include <string>
#include <utility>

#include "integrations/ConnectionThreads.h"
#include "integrations/LanguageList.h"
#include "integrations/ServerCommand.h"
#include "textutil/ErrorReporter.h"

namespace pv {

const char16_t* const kBindFailedMessage =
    u"Could not bind socket. Address and port are already in use.";

namespace {

constexpr const char* kAnyPath = ".*";
constexpr const char* kHost = "127.0.0.1";

void Answer(const std::string& body, int32_t language, httplib::Response& res) {
    ServiceAnswer answer = ServerCommandGet(body, language);
    res.status = answer.status;
    res.set_content(answer.body, answer.contentType.c_str());
    // The names are echoed as they came; a browser must not run them.
    res.set_header("Content-Security-Policy", "default-src 'none'");
}

void TooLarge(httplib::Response& res) {
    res.status = 413;
    res.set_content(
        "A request body may hold at most " + std::to_string(kMaxRequestBody) + " bytes.",
        "text/plain; charset=utf-8");
}

}  // namespace

HttpService::HttpService(std::function<int32_t()> language) : language_(std::move(language)) {
    if (!language_) language_ = [] { return LanguageFromListIndex(kDefaultLanguageIndex); };
}

HttpService::~HttpService() { Stop(); }

bool HttpService::Start(int port) {
    Stop();
    auto server = std::make_unique<httplib::Server>();
    server->new_task_queue = [] { return new ConnectionThreads; };
    server->set_keep_alive_max_count(1);
    server->set_payload_max_length(kMaxRequestBody);
    // Only SO_REUSEADDR: with the library's default SO_REUSEPORT a second
    // service could bind the same port and the taken port would go unseen.
    auto listening = std::make_shared<int>(-1);
    server->set_socket_options([listening](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        *listening = sock;
    });

    // GET and HEAD carry no body that the server reads: they get the answer
    // to an empty body.
    server->Get(kAnyPath, [this](const httplib::Request&, httplib::Response& res) {
        Answer({}, language_(), res);
    });
    server->Post(kAnyPath, [this](const httplib::Request&, httplib::Response& res,
                                  const httplib::ContentReader& read) {
        std::string body;
        bool tooLarge = false;
        bool complete = read([&](const char* data, std::size_t length) {
            if (length > kMaxRequestBody - body.size()) {
                tooLarge = true;
                return false;
            }
            body.append(data, length);
            return true;
        });
        if (!complete) {
            if (tooLarge || res.status == 413) return TooLarge(res);
            res.status = 400;
            res.set_content("The request body could not be read.", "text/plain; charset=utf-8");
            return;
        }
        Answer(body, language_(), res);
    });
    auto notAllowed = [](const httplib::Request&, httplib::Response& res) {
        res.status = 405;
        res.set_header("Allow", "GET, POST, HEAD");
    };
    server->Put(kAnyPath, notAllowed);
    server->Patch(kAnyPath, notAllowed);
    server->Delete(kAnyPath, notAllowed);
    server->Options(kAnyPath, notAllowed);

    const bool bound = port == 0 ? (port = server->bind_to_any_port(kHost)) > 0
                                 : server->bind_to_port(kHost, port);
    if (!bound) {
        ShowErrorBox(kBindFailedMessage);
        return false;
    }
    // The library listens with a backlog of 5; a burst of clients would see
    // their connections dropped and retried a second later.
    if (*listening >= 0) listen(*listening, SOMAXCONN);
    port_ = port;
    server_ = std::move(server);
    listening_ = true;
    listener_ = std::thread([this] {
        server_->listen_after_bind();
        listening_ = false;
    });
    // stop() only reaches a server that has begun listening.
    while (listening_ && !server_->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void HttpService::Stop() {
    if (!server_) return;
    server_->stop();
    if (listener_.joinable()) listener_.join();
    server_.reset();
    port_ = 0;
}

}  // namespace pv
