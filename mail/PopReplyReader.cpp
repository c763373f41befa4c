#include "mail/PopReplyReader.h"

#include <array>

namespace torvin {

PopReply PopReplyReader::ReadReply() {
    source_.StartReply();
    std::array<char, kMaxReplyLineBytes> chunk{};
    for (;;) {
        const auto end = buffered_.find('\n');
        if (end != std::string::npos) {
            if (end + 1 > kMaxReplyLineBytes) {
                return {ReplyStatus::kTooLong, {}};
            }
            std::string line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            return {ReplyStatus::kLine, std::move(line)};
        }
        // Even a line feed arriving next would make this line longer than allowed.
        if (buffered_.size() >= kMaxReplyLineBytes) {
            return {ReplyStatus::kTooLong, {}};
        }
        const ReceiveResult received = source_.Receive(chunk);
        switch (received.status) {
            case ReceiveStatus::kData:
                buffered_.append(chunk.data(), received.size);
                break;
            case ReceiveStatus::kClosed:
                return {ReplyStatus::kClosed, {}};
            case ReceiveStatus::kTimeout:
                return {ReplyStatus::kTimeout, {}};
            case ReceiveStatus::kError:
                return {ReplyStatus::kError, {}};
        }
    }
}

}  // namespace torvin
