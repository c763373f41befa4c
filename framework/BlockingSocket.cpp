#include "framework/BlockingSocket.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace torvin {

namespace {

using Clock = std::chrono::steady_clock;

struct AddrInfoDeleter {
    void operator()(ADDRINFOW* info) const { FreeAddrInfoW(info); }
};

bool WouldBlock() {
    return WSAGetLastError() == WSAEWOULDBLOCK;
}

DWORD MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    // WSA_INFINITE is the largest value; stay below it so a deadline always ends the wait.
    return static_cast<DWORD>(std::clamp<long long>(left, 0, std::numeric_limits<DWORD>::max() - 1));
}

}  // namespace

BlockingSocket::BlockingSocket(std::chrono::milliseconds connectTimeout,
                               std::chrono::milliseconds replyTimeout)
    : connectTimeout_(connectTimeout),
      replyTimeout_(replyTimeout),
      replyDeadline_(Clock::now() + replyTimeout),
      cancel_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      networkEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

void BlockingSocket::Cancel() {
    if (cancel_) {
        SetEvent(cancel_.Get());
    }
}

bool BlockingSocket::Cancelled() const {
    return !cancel_ || WaitForSingleObject(cancel_.Get(), 0) == WAIT_OBJECT_0;
}

void BlockingSocket::Close() {
    socket_.Reset();
}

BlockingSocket::Wait BlockingSocket::WaitForNetwork(Clock::time_point deadline) {
    const HANDLE events[] = {cancel_.Get(), networkEvent_.Get()};
    const DWORD woke = WSAWaitForMultipleEvents(2, events, FALSE, MillisecondsUntil(deadline), FALSE);
    if (woke == WSA_WAIT_EVENT_0) {
        return Wait::kCancelled;
    }
    if (woke == WSA_WAIT_TIMEOUT) {
        return Wait::kTimeout;
    }
    return woke == WSA_WAIT_EVENT_0 + 1 ? Wait::kSignalled : Wait::kError;
}

bool BlockingSocket::Connect(const std::wstring& host, std::uint16_t port) {
    Close();
    if (Cancelled() || !networkEvent_) {
        return false;
    }
    const auto deadline = Clock::now() + connectTimeout_;
    ADDRINFOW hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    ADDRINFOW* found = nullptr;
    if (GetAddrInfoW(host.c_str(), std::to_wstring(port).c_str(), &hints, &found) != 0 || found == nullptr) {
        return false;
    }
    const std::unique_ptr<ADDRINFOW, AddrInfoDeleter> addresses(found);

    UniqueSocket socket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    ResetEvent(networkEvent_.Get());
    // Makes the socket non-blocking: every wait below is on events, bounded and cancellable.
    if (!socket ||
        WSAEventSelect(socket.Get(), networkEvent_.Get(), FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) != 0) {
        return false;
    }
    if (::connect(socket.Get(), addresses->ai_addr, static_cast<int>(addresses->ai_addrlen)) != 0) {
        if (!WouldBlock()) {
            return false;
        }
        for (;;) {
            if (WaitForNetwork(deadline) != Wait::kSignalled) {
                return false;
            }
            WSANETWORKEVENTS events{};
            if (WSAEnumNetworkEvents(socket.Get(), networkEvent_.Get(), &events) != 0) {
                return false;
            }
            if ((events.lNetworkEvents & FD_CONNECT) != 0) {
                if (events.iErrorCode[FD_CONNECT_BIT] != 0) {
                    return false;
                }
                break;
            }
        }
    }
    socket_ = std::move(socket);
    return true;
}

void BlockingSocket::StartReply() {
    replyDeadline_ = Clock::now() + replyTimeout_;
}

bool BlockingSocket::Send(std::string_view bytes) {
    if (!socket_) {
        return false;
    }
    while (!bytes.empty()) {
        if (Cancelled()) {
            return false;
        }
        const int chunk = static_cast<int>(std::min<std::size_t>(bytes.size(), 64 * 1024));
        const int sent = ::send(socket_.Get(), bytes.data(), chunk, 0);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent == SOCKET_ERROR && !WouldBlock()) {
            return false;
        }
        // The buffer is full: FD_WRITE tells when there is room again.
        if (WaitForNetwork(Clock::now() + replyTimeout_) != Wait::kSignalled) {
            return false;
        }
        WSANETWORKEVENTS events{};
        WSAEnumNetworkEvents(socket_.Get(), networkEvent_.Get(), &events);
    }
    return true;
}

SocketReceiveResult BlockingSocket::Receive(std::span<char> into) {
    if (!socket_ || into.empty()) {
        return {SocketReceive::kError, 0};
    }
    const int capacity = static_cast<int>(std::min<std::size_t>(into.size(), 64 * 1024));
    for (;;) {
        if (Cancelled()) {
            return {SocketReceive::kCancelled, 0};
        }
        const int received = ::recv(socket_.Get(), into.data(), capacity, 0);
        if (received > 0) {
            return {SocketReceive::kData, static_cast<std::size_t>(received)};
        }
        if (received == 0) {
            return {SocketReceive::kClosed, 0};
        }
        if (!WouldBlock()) {
            return {SocketReceive::kError, 0};
        }
        switch (WaitForNetwork(replyDeadline_)) {
            case Wait::kSignalled:
                break;
            case Wait::kTimeout:
                return {SocketReceive::kTimeout, 0};
            case Wait::kCancelled:
                return {SocketReceive::kCancelled, 0};
            case Wait::kError:
                return {SocketReceive::kError, 0};
        }
        // Clears the event; the next recv tells what happened (data, close or error).
        WSANETWORKEVENTS events{};
        if (WSAEnumNetworkEvents(socket_.Get(), networkEvent_.Get(), &events) != 0) {
            return {SocketReceive::kError, 0};
        }
    }
}

bool CanCreateTcpSocket() {
    return static_cast<bool>(UniqueSocket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)));
}

}  // namespace torvin
