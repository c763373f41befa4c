#include "mail/SocketPopConnection.h"

#include "framework/CodePage.h"

namespace torvin {

ConnectOutcome SocketPopConnection::Connect(const PopServerAddress& server) {
    Close();
    const std::wstring host = WidenCp932(server.host);
    if (!socket_.Connect(host, server.port)) {
        return ConnectOutcome::kConnectFailed;
    }
    if (!server.tls) {
        return ConnectOutcome::kConnected;
    }
    tls_.emplace(socket_, credentials_);
    switch (tls_->Open(host)) {
        case TlsOpen::kOpen:
            return ConnectOutcome::kConnected;
        case TlsOpen::kCertificateRejected:
            return ConnectOutcome::kCertificateRejected;
        case TlsOpen::kHandshakeFailed:
            break;
    }
    return ConnectOutcome::kTlsFailed;
}

void SocketPopConnection::Close() {
    tls_.reset();
    socket_.Close();
}

ReceiveResult SocketPopConnection::Receive(std::span<char> into) {
    const SocketReceiveResult received = tls_ ? tls_->Receive(into) : socket_.Receive(into);
    switch (received.status) {
        case SocketReceive::kData:
            return {ReceiveStatus::kData, received.size};
        case SocketReceive::kClosed:
            return {ReceiveStatus::kClosed, 0};
        case SocketReceive::kTimeout:
            return {ReceiveStatus::kTimeout, 0};
        case SocketReceive::kCancelled:
        case SocketReceive::kError:
            break;
    }
    return {ReceiveStatus::kError, 0};
}

}  // namespace torvin
