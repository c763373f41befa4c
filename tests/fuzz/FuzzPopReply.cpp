// Fuzz target: POP3 replies as a server might send them, cut into receives wherever the input
// says. Byte 0xFF ends one receive; an empty receive stands for a reply deadline that passed; the
// end of the input is the peer closing. The reader must hand back exactly the lines that arrived,
// none longer than a reply may be, and one pet's whole exchange must end in a count only after
// five positive replies.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "mail/MailCheckPass.h"
#include "mail/PopReplyJudge.h"
#include "mail/PopReplyReader.h"
#include "tests/mail/MailFakes.h"

namespace {

using torvin::test::FakePopConnection;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::vector<std::string> SplitIntoReceives(std::string_view bytes) {
    std::vector<std::string> pieces;
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

// The judge agrees with itself: a negative reply has no count, and no count is below zero.
void CheckJudge(std::string_view line) {
    const auto count = torvin::ParseStatCount(line);
    if (torvin::IsNegativeReply(line)) {
        Require(!count.has_value());
    }
    Require(!count.has_value() || *count >= 0);
}

// Every line handed back is the next stretch of the received bytes, ending at LF or CR LF.
void CheckReader(const std::vector<std::string>& pieces) {
    std::string stream;
    for (const std::string& piece : pieces) {
        stream += piece;
    }
    FakePopConnection source({{pieces}});
    source.Connect({});
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

void CheckExchange(const std::vector<std::string>& pieces) {
    FakePopConnection connection({{pieces}});
    torvin::test::RecordingSink sink;
    const std::vector<torvin::MailAccount> accounts{{"127.0.0.1", "user", "secret", 0}};
    const bool counted = torvin::RunMailCheckPass(accounts, connection, sink);
    const torvin::MailCell last = sink.cells[0];
    if (counted) {
        Require(last.text == torvin::MailCellText::kMailCount && last.count >= 0);
        Require(connection.sent == "USER user\r\nPASS secret\r\nSTAT\r\nQUIT\r\n");
    } else {
        Require(last.text != torvin::MailCellText::kMailCount);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckJudge(bytes);
    const std::vector<std::string> pieces = SplitIntoReceives(bytes);
    CheckReader(pieces);
    CheckExchange(pieces);
    return 0;
}
