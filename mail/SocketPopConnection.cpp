#include "mail/SocketPopConnection.h"

#include "framework/CodePage.h"

namespace torvin {

bool SocketPopConnection::Connect(const std::string& host, std::uint16_t port) {
    return socket_.Connect(WidenCp932(host), port);
}

ReceiveResult SocketPopConnection::Receive(std::span<char> into) {
    const SocketReceiveResult received = socket_.Receive(into);
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
