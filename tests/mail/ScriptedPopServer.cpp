#include "tests/mail/ScriptedPopServer.h"

#include <ws2tcpip.h>

#include <chrono>

namespace torvin::test {

namespace {

// Bounded waits keep a test that goes wrong from hanging the server thread.
bool WaitReadable(SOCKET socket, std::chrono::milliseconds limit) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval timeout{static_cast<long>(limit.count() / 1000),
                    static_cast<long>((limit.count() % 1000) * 1000)};
    return select(0, &readable, nullptr, nullptr, &timeout) == 1;
}

void SendAll(SOCKET socket, const std::string& bytes) {
    send(socket, bytes.data(), static_cast<int>(bytes.size()), 0);
}

}  // namespace

ServerStep Send(std::string bytes) {
    return {ServerStep::Kind::kSend, std::move(bytes)};
}
ServerStep SendByteByByte(std::string bytes) {
    return {ServerStep::Kind::kSendByteByByte, std::move(bytes)};
}
ServerStep ReadLine() {
    return {ServerStep::Kind::kReadLine, {}};
}
ServerStep Silence() {
    return {ServerStep::Kind::kSilence, {}};
}
ServerStep CloseConnection() {
    return {ServerStep::Kind::kClose, {}};
}

std::vector<ServerStep> WellBehavedScript(int count) {
    return {Send("+OK ready.\r\n"),
            ReadLine(),
            Send("+OK\r\n"),
            ReadLine(),
            Send("+OK Logged in.\r\n"),
            ReadLine(),
            Send("+OK " + std::to_string(count) + " 512\r\n"),
            ReadLine(),
            Send("+OK Logging out.\r\n")};
}

ScriptedPopServer::ScriptedPopServer(std::vector<std::vector<ServerStep>> scripts)
    : listener_(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof(address);
    if (bind(listener_.Get(), reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        listen(listener_.Get(), 8) == 0 &&
        getsockname(listener_.Get(), reinterpret_cast<sockaddr*>(&address), &size) == 0) {
        port_ = ntohs(address.sin_port);
    }
    thread_ = std::thread([this, all = std::move(scripts)]() mutable { Serve(std::move(all)); });
}

ScriptedPopServer::~ScriptedPopServer() {
    listener_.Reset();
    thread_.join();
}

std::vector<std::string> ScriptedPopServer::LinesReceived() {
    std::lock_guard lock(mutex_);
    return lines_;
}

void ScriptedPopServer::Serve(std::vector<std::vector<ServerStep>> scripts) {
    for (const auto& script : scripts) {
        if (!WaitReadable(listener_.Get(), std::chrono::seconds(10))) {
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
        switch (step.kind) {
            case ServerStep::Kind::kSend:
                SendAll(client, step.bytes);
                break;
            case ServerStep::Kind::kSendByteByByte:
                for (char c : step.bytes) {
                    SendAll(client, std::string(1, c));
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
                break;
            case ServerStep::Kind::kReadLine: {
                std::string line;
                char c = 0;
                while (WaitReadable(client, std::chrono::seconds(10)) && recv(client, &c, 1, 0) == 1 &&
                       c != '\n') {
                    line.push_back(c);
                }
                std::lock_guard lock(mutex_);
                lines_.push_back(line);
                break;
            }
            case ServerStep::Kind::kSilence: {
                char sink[256];
                while (WaitReadable(client, std::chrono::seconds(10)) &&
                       recv(client, sink, sizeof(sink), 0) > 0) {
                }
                return;
            }
            case ServerStep::Kind::kClose:
                return;
        }
    }
    // A script that ran out lingers until the client closes, like a server awaiting a command.
    char rest[256];
    while (WaitReadable(client, std::chrono::seconds(10)) && recv(client, rest, sizeof(rest), 0) > 0) {
    }
}

void StartWinsockForTests() {
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    static_cast<void>(started);
}

}  // namespace torvin::test
