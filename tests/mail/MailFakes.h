#pragma once
// Test doubles of the pure mail code: a cell sink that records, and a connection whose sessions
// deliver scripted pieces (one receive each; an empty piece is a reply deadline that passed;
// then "peer closed") and that records where it connected and what was sent.

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "mail/ByteSource.h"
#include "mail/MailCell.h"

namespace torvin::test {

// What each pet's cell reads at the end.
struct RecordingSink : MailCellSink {
    void Show(int pet, const MailCell& cell) override { cells[pet] = cell; }
    std::map<int, MailCell> cells;
};

inline MailCell Text(MailCellText text) {
    return {text, 0};
}
inline MailCell Count(std::int32_t count) {
    return {MailCellText::kMailCount, count};
}

struct Session {
    std::vector<std::string> pieces;
    ConnectOutcome outcome = ConnectOutcome::kConnected;
};

inline Session Mailbox(int count) {
    return {{"+OK ready\r\n", "+OK\r\n", "+OK in\r\n", "+OK " + std::to_string(count) + " 99\r\n",
             "+OK bye\r\n"}};
}

// Each Connect starts the next session; without one, the connect fails.
struct FakePopConnection : PopConnection {
    explicit FakePopConnection(std::vector<Session> sessions) : sessions_(std::move(sessions)) {}
    ConnectOutcome Connect(const PopServerAddress& server) override {
        servers.push_back(server);
        const std::size_t next = servers.size() - 1;
        if (next >= sessions_.size()) {
            return ConnectOutcome::kConnectFailed;
        }
        pieces_.assign(sessions_[next].pieces.begin(), sessions_[next].pieces.end());
        return sessions_[next].outcome;
    }
    bool Send(std::string_view bytes) override {
        sent.append(bytes);
        return true;
    }
    void Close() override { ++closes; }
    void StartReply() override {}
    ReceiveResult Receive(std::span<char> into) override {
        if (pieces_.empty()) {
            return {ReceiveStatus::kClosed, 0};
        }
        std::string& piece = pieces_.front();
        const std::size_t size = std::min(piece.size(), into.size());
        piece.copy(into.data(), size);
        piece.erase(0, size);
        if (piece.empty()) {
            pieces_.pop_front();
        }
        return {size == 0 ? ReceiveStatus::kTimeout : ReceiveStatus::kData, size};
    }

    std::vector<PopServerAddress> servers;
    std::string sent;
    int closes = 0;

  private:
    std::vector<Session> sessions_;
    std::deque<std::string> pieces_;
};

}  // namespace torvin::test
