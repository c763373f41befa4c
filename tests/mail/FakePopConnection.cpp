#include "tests/mail/FakePopConnection.h"

#include <algorithm>

namespace torvin::test {

namespace {

ReceiveResult Deliver(std::deque<ScriptedPiece>& pieces, std::span<char> into) {
    if (pieces.empty()) {
        return {ReceiveStatus::kClosed, 0};
    }
    ScriptedPiece& piece = pieces.front();
    if (piece.status != ReceiveStatus::kData) {
        const ReceiveStatus status = piece.status;
        pieces.pop_front();
        return {status, 0};
    }
    // A piece larger than the buffer is handed out over several receives, as TCP would.
    const std::size_t size = std::min(piece.bytes.size(), into.size());
    std::copy_n(piece.bytes.begin(), size, into.begin());
    piece.bytes.erase(0, size);
    if (piece.bytes.empty()) {
        pieces.pop_front();
    }
    return {ReceiveStatus::kData, size};
}

}  // namespace

ScriptedSession Session(std::vector<std::string> pieces) {
    ScriptedSession session;
    for (auto& bytes : pieces) {
        session.pieces.push_back({ReceiveStatus::kData, std::move(bytes)});
    }
    return session;
}

ScriptedSession Mailbox(int count) {
    return Session({"+OK ready.\r\n", "+OK\r\n", "+OK Logged in.\r\n",
                    "+OK " + std::to_string(count) + " 4321\r\n", "+OK Logging out.\r\n"});
}

bool FakePopConnection::Connect(const std::string& host, std::uint16_t port) {
    hosts.push_back(host);
    ports.push_back(port);
    if (sessions_.empty()) {
        current_ = {false, {}};
    } else {
        current_ = std::move(sessions_.front());
        sessions_.pop_front();
    }
    return current_.connects;
}

bool FakePopConnection::Send(std::string_view bytes) {
    sent.append(bytes);
    return true;
}

ReceiveResult FakePopConnection::Receive(std::span<char> into) {
    return Deliver(current_.pieces, into);
}

ReceiveResult FakeByteSource::Receive(std::span<char> into) {
    ++receives;
    return Deliver(pieces_, into);
}

}  // namespace torvin::test
