// Load test of the local HTTP translation service: N concurrent clients
// send form posts over fresh loopback connections for a fixed time.
// Reports requests per second, latency percentiles and failed requests
// (no answer, a status other than 200 or a body other than expected).
// Usage: bench_http_service_load [SECONDS [CONNECTIONS [DATA-FOLDER]]]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "engine/Engine.h"
#include "integrations/HttpService.h"
#include "integrations/ServerCommand.h"
#include "integrations/tests/LoopbackExchange.h"

namespace {

using Clock = std::chrono::steady_clock;

// One request on a connection of its own; the whole answer, or empty.
std::string Exchange(int port, const std::string& request) {
    pv::testing::LoopbackAnswer answer = pv::testing::ExchangeOnLoopback(port, request);
    return answer.sentAll && answer.closed ? answer.received : std::string();
}

double Percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) return 0;
    std::size_t index = static_cast<std::size_t>(p / 100.0 * (sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 30;
    const int connections = argc > 2 ? std::atoi(argv[2]) : 50;
    std::string dataDir = argc > 3 ? argv[3] : PV_PROGRAM_DIR;
    if (dataDir.back() != '/') dataDir += '/';
    if (seconds <= 0 || seconds > 600 || connections < 1 || connections > 1000) {
        std::fprintf(stderr,
                     "usage: bench_http_service_load [SECONDS<=600 [CONNECTIONS<=1000 "
                     "[DATA-FOLDER]]]\n");
        return 2;
    }
    if (!pv::StartEngine(dataDir)) return 1;
    pv::HttpService service([] { return int32_t{pv::kBulgarian}; });
    if (!service.Start(0)) return 1;

    // What the chat add-on sends: one message and the target language.
    const std::string body =
        "l1=%D0%A2%D0%BE%D0%B9+%D0%BA%D0%B0%D0%B7%D0%B0%2C+%D1%87%D0%B5+%D1%83%D1%82%D1%80%D0%B5"
        "+%D1%89%D0%B5+%D0%B4%D0%BE%D0%B9%D0%B4%D0%B5+and+we+will+see&TargetLang=1";
    const std::string request =
        "POST / HTTP/1.1\r\nHost: 127.0.0.1\r\n"
        "Content-Type: application/x-www-form-urlencoded\r\n"
        "Content-Length: " +
        std::to_string(body.size()) + "\r\n\r\n" + body;
    const std::string expected = pv::ServerCommandGet(body, pv::kBulgarian).body;

    std::atomic<long> failed{0};
    std::vector<std::vector<double>> latencies(static_cast<std::size_t>(connections));
    const Clock::time_point start = Clock::now();
    const Clock::time_point end =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    std::vector<std::thread> clients;
    for (int c = 0; c < connections; ++c) {
        clients.emplace_back([&, c] {
            while (Clock::now() < end) {
                Clock::time_point sent = Clock::now();
                std::string answer = Exchange(service.Port(), request);
                latencies[static_cast<std::size_t>(c)].push_back(
                    std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
                std::size_t split = answer.find("\r\n\r\n");
                if (answer.rfind("HTTP/1.1 200 ", 0) != 0 || split == std::string::npos ||
                    answer.compare(split + 4, std::string::npos, expected) != 0)
                    ++failed;
            }
        });
    }
    for (std::thread& client : clients) client.join();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    service.Stop();

    std::vector<double> all;
    for (const auto& own : latencies) all.insert(all.end(), own.begin(), own.end());
    std::sort(all.begin(), all.end());
    std::printf("HTTP service: %d connections for %.1f s\n", connections, elapsed);
    std::printf("requests: %zu, %.0f requests/s, failed: %ld\n", all.size(), all.size() / elapsed,
                failed.load());
    std::printf("latency ms: p50 %.2f  p90 %.2f  p99 %.2f  p99.9 %.2f  max %.2f\n",
                Percentile(all, 50), Percentile(all, 90), Percentile(all, 99),
                Percentile(all, 99.9), all.empty() ? 0.0 : all.back());
    return failed == 0 ? 0 : 1;
}
