#include "tests/support/ScriptedPopServer.h"

#include <ws2tcpip.h>

#include <chrono>

namespace torvin::test {

ScriptedPopServer::ScriptedPopServer(std::vector<std::vector<ServerStep>> scripts, bool gated)
    : gated_(gated) {
    StartWinsockForTests();
    listener_ = UniqueSocket(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof(address);
    if (bind(listener_.Get(), reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        listen(listener_.Get(), 8) == 0 &&
        getsockname(listener_.Get(), reinterpret_cast<sockaddr*>(&address), &size) == 0) {
        port_ = ntohs(address.sin_port);
    }
    thread_ = std::thread([this, all = std::move(scripts)] {
        for (const auto& script : all) {
            UniqueSocket client(WaitReadable(listener_.Get()) ? accept(listener_.Get(), nullptr, nullptr)
                                                              : INVALID_SOCKET);
            if (!client) {
                return;
            }
            Play(client.Get(), script);
        }
    });
}

ScriptedPopServer::~ScriptedPopServer() {
    stopping_ = true;
    thread_.join();
}

void ScriptedPopServer::Play(SOCKET client, const std::vector<ServerStep>& script) {
    for (const ServerStep& step : script) {
        if (step.kind == ServerStep::Kind::kSend) {
            while (gated_ && !released_.try_acquire_for(std::chrono::milliseconds(50))) {
                if (stopping_) {
                    return;
                }
            }
            send(client, step.bytes.data(), static_cast<int>(step.bytes.size()), 0);
            continue;
        }
        char c = 0;
        while (WaitReadable(client) && recv(client, &c, 1, 0) == 1 && c != '\n') {
        }
    }
    char rest[256];
    while (WaitReadable(client) && recv(client, rest, sizeof(rest), 0) > 0) {
    }
}

// Waits in short slices, up to 20 s in all, so that the destructor never waits for a client.
bool ScriptedPopServer::WaitReadable(SOCKET socket) {
    for (int slice = 0; slice < 200 && !stopping_; ++slice) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket, &readable);
        timeval timeout{0, 100'000};
        if (const int ready = select(0, &readable, nullptr, nullptr, &timeout); ready != 0) {
            return ready == 1;
        }
    }
    return false;
}

void StartWinsockForTests() {
    static WSADATA data{};
    [[maybe_unused]] static const int started = WSAStartup(MAKEWORD(2, 2), &data);
}

}  // namespace torvin::test
