#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "datagen/EngineFixture.h"
#include "engine/Engine.h"
#include "integrations/HttpService.h"
#include "integrations/ServerCommand.h"
#include "integrations/tests/LoopbackExchange.h"
#include "textutil/ErrorReporter.h"

namespace pv {
namespace {

struct RawAnswer {
    int status = 0;
    std::string head;  // status line and headers
    std::string body;
};

// The status, head and body of one exchange; a timed-out read is marked.
RawAnswer Exchange(int port, const std::string& request) {
    RawAnswer answer;
    testing::LoopbackAnswer exchanged = testing::ExchangeOnLoopback(port, request);
    std::string received = exchanged.received;
    if (exchanged.connected && !exchanged.closed) received += "<timed out>";
    std::size_t split = received.find("\r\n\r\n");
    answer.head = received.substr(0, split);
    if (split != std::string::npos) answer.body = received.substr(split + 4);
    if (received.rfind("HTTP/1.1 ", 0) == 0) answer.status = std::stoi(received.substr(9, 3));
    return answer;
}

std::string Post(const std::string& body) {
    return "POST / HTTP/1.1\r\nHost: 127.0.0.1\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

class HttpServiceTest : public ::testing::Test, public ErrorReporter {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(StartEngine(EngineFixtureFolder())); }
    void SetUp() override {
        SetErrorReporter(this);
        ASSERT_TRUE(service.Start(0));
        ASSERT_GT(service.Port(), 0);
    }
    void TearDown() override {
        service.Stop();
        SetErrorReporter(nullptr);
        TargetLanguage = kBulgarian;
    }
    void ShowError(const std::u16string& text) override { errors.push_back(text); }

    // What the handler answers to `body` with the service's own language.
    static std::string Expected(const std::string& body) {
        return ServerCommandGet(body, kBulgarian).body;
    }

    HttpService service{[] { return int32_t{kBulgarian}; }};
    std::vector<std::u16string> errors;
};

TEST_F(HttpServiceTest, AnswersFormPostsAndClosesTheConnection) {
    for (const std::string body : {"l1=hello+there&TargetLang=2", "l1=%E2%82",
                                   "l1=good+morning&l2=see+you&TargetLang=4", ""}) {
        RawAnswer answer = Exchange(service.Port(), Post(body));
        EXPECT_EQ(answer.status, 200) << body;
        EXPECT_NE(answer.head.find("Content-Type: text/html"), std::string::npos);
        EXPECT_NE(answer.head.find("Connection: close"), std::string::npos);
        EXPECT_EQ(answer.body, Expected(body)) << body;
    }
    // The bad sequence empties the whole parameter, name and all.
    EXPECT_EQ(Exchange(service.Port(), Post("l1=%E2%82")).body, "\"\"");
    EXPECT_TRUE(errors.empty());
}

TEST_F(HttpServiceTest, BadTargetLangIsStatus500WithTheErrorText) {
    RawAnswer answer = Exchange(service.Port(), Post("TargetLang=x"));
    EXPECT_EQ(answer.status, 500);
    EXPECT_EQ(answer.body, "'x' is not a valid integer value");
}

TEST_F(HttpServiceTest, GetAndHeadReadNoQueryString) {
    RawAnswer get = Exchange(service.Port(), "GET /?l1=hello&TargetLang=2 HTTP/1.1\r\n\r\n");
    EXPECT_EQ(get.status, 200);
    EXPECT_EQ(get.body, "");
    RawAnswer head = Exchange(service.Port(), "HEAD / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(head.status, 200);
    EXPECT_EQ(head.body, "");
    EXPECT_EQ(Exchange(service.Port(), "PUT / HTTP/1.1\r\nContent-Length: 0\r\n\r\n").status, 405);
}

std::string Chunked(const std::string& body) {
    char size[32];
    std::snprintf(size, sizeof size, "%zx", body.size());
    return "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n" + std::string(size) + "\r\n" +
           body + "\r\n0\r\n\r\n";
}

TEST_F(HttpServiceTest, ChunkedBodiesAreReadToo) {
    const std::string body = "l1=hello+there&TargetLang=2";
    RawAnswer answer = Exchange(service.Port(), Chunked(body));
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(answer.body, Expected(body));
}

TEST_F(HttpServiceTest, OversizedBodiesAreRefused) {
    const std::string big(kMaxRequestBody + 1, 'a');
    EXPECT_EQ(Exchange(service.Port(), Post(big)).status, 413);
    // Without a length the limit holds while the body streams in.
    EXPECT_EQ(Exchange(service.Port(), Chunked(big)).status, 413);
    EXPECT_EQ(Exchange(service.Port(), Post(std::string(kMaxRequestBody, 'a'))).status, 200);
}

TEST_F(HttpServiceTest, ConcurrentRequestsGetTheirOwnAnswers) {
    constexpr int kClients = 8;
    std::vector<std::string> bodies, expected;
    for (int t = 0; t < kClients; ++t) {
        bodies.push_back("l1=client+" + std::string(1, char('a' + t)) + "&l2=says+hello");
        expected.push_back(Expected(bodies.back()));
    }
    std::vector<std::thread> clients;
    std::vector<int> wrong(kClients, 0);
    for (int t = 0; t < kClients; ++t) {
        clients.emplace_back([&, t] {
            for (int i = 0; i < 10; ++i)
                if (Exchange(service.Port(), Post(bodies[t])).body != expected[t]) ++wrong[t];
        });
    }
    for (std::thread& c : clients) c.join();
    for (int t = 0; t < kClients; ++t) EXPECT_EQ(wrong[t], 0) << "client " << t;
}

TEST_F(HttpServiceTest, TakenPortIsReportedAndTheServiceDoesNotRun) {
    HttpService second{[] { return int32_t{kBulgarian}; }};
    EXPECT_FALSE(second.Start(service.Port()));
    EXPECT_EQ(second.Port(), 0);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], u"Could not bind socket. Address and port are already in use.");
    // The first service still answers.
    EXPECT_EQ(Exchange(service.Port(), Post("l1=a")).status, 200);
}

}  // namespace
}  // namespace pv
