// Fuzz target: POP3 replies as a server might send them, cut into receives wherever the input
// says. Byte 0xFF ends one receive; an empty receive stands for a reply deadline that passed; the
// end of the input is the peer closing. The reader must hand back exactly the lines that arrived,
// none longer than a reply may be.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckReader(SplitIntoReceives(bytes));
    return 0;
}
