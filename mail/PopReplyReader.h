#pragma once
// Reads POP3 reply lines from a byte source, however the bytes arrive: a line may come in many
// receives, and one receive may hold the next reply too, which stays buffered for the next read.

#include <string>

#include "mail/ByteSource.h"

namespace torvin {

// A reply line with its CR LF may be this long at most; a longer one is not a POP3 reply.
inline constexpr std::size_t kMaxReplyLineBytes = 1000;

enum class ReplyStatus {
    kLine,
    kTooLong,
    // Nothing usable arrived: the peer closed before a whole line, the deadline passed, or the
    // connection failed. Never a positive reply.
    kClosed,
    kTimeout,
    kError,
};

struct PopReply {
    ReplyStatus status = ReplyStatus::kError;
    // The line without its CR LF (a bare LF ends a line too); set only for kLine.
    std::string line;
};

class PopReplyReader {
  public:
    explicit PopReplyReader(ByteSource& source) : source_(source) {}

    PopReply ReadReply();

  private:
    ByteSource& source_;
    std::string buffered_;
};

}  // namespace torvin
