// One raw HTTP exchange with a server on 127.0.0.1, for the service's tests
// and its load benchmark: the request is sent as it is, and the answer is
// read until the server closes the connection (10 s timeouts both ways).
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdint>
#include <string>

namespace pv::testing {

struct LoopbackAnswer {
    std::string received;    // everything the server sent
    bool connected = false;
    bool sentAll = false;    // the whole request went out
    bool closed = false;     // the server closed the connection before the timeout
};

inline LoopbackAnswer ExchangeOnLoopback(int port, const std::string& request) {
    LoopbackAnswer answer;
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return answer;
    timeval timeout{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    answer.connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (answer.connected) {
        std::size_t sent = 0;
        while (sent < request.size()) {
            ssize_t n = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += static_cast<std::size_t>(n);
        }
        char buffer[4096];
        ssize_t n;
        while ((n = recv(fd, buffer, sizeof buffer, 0)) > 0)
            answer.received.append(buffer, static_cast<std::size_t>(n));
        answer.sentAll = sent == request.size();
        answer.closed = n == 0;
    }
    close(fd);
    return answer;
}

}  // namespace pv::testing
