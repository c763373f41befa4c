#pragma once
// The POP3 exchange's connection over the program's bounded, cancellable socket, in plain text
// or inside TLS as the server line asks. There is no fallback from TLS to plain text.

#include <optional>

#include "framework/BlockingSocket.h"
#include "framework/TlsChannel.h"
#include "mail/ByteSource.h"

namespace torvin {

class SocketPopConnection : public PopConnection {
  public:
    explicit SocketPopConnection(BlockingSocket& socket) : socket_(socket) {}

    // The host is a CP932 text as stored in the settings.
    ConnectOutcome Connect(const PopServerAddress& server) override;
    bool Send(std::string_view bytes) override { return tls_ ? tls_->Send(bytes) : socket_.Send(bytes); }
    void Close() override;
    void StartReply() override { socket_.StartReply(); }
    ReceiveResult Receive(std::span<char> into) override;

  private:
    BlockingSocket& socket_;
    // Outlives each connection's channel: the servers of a pass can resume their TLS sessions.
    TlsCredentials credentials_;
    std::optional<TlsChannel> tls_;
};

}  // namespace torvin
