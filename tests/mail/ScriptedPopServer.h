#pragma once
// A hostile POP3 server for the tests: it listens on 127.0.0.1 and plays a script on each
// connection it accepts, on its own thread, recording the lines the client sent.

#include <winsock2.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/UniqueHandle.h"

namespace torvin::test {

struct ServerStep {
    enum class Kind { kSend, kSendByteByByte, kReadLine, kSilence, kClose };
    Kind kind = Kind::kSend;
    std::string bytes;
};

ServerStep Send(std::string bytes);
ServerStep SendByteByByte(std::string bytes);
ServerStep ReadLine();
// Says nothing until the client goes away (or ten seconds pass).
ServerStep Silence();
ServerStep CloseConnection();

// Greeting, USER, PASS, STAT with `count` messages, QUIT, each reply after its command.
std::vector<ServerStep> WellBehavedScript(int count);

class ScriptedPopServer {
  public:
    // One script per connection, in the order the connections come.
    explicit ScriptedPopServer(std::vector<std::vector<ServerStep>> scripts);
    ~ScriptedPopServer();
    ScriptedPopServer(const ScriptedPopServer&) = delete;
    ScriptedPopServer& operator=(const ScriptedPopServer&) = delete;

    std::uint16_t Port() const { return port_; }
    std::vector<std::string> LinesReceived();

  private:
    void Serve(std::vector<std::vector<ServerStep>> scripts);
    void Play(SOCKET client, const std::vector<ServerStep>& script);

    UniqueSocket listener_;
    std::uint16_t port_ = 0;
    std::mutex mutex_;
    std::vector<std::string> lines_;
    std::thread thread_;
};

// Starts Winsock once for the test program; the process end cleans it up.
void StartWinsockForTests();

}  // namespace torvin::test
