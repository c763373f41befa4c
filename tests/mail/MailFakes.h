#pragma once
// Test doubles of the pure mail code: a cell sink that records, and a connection whose sessions
// deliver scripted pieces (one receive each; an empty piece is a reply deadline that passed;
// then "peer closed") and record what was sent.

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "mail/ByteSource.h"
#include "mail/MailCell.h"

namespace torvin::test {

struct RecordingSink : MailCellSink {
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
    explicit FakePopConnection(std::vector<Session> sessions = {})
        : sessions_(sessions.begin(), sessions.end()) {}
    ConnectOutcome Connect(const PopServerAddress& server) override {
        servers.push_back(server);
        const Session next =
            sessions_.empty() ? Session{{}, ConnectOutcome::kConnectFailed} : sessions_.front();
        if (!sessions_.empty()) {
            sessions_.pop_front();
        }
        pieces_.assign(next.pieces.begin(), next.pieces.end());
        return next.outcome;
    }
    bool Send(std::string_view bytes) override {
        sent.append(bytes);
        return true;
    }
    void Close() override { ++closes; }
    void StartReply() override {}
    ReceiveResult Receive(std::span<char> into) override {
        ++receives;
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
    int receives = 0;

  private:
    std::deque<Session> sessions_;
    std::deque<std::string> pieces_;
};

}  // namespace torvin::test
