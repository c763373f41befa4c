#pragma once
// A scripted connection: each Connect starts the next session, whose receives deliver the
// scripted pieces in order and then report the peer closed. Everything sent is recorded.

#include <deque>
#include <string>
#include <vector>

#include "mail/ByteSource.h"

namespace torvin::test {

struct ScriptedPiece {
    ReceiveStatus status = ReceiveStatus::kData;
    std::string bytes;
};

struct ScriptedSession {
    bool connects = true;
    std::deque<ScriptedPiece> pieces;
};

// A session whose pieces are the given byte strings, one receive each.
ScriptedSession Session(std::vector<std::string> pieces);
// A well-behaved server whose mailbox holds `count` messages.
ScriptedSession Mailbox(int count);

class FakePopConnection : public PopConnection {
  public:
    void AddSession(ScriptedSession session) { sessions_.push_back(std::move(session)); }

    bool Connect(const std::string& host, std::uint16_t port) override;
    bool Send(std::string_view bytes) override;
    void Close() override { ++closes; }
    void StartReply() override {}
    ReceiveResult Receive(std::span<char> into) override;

    std::vector<std::string> hosts;
    std::vector<std::uint16_t> ports;
    std::string sent;
    int closes = 0;

  private:
    std::deque<ScriptedSession> sessions_;
    ScriptedSession current_;
};

// A source over pieces alone, for the reader.
class FakeByteSource : public ByteSource {
  public:
    explicit FakeByteSource(std::vector<ScriptedPiece> pieces) : pieces_(pieces.begin(), pieces.end()) {}
    void StartReply() override {}
    ReceiveResult Receive(std::span<char> into) override;
    int receives = 0;

  private:
    std::deque<ScriptedPiece> pieces_;
};

}  // namespace torvin::test
