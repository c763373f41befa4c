#include "tests/support/ScriptedPopServer.h"

#include <ws2tcpip.h>

namespace torvin::test {

std::vector<ServerStep> WellBehavedScript(int count) {
    return {Send("+OK Dovecot (Debian) ready.\r\n"),
            ReadLine(),
            Send("+OK\r\n"),
            ReadLine(),
            Send("+OK Logged in.\r\n"),
            ReadLine(),
            Send("+OK " + std::to_string(count) + " 512\r\n"),
            ReadLine(),
            Send("+OK Logging out.\r\n")};
}

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
    thread_ = std::thread([this, all = std::move(scripts)] { Serve(all); });
}

ScriptedPopServer::~ScriptedPopServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    released_.notify_all();
    thread_.join();
}

std::vector<std::string> ScriptedPopServer::LinesReceived() {
    std::lock_guard lock(mutex_);
    return lines_;
}

void ScriptedPopServer::Release() {
    std::lock_guard lock(mutex_);
    ++releases_;
    released_.notify_all();
}

void ScriptedPopServer::Serve(const std::vector<std::vector<ServerStep>>& scripts) {
    for (const auto& script : scripts) {
        if (!WaitReadable(listener_.Get())) {
            return;
        }
        UniqueSocket client(accept(listener_.Get(), nullptr, nullptr));
        if (!client) {
            return;
        }
        const BOOL noDelay = TRUE;
        setsockopt(client.Get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
                   sizeof(noDelay));
        Play(client.Get(), script);
    }
}

void ScriptedPopServer::Play(SOCKET client, const std::vector<ServerStep>& script) {
    for (const ServerStep& step : script) {
        if (step.kind == ServerStep::Kind::kClose) {
            return;
        }
        if (step.kind == ServerStep::Kind::kSend) {
            if (!AwaitRelease()) {
                return;
            }
            send(client, step.bytes.data(), static_cast<int>(step.bytes.size()), 0);
            continue;
        }
        std::string line;
        char c = 0;
        while (WaitReadable(client) && recv(client, &c, 1, 0) == 1 && c != '\n') {
            line.push_back(c);
        }
        std::lock_guard lock(mutex_);
        lines_.push_back(line);
    }
    char rest[256];
    while (WaitReadable(client) && recv(client, rest, sizeof(rest), 0) > 0) {
    }
}

// Waits in short slices, up to 20 s, so that the destructor never waits for a client that stays.
bool ScriptedPopServer::WaitReadable(SOCKET socket) {
    for (int slice = 0; slice < 200; ++slice) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) {
                return false;
            }
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket, &readable);
        timeval timeout{0, 100'000};
        const int ready = select(0, &readable, nullptr, nullptr, &timeout);
        if (ready != 0) {
            return ready == 1;
        }
    }
    return false;
}

bool ScriptedPopServer::AwaitRelease() {
    std::unique_lock lock(mutex_);
    if (gated_) {
        released_.wait(lock, [this] { return stopping_ || releases_ > 0; });
        --releases_;
    }
    return !stopping_;
}

void StartWinsockForTests() {
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    static_cast<void>(started);
}

}  // namespace torvin::test
