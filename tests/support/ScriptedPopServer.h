#pragma once
// A POP3 server played by a test on 127.0.0.1: one script per accepted connection, on its own
// thread, recording the lines the client sent. A script that runs out keeps the connection open
// and silent until the client goes away. When gated, each reply waits for Release(), so a test
// can watch every step; the destructor lets everything go and never waits for a client.

#include <winsock2.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/UniqueHandle.h"

namespace torvin::test {

struct ServerStep {
    enum class Kind { kSend, kReadLine, kClose };
    Kind kind = Kind::kSend;
    std::string bytes;
};

inline ServerStep Send(std::string bytes) {
    return {ServerStep::Kind::kSend, std::move(bytes)};
}
inline ServerStep ReadLine() {
    return {ServerStep::Kind::kReadLine, {}};
}
inline ServerStep CloseConnection() {
    return {ServerStep::Kind::kClose, {}};
}

// Greeting, then the replies to USER, PASS, STAT with `count` messages and QUIT.
std::vector<ServerStep> WellBehavedScript(int count);

class ScriptedPopServer {
  public:
    explicit ScriptedPopServer(std::vector<std::vector<ServerStep>> scripts, bool gated = false);
    ~ScriptedPopServer();
    ScriptedPopServer(const ScriptedPopServer&) = delete;
    ScriptedPopServer& operator=(const ScriptedPopServer&) = delete;

    // 0 when the server could not listen.
    std::uint16_t Port() const { return port_; }
    std::vector<std::string> LinesReceived();
    // Lets the next held reply go.
    void Release();

  private:
    void Serve(const std::vector<std::vector<ServerStep>>& scripts);
    void Play(SOCKET client, const std::vector<ServerStep>& script);
    bool WaitReadable(SOCKET socket);
    bool AwaitRelease();

    UniqueSocket listener_;
    std::uint16_t port_ = 0;
    bool gated_;
    std::mutex mutex_;
    std::condition_variable released_;
    int releases_ = 0;
    bool stopping_ = false;
    std::vector<std::string> lines_;
    std::thread thread_;
};

// Starts Winsock once for the test program; the process end cleans it up.
void StartWinsockForTests();

}  // namespace torvin::test
