#include "framework/BlockingSocket.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace torvin {

namespace {

using Clock = std::chrono::steady_clock;

bool WouldBlock() {
    return WSAGetLastError() == WSAEWOULDBLOCK;
}

DWORD MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    // WSA_INFINITE is the largest value; stay below it so a deadline always ends the wait.
    return static_cast<DWORD>(std::clamp<long long>(left, 0, std::numeric_limits<DWORD>::max() - 1));
}

// The lookup threads still running, so that the sockets library is not cleaned up under one.
// Each thread holds the tally too, so it outlives the program's statics.
struct LookupTally {
    std::mutex lock;
    std::condition_variable allEnded;
    int running = 0;
};

std::shared_ptr<LookupTally> Tally() {
    static const auto tally = std::make_shared<LookupTally>();
    return tally;
}

// A name lookup cannot be interrupted, so it runs on a thread of its own. The caller waits for
// it only until the connect deadline or a cancel; a lookup left behind finishes by itself and
// the last of the two owners frees the state.
struct Lookup {
    UniqueKernelHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::wstring host;
    std::wstring service;
    ADDRINFOW* found = nullptr;
    int status = -1;

    ~Lookup() {
        if (found != nullptr) {
            FreeAddrInfoW(found);
        }
    }
};

struct Address {
    sockaddr_storage storage{};
    int size = 0;
    int family() const { return storage.ss_family; }
};

// An address literal needs no lookup, and so no thread.
std::optional<Address> ParseLiteral(const std::wstring& host, std::uint16_t port) {
    Address address;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&address.storage);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&address.storage);
    if (InetPtonW(AF_INET, host.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(port);
        address.size = sizeof(sockaddr_in);
        return address;
    }
    if (InetPtonW(AF_INET6, host.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(port);
        address.size = sizeof(sockaddr_in6);
        return address;
    }
    return std::nullopt;
}

// The first IPv4 address, else the first IPv6 one: servers that listen on IPv4 only are still
// the common case, and "localhost" may resolve to ::1 first.
std::optional<Address> Resolve(const std::wstring& host, std::uint16_t port, HANDLE cancel,
                               Clock::time_point deadline) {
    if (auto literal = ParseLiteral(host, port)) {
        return literal;
    }
    auto lookup = std::make_shared<Lookup>();
    if (!lookup->done) {
        return std::nullopt;
    }
    lookup->host = host;
    lookup->service = std::to_wstring(port);
    auto tally = Tally();
    {
        const std::lock_guard hold(tally->lock);
        ++tally->running;
    }
    try {
        std::thread([ownLookup = lookup, tally]() mutable {
            ADDRINFOW hints{};
            hints.ai_family = AF_UNSPEC;
            hints.ai_socktype = SOCK_STREAM;
            hints.ai_protocol = IPPROTO_TCP;
            ownLookup->status =
                GetAddrInfoW(ownLookup->host.c_str(), ownLookup->service.c_str(), &hints, &ownLookup->found);
            SetEvent(ownLookup->done.Get());
            // Freeing the addresses is a call into the sockets library too, so it comes first.
            ownLookup.reset();
            const std::lock_guard hold(tally->lock);
            --tally->running;
            tally->allEnded.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        const std::lock_guard hold(tally->lock);
        --tally->running;
        return std::nullopt;
    }
    const HANDLE events[] = {cancel, lookup->done.Get()};
    if (WaitForMultipleObjects(2, events, FALSE, MillisecondsUntil(deadline)) != WAIT_OBJECT_0 + 1) {
        return std::nullopt;
    }
    if (lookup->status != 0) {
        return std::nullopt;
    }
    const ADDRINFOW* chosen = nullptr;
    for (const ADDRINFOW* found = lookup->found; found != nullptr; found = found->ai_next) {
        if ((found->ai_family == AF_INET || found->ai_family == AF_INET6) &&
            found->ai_addrlen <= sizeof(sockaddr_storage) &&
            (chosen == nullptr || (chosen->ai_family == AF_INET6 && found->ai_family == AF_INET))) {
            chosen = found;
        }
    }
    if (chosen == nullptr) {
        return std::nullopt;
    }
    Address address;
    std::memcpy(&address.storage, chosen->ai_addr, chosen->ai_addrlen);
    address.size = static_cast<int>(chosen->ai_addrlen);
    return address;
}

}  // namespace

BlockingSocket::BlockingSocket(std::chrono::milliseconds connectTimeout,
                               std::chrono::milliseconds replyTimeout)
    : connectTimeout_(connectTimeout),
      replyTimeout_(replyTimeout),
      replyDeadline_(Clock::now() + replyTimeout),
      cancel_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      // Auto-reset: a wait that wakes clears it, so a reply costs no separate call to clear it.
      networkEvent_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

void BlockingSocket::Cancel() {
    cancelled_ = true;
    if (cancel_) {
        SetEvent(cancel_.Get());
    }
}

bool BlockingSocket::Cancelled() const {
    return cancelled_ || !cancel_;
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
    std::optional<Address> address;
    if (known_.size > 0 && known_.host == host && known_.port == port) {
        address.emplace();
        address->storage = known_.storage;
        address->size = known_.size;
    } else {
        address = Resolve(host, port, cancel_.Get(), deadline);
        if (!address) {
            return false;
        }
        known_ = {host, port, address->storage, address->size};
    }

    UniqueSocket socket(::socket(address->family(), SOCK_STREAM, IPPROTO_TCP));
    ResetEvent(networkEvent_.Get());
    // Makes the socket non-blocking: every wait below is on events, bounded and cancellable.
    if (!socket ||
        WSAEventSelect(socket.Get(), networkEvent_.Get(), FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) != 0) {
        return false;
    }
    if (::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address->storage), address->size) != 0) {
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
        // The next recv tells what happened: data, close or error.
    }
}

bool WaitForNameLookups(std::chrono::milliseconds limit) {
    const auto tally = Tally();
    std::unique_lock hold(tally->lock);
    return tally->allEnded.wait_for(hold, limit, [&] { return tally->running == 0; });
}

bool CanCreateTcpSocket() {
    return static_cast<bool>(UniqueSocket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)));
}

}  // namespace torvin
