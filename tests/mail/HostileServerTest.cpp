// The mail check pass over the real socket against a scripted server on loopback: every hostile
// behaviour ends the step within its (short) deadline with the documented cell text.
#include <gtest/gtest.h>

#include <chrono>

#include "framework/BlockingSocket.h"
#include "mail/MailCheckPass.h"
#include "mail/SocketPopConnection.h"
#include "tests/mail/RecordingSink.h"
#include "tests/mail/ScriptedPopServer.h"

namespace torvin::test {
namespace {

using namespace std::chrono_literals;

constexpr auto kConnectTimeout = 2000ms;
constexpr auto kReplyTimeout = 500ms;

struct Outcome {
    bool completed = false;
    RecordingSink sink;
    std::chrono::milliseconds elapsed{};
};

class HostileServer : public testing::Test {
  protected:
    void SetUp() override { StartWinsockForTests(); }

    static void RunPass(std::uint16_t port, const std::vector<MailAccount>& accounts, Outcome& outcome) {
        BlockingSocket socket(kConnectTimeout, kReplyTimeout);
        SocketPopConnection connection(socket);
        const auto start = std::chrono::steady_clock::now();
        outcome.completed = RunMailCheckPass(accounts, connection, port, outcome.sink);
        outcome.elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    }

    static std::vector<MailAccount> Pets(int count) {
        return std::vector<MailAccount>(static_cast<std::size_t>(count), {"127.0.0.1", "taro", "secret", 0});
    }
};

TEST_F(HostileServer, CountsAWellBehavedMailboxAndSendsTheClassicCommands) {
    ScriptedPopServer server({WellBehavedScript(3), WellBehavedScript(0)});
    Outcome outcome;
    RunPass(server.Port(), {{"localhost", "taro", "secret", 0}, {"127.0.0.1", "jiro", "pw", 0}}, outcome);
    EXPECT_TRUE(outcome.completed);
    EXPECT_EQ(outcome.sink.cells[0], Count(3));
    EXPECT_EQ(outcome.sink.cells[1], Count(0));
    const std::vector<std::string> expected = {"USER taro\r", "PASS secret\r", "STAT\r", "QUIT\r",
                                               "USER jiro\r", "PASS pw\r",     "STAT\r", "QUIT\r"};
    EXPECT_EQ(server.LinesReceived(), expected);
}

TEST_F(HostileServer, ReadsRepliesSplitIntoSingleBytesOrSharingAPacket) {
    const std::vector<ServerStep> split = {
        SendByteByByte("+OK ready.\r\n"), ReadLine(), SendByteByByte("+OK\r\n"),      ReadLine(),
        SendByteByByte("+OK in\r\n"),     ReadLine(), SendByteByByte("+OK 17 9\r\n"), ReadLine(),
        SendByteByByte("+OK bye\r\n")};
    // Each packet holds the reply to the command the client is about to send as well.
    const std::vector<ServerStep> shared = {Send("+OK ready.\r\n+OK\r\n"),
                                            ReadLine(),
                                            ReadLine(),
                                            Send("+OK in\r\n+OK 5 100\r\n"),
                                            ReadLine(),
                                            ReadLine(),
                                            Send("+OK bye\r\n")};
    ScriptedPopServer server({split, shared});
    Outcome outcome;
    RunPass(server.Port(), Pets(2), outcome);
    EXPECT_TRUE(outcome.completed);
    EXPECT_EQ(outcome.sink.cells[0], Count(17));
    EXPECT_EQ(outcome.sink.cells[1], Count(5));
}

TEST_F(HostileServer, SilenceAtAnyStepEndsWithinTheReplyDeadline) {
    const std::vector<std::vector<ServerStep>> scripts = {
        {Silence()},
        {Send("+OK ready\r\n"), ReadLine(), Silence()},
        {Send("+OK ready\r\n"), ReadLine(), Send("+OK\r\n"), ReadLine(), Send("+OK in\r\n"), ReadLine(),
         Silence()},
        {Send("+OK ready\r\n"), ReadLine(), Send("+OK\r\n"), ReadLine(), Send("+OK in\r\n"), ReadLine(),
         Send("+OK 3 1"), Silence()},
    };
    for (std::size_t i = 0; i < scripts.size(); ++i) {
        SCOPED_TRACE(i);
        ScriptedPopServer server({scripts[i]});
        Outcome outcome;
        RunPass(server.Port(), Pets(2), outcome);
        EXPECT_FALSE(outcome.completed);
        EXPECT_EQ(outcome.sink.cells[0], Text(MailCellText::kConnectFailed));
        EXPECT_EQ(outcome.sink.cells.count(1), 0u);
        EXPECT_GE(outcome.elapsed, kReplyTimeout - 50ms);
        EXPECT_LT(outcome.elapsed, kReplyTimeout + 4s);
    }
}

TEST_F(HostileServer, AConnectionClosedAtAnyStepIsNeverAPositiveReply) {
    const std::vector<std::vector<ServerStep>> scripts = {
        {CloseConnection()},
        {Send("+OK ready\r\n"), ReadLine(), CloseConnection()},
        {Send("+OK ready\r\n"), ReadLine(), Send("+OK\r\n"), ReadLine(), CloseConnection()},
        {Send("+OK ready\r\n"), ReadLine(), Send("+OK\r\n"), ReadLine(), Send("+OK in\r\n"), ReadLine(),
         CloseConnection()},
        {Send("+OK ready\r\n"), ReadLine(), Send("+OK\r\n"), ReadLine(), Send("+OK in\r\n"), ReadLine(),
         Send("+OK 3 10\r\n"), ReadLine(), CloseConnection()},
    };
    for (std::size_t i = 0; i < scripts.size(); ++i) {
        SCOPED_TRACE(i);
        ScriptedPopServer server({scripts[i]});
        Outcome outcome;
        RunPass(server.Port(), Pets(2), outcome);
        EXPECT_FALSE(outcome.completed);
        EXPECT_EQ(outcome.sink.cells[0], Text(MailCellText::kConnectFailed));
        EXPECT_LT(outcome.elapsed, kReplyTimeout + 4s);
    }
}

TEST_F(HostileServer, NegativeRepliesAndEndlessLinesShowTheirStepsText) {
    const std::vector<std::pair<std::vector<ServerStep>, MailCell>> cases = {
        {{Send("-ERR not today\r\n")}, Text(MailCellText::kWrongServer)},
        {{Send("+OK ready\r\n"), ReadLine(), Send("-err no such user\r\n")},
         Text(MailCellText::kWrongUserId)},
        {{Send("+OK ready\r\n"), ReadLine(), Send("+OK\r\n"), ReadLine(), Send(std::string(5000, 'x'))},
         Text(MailCellText::kWrongPassword)},
    };
    for (const auto& [script, cell] : cases) {
        ScriptedPopServer server({script});
        Outcome outcome;
        RunPass(server.Port(), Pets(1), outcome);
        EXPECT_FALSE(outcome.completed);
        EXPECT_EQ(outcome.sink.cells[0], cell);
    }
}

TEST_F(HostileServer, ARefusedConnectionFailsAtOnce) {
    std::uint16_t port = 0;
    {
        ScriptedPopServer closed({});
        port = closed.Port();
    }
    Outcome outcome;
    RunPass(port, Pets(1), outcome);
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(outcome.sink.cells[0], Text(MailCellText::kConnectFailed));
    EXPECT_LT(outcome.elapsed, kConnectTimeout + 4s);
}

TEST_F(HostileServer, ACancelledSocketConnectsNowhereNotEvenByName) {
    ScriptedPopServer server({WellBehavedScript(1)});
    BlockingSocket socket(kConnectTimeout, kReplyTimeout);
    socket.Cancel();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(socket.Connect(L"localhost", server.Port()));
    EXPECT_FALSE(socket.Connect(L"127.0.0.1", server.Port()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

TEST_F(HostileServer, AnUnknownHostNameFailsWithinTheConnectDeadline) {
    BlockingSocket socket(kConnectTimeout, kReplyTimeout);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(socket.Connect(L"no-such-host.invalid", 110));
    EXPECT_LT(std::chrono::steady_clock::now() - start, kConnectTimeout + 1s);
}

}  // namespace
}  // namespace torvin::test
