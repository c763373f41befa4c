#pragma once
// A POP3 server played by a test on 127.0.0.1: one script per accepted connection, on its own
// thread. A script that runs out keeps the connection open and silent. When gated, each reply
// waits for Release(), so a test can watch every step. The destructor never waits for a client.

#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <semaphore>
#include <string>
#include <thread>
#include <vector>

#include "framework/UniqueHandle.h"

namespace torvin::test {

struct ServerStep {
    enum class Kind { kSend, kReadLine } kind;
    std::string bytes;
};
inline ServerStep Send(std::string bytes) {
    return {ServerStep::Kind::kSend, std::move(bytes)};
}
// Reads a command line and lets it go.
inline ServerStep ReadLine() {
    return {ServerStep::Kind::kReadLine, {}};
}

// Greeting, then the replies to USER, PASS, STAT with `count` messages and QUIT.
inline std::vector<ServerStep> WellBehavedScript(int count) {
    // clang-format off
    return {Send("+OK Dovecot (Debian) ready.\r\n"), ReadLine(), Send("+OK\r\n"), ReadLine(), Send("+OK Logged in.\r\n"),
            ReadLine(), Send("+OK " + std::to_string(count) + " 512\r\n"), ReadLine(), Send("+OK Logging out.\r\n")};
    // clang-format on
}

class ScriptedPopServer {
  public:
    explicit ScriptedPopServer(std::vector<std::vector<ServerStep>> scripts, bool gated = false);
    ~ScriptedPopServer();

    std::uint16_t Port() const { return port_; }  // 0 when it could not listen
    void Release() { released_.release(); }       // lets the next held reply go

  private:
    void Play(SOCKET client, const std::vector<ServerStep>& script);
    bool WaitReadable(SOCKET socket);

    UniqueSocket listener_;
    std::uint16_t port_ = 0;
    bool gated_;
    std::atomic<bool> stopping_{false};
    std::counting_semaphore<> released_{0};
    std::thread thread_;
};

// Starts Winsock once for the test program; the process end cleans it up.
void StartWinsockForTests();

}  // namespace torvin::test
