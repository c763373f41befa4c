#pragma once
// Test doubles of the pure mail code: a cell sink that records, and connections that deliver
// scripted pieces (one receive each, then "peer closed") and record what was sent.

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "mail/ByteSource.h"
#include "mail/MailCell.h"

namespace torvin::test {

class RecordingSink : public MailCellSink {
  public:
    void Show(int pet, const MailCell& cell) override {
        shown.emplace_back(pet, cell);
        cells[pet] = cell;
    }
    std::vector<std::pair<int, MailCell>> shown;
    std::map<int, MailCell> cells;
};

inline MailCell Text(MailCellText text) {
    return {text, 0};
}
inline MailCell Count(std::int32_t count) {
    return {MailCellText::kMailCount, count};
}

// A piece with no bytes stands for a reply deadline that passed.
class FakeByteSource : public ByteSource {
  public:
    explicit FakeByteSource(std::vector<std::string> pieces = {}) : pieces_(pieces.begin(), pieces.end()) {}
    void StartReply() override {}
    ReceiveResult Receive(std::span<char> into) override {
        ++receives;
        if (pieces_.empty()) {
            return {ReceiveStatus::kClosed, 0};
        }
        std::string& piece = pieces_.front();
        if (piece.empty()) {
            pieces_.pop_front();
            return {ReceiveStatus::kTimeout, 0};
        }
        const std::size_t size = std::min(piece.size(), into.size());
        piece.copy(into.data(), size);
        piece.erase(0, size);
        if (piece.empty()) {
            pieces_.pop_front();
        }
        return {ReceiveStatus::kData, size};
    }
    void Load(std::vector<std::string> pieces) { pieces_.assign(pieces.begin(), pieces.end()); }
    int receives = 0;

  private:
    std::deque<std::string> pieces_;
};

struct Session {
    std::vector<std::string> replies;
    ConnectOutcome outcome = ConnectOutcome::kConnected;
};

inline Session Mailbox(int count) {
    return {{"+OK ready\r\n", "+OK\r\n", "+OK in\r\n", "+OK " + std::to_string(count) + " 99\r\n",
             "+OK bye\r\n"}};
}

// Each Connect starts the next session.
class FakePopConnection : public PopConnection {
  public:
    void Add(Session session) { sessions_.push_back(std::move(session)); }
    ConnectOutcome Connect(const PopServerAddress& server) override {
        servers.push_back(server);
        Session next = sessions_.empty() ? Session{{}, ConnectOutcome::kConnectFailed} : sessions_.front();
        if (!sessions_.empty()) {
            sessions_.pop_front();
        }
        source_.Load(next.replies);
        return next.outcome;
    }
    bool Send(std::string_view bytes) override {
        sent.append(bytes);
        return true;
    }
    void Close() override { ++closes; }
    void StartReply() override {}
    ReceiveResult Receive(std::span<char> into) override { return source_.Receive(into); }

    std::vector<PopServerAddress> servers;
    std::string sent;
    int closes = 0;

  private:
    std::deque<Session> sessions_;
    FakeByteSource source_;
};

}  // namespace torvin::test
