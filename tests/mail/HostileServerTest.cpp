// The mail check over the real socket and TLS channel against servers played on loopback: each
// hostile behaviour ends within its (short) deadline with its cell text, and a plain-text server
// on a TLS port is found out at once instead of being waited on.
#include <gtest/gtest.h>

#include <chrono>

#include "framework/BlockingSocket.h"
#include "mail/MailCheckPass.h"
#include "mail/SocketPopConnection.h"
#include "tests/mail/MailFakes.h"
#include "tests/support/ScriptedPopServer.h"

namespace torvin::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kConnectTimeout = 2000ms;
constexpr auto kReplyTimeout = 700ms;

TEST(HostileServer, EachEndsWithinItsDeadlineWithItsText) {
    struct Case {
        const char* scheme;
        std::vector<ServerStep> script;
        MailCellText text;
        bool waitsForTheDeadline;
    };
    const Case cases[] = {
        {"", {}, MailCellText::kConnectFailed, true},
        {"",
         {Send("+OK ready\r\n"), ReadLine(), Send("+OK\r\n"), ReadLine()},
         MailCellText::kConnectFailed,
         true},
        {"pop3s://", {}, MailCellText::kTlsFailed, true},  // accepts and never answers the handshake
        {"pop3s://", {Send("+OK Dovecot ready.\r\n")}, MailCellText::kTlsFailed, false},
        {"pop3s://", {Send("-ERR go away\r\n")}, MailCellText::kTlsFailed, false},
        {"pop3s://", {CloseConnection()}, MailCellText::kTlsFailed, false},
    };
    for (const Case& c : cases) {
        ScriptedPopServer server({c.script});
        SCOPED_TRACE(std::string(c.scheme) + std::to_string(c.script.size()));
        BlockingSocket socket(kConnectTimeout, kReplyTimeout);
        SocketPopConnection connection(socket);
        RecordingSink sink;
        const std::string line = std::string(c.scheme) + "localhost:" + std::to_string(server.Port());
        const auto start = Clock::now();
        EXPECT_FALSE(
            RunMailCheckPass({{line, "taro", "secret", 0}, {line, "jiro", "pw", 0}}, connection, sink));
        const auto elapsed = Clock::now() - start;
        EXPECT_EQ(sink.cells[0], Text(c.text));
        EXPECT_EQ(sink.cells.count(1), 0u);
        EXPECT_LT(elapsed, (c.waitsForTheDeadline ? kReplyTimeout + 3s : kReplyTimeout / 2));
        if (c.waitsForTheDeadline) {
            EXPECT_GE(elapsed, kReplyTimeout - 50ms);
        }
    }
}

TEST(HostileServer, ARefusedOrUnknownServerFailsWithinTheConnectDeadline) {
    std::uint16_t closedPort = 0;
    {
        ScriptedPopServer gone({});
        closedPort = gone.Port();
    }
    for (const std::wstring& host : {std::wstring(L"127.0.0.1"), std::wstring(L"no-such-host.invalid")}) {
        BlockingSocket socket(kConnectTimeout, kReplyTimeout);
        const auto start = Clock::now();
        EXPECT_FALSE(socket.Connect(host, closedPort));
        EXPECT_LT(Clock::now() - start, kConnectTimeout + 1s);
    }
}

TEST(HostileServer, ACancelledSocketConnectsNowhereNotEvenByName) {
    ScriptedPopServer server({WellBehavedScript(1)});
    BlockingSocket socket(kConnectTimeout, kReplyTimeout);
    socket.Cancel();
    const auto start = Clock::now();
    EXPECT_FALSE(socket.Connect(L"localhost", server.Port()));
    EXPECT_FALSE(socket.Connect(L"127.0.0.1", server.Port()));
    EXPECT_LT(Clock::now() - start, 1s);
}

}  // namespace
}  // namespace torvin::test
