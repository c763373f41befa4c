#pragma once
// What the POP3 code needs from a connection, so that the exchange runs over a real socket in
// the program and over scripted bytes in the tests.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace torvin {

enum class ReceiveStatus { kData, kClosed, kTimeout, kError };

struct ReceiveResult {
    ReceiveStatus status = ReceiveStatus::kError;
    // Bytes stored at the start of the buffer; more than zero exactly when status is kData.
    std::size_t size = 0;
};

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Starts the deadline of one reply; the receives until the next call share it.
    virtual void StartReply() = 0;
    // Waits until some bytes arrive, the peer closes, the reply deadline passes or an error occurs.
    virtual ReceiveResult Receive(std::span<char> into) = 0;
};

class PopConnection : public ByteSource {
  public:
    // Opens a new connection, closing any previous one; bounded by the connect deadline.
    virtual bool Connect(const std::string& host, std::uint16_t port) = 0;
    // Hands every byte to the network or fails.
    virtual bool Send(std::string_view bytes) = 0;
    virtual void Close() = 0;
};

}  // namespace torvin
