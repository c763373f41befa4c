#pragma once
// The POP server line of a pet's settings: a bare `name` or `name:port` for plain POP3,
// `pop3s://name` or `pop3s://name:port` for POP3 over implicit TLS; an IPv6 literal goes in
// brackets. The line layout of setting.ini stays, so an older copy of the program reading a
// pop3s line only fails to connect.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvin {

inline constexpr std::uint16_t kPop3Port = 110;
inline constexpr std::uint16_t kPop3sPort = 995;

struct PopServerAddress {
    std::string host;  // without brackets
    std::uint16_t port = kPop3Port;
    bool tls = false;

    friend bool operator==(const PopServerAddress&, const PopServerAddress&) = default;
};

// Blanks around the line are ignored. Nothing for an empty name, a port outside 1-65535, an
// unknown scheme, a blank or control character inside, or an unbracketed colon in the name.
std::optional<PopServerAddress> ParsePopServer(std::string_view line);

// The stored form; the default port of the scheme is left out.
std::string FormatPopServer(const PopServerAddress& server);

// What the settings dialog shows in its server field: `name[:port]` without the scheme, the port
// only when it is not the default of the scheme.
std::string FormatHostAndPort(const PopServerAddress& server);

// The dialog's field and check box back to an address: a field that begins with a scheme
// decides by itself, otherwise the check box chooses TLS and the default port.
std::optional<PopServerAddress> ParseServerField(std::string_view field, bool tlsTicked);

}  // namespace torvin
