#pragma once
// A TCP client whose every call is bounded: connect by the connect deadline, each reply by the
// reply deadline, and any blocked call returns at once when another thread calls Cancel.
// Internally the socket is non-blocking and waits on its network event and the cancel event.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "framework/UniqueHandle.h"

namespace torvin {

enum class SocketReceive { kData, kClosed, kTimeout, kCancelled, kError };

struct SocketReceiveResult {
    SocketReceive status = SocketReceive::kError;
    std::size_t size = 0;
};

class BlockingSocket {
  public:
    BlockingSocket(std::chrono::milliseconds connectTimeout, std::chrono::milliseconds replyTimeout);
    BlockingSocket(const BlockingSocket&) = delete;
    BlockingSocket& operator=(const BlockingSocket&) = delete;

    // Host is an IPv4 or IPv6 literal (no brackets) or a host name, whose first IPv4 address is
    // preferred. Closes any earlier connection first.
    bool Connect(const std::wstring& host, std::uint16_t port);
    // Starts the reply deadline that the following Send and Receive calls share.
    void StartReply();
    bool Send(std::string_view bytes);
    SocketReceiveResult Receive(std::span<char> into);
    void Close();

    // Safe from any thread; every call from then on fails at once.
    void Cancel();
    bool Cancelled() const;

  private:
    enum class Wait { kSignalled, kTimeout, kCancelled, kError };
    Wait WaitForNetwork(std::chrono::steady_clock::time_point deadline);

    // The address found for the last host name, reused while the same host is checked again
    // (a pass often reaches one server for many pets).
    struct KnownAddress {
        std::wstring host;
        std::uint16_t port = 0;
        sockaddr_storage storage{};
        int size = 0;
    };

    std::chrono::milliseconds connectTimeout_;
    std::chrono::milliseconds replyTimeout_;
    std::chrono::steady_clock::time_point replyDeadline_;
    // Read on every call; a flag spares the sockets' each kernel round trip to the cancel event,
    // which remains to wake the waits.
    std::atomic<bool> cancelled_{false};
    KnownAddress known_;
    UniqueKernelHandle cancel_;
    UniqueKernelHandle networkEvent_;
    UniqueSocket socket_;
};

// True once no host-name lookup runs any more, false when some still runs after the limit. A
// lookup that a cancel or a deadline left behind keeps running inside the sockets library, so
// WSACleanup must wait for this.
bool WaitForNameLookups(std::chrono::milliseconds limit);

// True when the system can make a TCP socket now; the socket is closed again at once.
bool CanCreateTcpSocket();

}  // namespace torvin
