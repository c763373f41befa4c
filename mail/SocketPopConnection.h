#pragma once
// The POP3 exchange's connection over the program's bounded, cancellable socket.

#include "framework/BlockingSocket.h"
#include "mail/ByteSource.h"

namespace torvin {

class SocketPopConnection : public PopConnection {
  public:
    explicit SocketPopConnection(BlockingSocket& socket) : socket_(socket) {}

    // The host is a CP932 text as stored in the settings.
    bool Connect(const std::string& host, std::uint16_t port) override;
    bool Send(std::string_view bytes) override { return socket_.Send(bytes); }
    void Close() override { socket_.Close(); }
    void StartReply() override { socket_.StartReply(); }
    ReceiveResult Receive(std::span<char> into) override;

  private:
    BlockingSocket& socket_;
};

}  // namespace torvin
