#include "mail/PopServerAddress.h"

namespace torvin {

namespace {

constexpr std::string_view kTlsScheme = "pop3s://";
constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != prefix[i]) {
            return false;
        }
    }
    return true;
}

std::optional<std::uint16_t> ParsePort(std::string_view digits) {
    if (digits.empty() || digits.size() > 5) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value == 0 || value > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

// Bytes that can never be part of a host name: blanks, controls, and what would make the name a
// path or a user part. Bytes of 0x80 and above stay, as CP932 names may hold them.
bool IsHostByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte != 0x7F && c != '/' && c != '@' && c != '[' && c != ']';
}

std::optional<PopServerAddress> ParseHostAndPort(std::string_view text, bool tls) {
    PopServerAddress server;
    server.tls = tls;
    server.port = tls ? kPop3sPort : kPop3Port;
    std::string_view rest;
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        server.host = text.substr(1, close - 1);
        rest = text.substr(close + 1);
        if (server.host.find(':') == std::string::npos) {
            return std::nullopt;
        }
    } else {
        const auto colon = text.find(':');
        server.host = text.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view{} : text.substr(colon);
    }
    if (server.host.empty()) {
        return std::nullopt;
    }
    for (char c : server.host) {
        if (!IsHostByte(c) && !(c == ':' && text.front() == '[')) {
            return std::nullopt;
        }
    }
    if (!rest.empty()) {
        if (rest.front() != ':') {
            return std::nullopt;
        }
        const auto port = ParsePort(rest.substr(1));
        if (!port) {
            return std::nullopt;
        }
        server.port = *port;
    }
    return server;
}

}  // namespace

std::optional<PopServerAddress> ParsePopServer(std::string_view line) {
    return ParseServerField(line, false);
}

std::optional<PopServerAddress> ParseServerField(std::string_view field, bool tlsTicked) {
    const std::string_view text = Trim(field);
    if (StartsWithNoCase(text, kTlsScheme)) {
        return ParseHostAndPort(text.substr(kTlsScheme.size()), true);
    }
    if (text.find("://") != std::string_view::npos) {
        return std::nullopt;
    }
    return ParseHostAndPort(text, tlsTicked);
}

std::string FormatHostAndPort(const PopServerAddress& server) {
    const bool bracketed = server.host.find(':') != std::string::npos;
    std::string text;
    text.append(bracketed ? "[" : "").append(server.host).append(bracketed ? "]" : "");
    if (server.port != (server.tls ? kPop3sPort : kPop3Port)) {
        text.append(":").append(std::to_string(server.port));
    }
    return text;
}

std::string FormatPopServer(const PopServerAddress& server) {
    std::string line(server.tls ? kTlsScheme : std::string_view{});
    return line.append(FormatHostAndPort(server));
}

}  // namespace torvin
