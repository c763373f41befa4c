// Fuzz target: POP3 replies as a server might send them, cut into receives wherever the input
// says. Byte 0xFF ends one receive; an empty receive stands for a reply deadline that passed; the
// end of the input is the peer closing. The reader must hand back exactly the lines that arrived,
// none longer than a reply may be, and one pet's whole exchange must end in a count only after
// five positive replies.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mail/MailCheckPass.h"
#include "mail/PopReplyJudge.h"
#include "mail/PopReplyReader.h"

namespace {

using torvin::ReceiveResult;
using torvin::ReceiveStatus;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::deque<std::string> SplitIntoReceives(std::string_view bytes) {
    std::deque<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = bytes.find('\xff', start);
        pieces.emplace_back(bytes.substr(start, end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    if (pieces.back().empty()) {
        pieces.pop_back();
    }
    return pieces;
}

class PieceSource : public torvin::PopConnection {
  public:
    explicit PieceSource(std::deque<std::string> pieces) : pieces_(std::move(pieces)) {}

    void StartReply() override {}
    ReceiveResult Receive(std::span<char> into) override {
        if (pieces_.empty()) {
            return {ReceiveStatus::kClosed, 0};
        }
        std::string& front = pieces_.front();
        if (front.empty()) {
            pieces_.pop_front();
            return {ReceiveStatus::kTimeout, 0};
        }
        // A receive larger than the buffer leaves the rest for the next one, as a socket does.
        const std::size_t size = std::min(front.size(), into.size());
        std::copy_n(front.data(), size, into.data());
        front.erase(0, size);
        if (front.empty()) {
            pieces_.pop_front();
        }
        return {ReceiveStatus::kData, size};
    }
    torvin::ConnectOutcome Connect(const torvin::PopServerAddress&) override {
        return torvin::ConnectOutcome::kConnected;
    }
    bool Send(std::string_view bytes) override {
        sent.append(bytes);
        return true;
    }
    void Close() override {}

    std::string sent;

  private:
    std::deque<std::string> pieces_;
};

// The judge agrees with itself: a negative reply has no count, and no count is below zero.
void CheckJudge(std::string_view line) {
    const auto count = torvin::ParseStatCount(line);
    if (torvin::IsNegativeReply(line)) {
        Require(!count.has_value());
    }
    Require(!count.has_value() || *count >= 0);
}

// Every line handed back is the next stretch of the received bytes, ending at LF or CR LF.
void CheckReader(const std::deque<std::string>& pieces) {
    std::string stream;
    for (const std::string& piece : pieces) {
        stream += piece;
    }
    PieceSource source(pieces);
    torvin::PopReplyReader reader(source);
    std::size_t consumed = 0;
    for (;;) {
        const torvin::PopReply reply = reader.ReadReply();
        if (reply.status == torvin::ReplyStatus::kTimeout) {
            continue;
        }
        if (reply.status != torvin::ReplyStatus::kLine) {
            Require(reply.line.empty());
            if (reply.status == torvin::ReplyStatus::kTooLong) {
                // Only a line that could not have fitted is refused.
                const std::size_t end = stream.find('\n', consumed);
                Require(end == std::string::npos ? stream.size() - consumed >= torvin::kMaxReplyLineBytes
                                                 : end + 1 - consumed > torvin::kMaxReplyLineBytes);
            }
            return;
        }
        const std::string& line = reply.line;
        Require(line.size() < torvin::kMaxReplyLineBytes);
        Require(line.find('\n') == std::string::npos);
        Require(stream.compare(consumed, line.size(), line) == 0);
        consumed += line.size();
        if (stream.compare(consumed, 2, "\r\n") == 0) {
            consumed += 2;
        } else {
            Require(stream.compare(consumed, 1, "\n") == 0);
            consumed += 1;
        }
        CheckJudge(line);
    }
}

class LastCell : public torvin::MailCellSink {
  public:
    void Show(int, const torvin::MailCell& cell) override { last = cell; }
    torvin::MailCell last;
};

void CheckExchange(const std::deque<std::string>& pieces) {
    PieceSource connection(pieces);
    LastCell sink;
    const std::vector<torvin::MailAccount> accounts{{"127.0.0.1", "user", "secret", 0}};
    const bool counted = torvin::RunMailCheckPass(accounts, connection, sink);
    if (counted) {
        Require(sink.last.text == torvin::MailCellText::kMailCount && sink.last.count >= 0);
        Require(connection.sent == "USER user\r\nPASS secret\r\nSTAT\r\nQUIT\r\n");
    } else {
        Require(sink.last.text != torvin::MailCellText::kMailCount);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckJudge(bytes);
    const std::deque<std::string> pieces = SplitIntoReceives(bytes);
    CheckReader(pieces);
    CheckExchange(pieces);
    return 0;
}
