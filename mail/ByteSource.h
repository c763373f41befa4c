#pragma once
// What the POP3 code needs from a connection, so that the exchange runs over a real socket in
// the program and over scripted bytes in the tests.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "mail/PopServerAddress.h"

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

enum class ConnectOutcome {
    kConnected,
    kConnectFailed,
    // The TLS handshake failed, or the server does not speak TLS.
    kTlsFailed,
    // The server's certificate is not trusted, out of date or names another server.
    kCertificateRejected,
};

class PopConnection : public ByteSource {
  public:
    // Opens a new connection, closing any previous one; bounded by the connect deadline, and a
    // TLS handshake by the reply deadline. Over TLS the certificate is verified before this
    // returns kConnected, so nothing of the account is sent to a server that is not trusted.
    virtual ConnectOutcome Connect(const PopServerAddress& server) = 0;
    // Hands every byte to the network or fails.
    virtual bool Send(std::string_view bytes) = 0;
    virtual void Close() = 0;
};

}  // namespace torvin
