#include "mail/MailCheckPass.h"

#include <gtest/gtest.h>

#include "tests/mail/MailFakes.h"

namespace torvin::test {
namespace {

MailAccount Account(std::string server = "pop.example.jp") {
    return {std::move(server), "taro", "secret", 0};
}

struct PassRun {
    PassRun(std::vector<Session> sessions, const std::vector<MailAccount>& accounts)
        : connection(std::move(sessions)), completed(RunMailCheckPass(accounts, connection, sink)) {}
    FakePopConnection connection;
    RecordingSink sink;
    bool completed;
};

TEST(MailCheckPass, CountsEachMailboxWithTheClassicExchangeAtItsServerLine) {
    PassRun run({Mailbox(3), Mailbox(1200)}, {Account(), Account("pop3s://pop.example.jp:1995")});
    EXPECT_TRUE(run.completed);
    // No blank before CR LF: Cyrus rejects "STAT \r\n".
    const std::string exchange = "USER taro\r\nPASS secret\r\nSTAT\r\nQUIT\r\n";
    EXPECT_EQ(run.connection.sent, exchange + exchange);
    EXPECT_EQ(run.connection.servers, (std::vector<PopServerAddress>{{"pop.example.jp", 110, false},
                                                                     {"pop.example.jp", 1995, true}}));
    EXPECT_EQ(run.connection.closes, 2);
    EXPECT_EQ(run.sink.cells, (std::map<int, MailCell>{{0, Count(3)}, {1, Count(1200)}}));
}

TEST(MailCheckPass, SkipsOnlySwitchedOffPetsAndReportsTheFirstMissingSetting) {
    std::vector<MailAccount> accounts(5, Account());
    accounts[0].mailCheckChoice = 1;
    accounts[1].userId.clear();
    accounts[1].popServer.clear();
    accounts[2].password.clear();
    accounts[3].popServer.clear();
    accounts[4].mailCheckChoice = -1;  // anything but 1 means "check"
    PassRun run({Mailbox(7)}, accounts);
    EXPECT_TRUE(run.completed);
    EXPECT_EQ(run.sink.cells, (std::map<int, MailCell>{{0, Text(MailCellText::kStarting)},
                                                       {1, Text(MailCellText::kNoUserId)},
                                                       {2, Text(MailCellText::kNoPassword)},
                                                       {3, Text(MailCellText::kNoServer)},
                                                       {4, Count(7)}}));
}

// What each step leaves in the cell when it fails (a malformed server line is never connected
// to); the pass ends there and later pets keep what they showed before.
TEST(MailCheckPass, EachStepFailsWithItsOwnText) {
    const std::vector<std::string> ok = {"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 3 10\r\n"};
    auto upTo = [&](std::size_t n, std::string last = "") {
        Session session{{ok.begin(), ok.begin() + static_cast<std::ptrdiff_t>(n)}};
        if (!last.empty()) {
            session.pieces.push_back(last);
        }
        return session;
    };
    using enum MailCellText;
    // clang-format off
    std::vector<std::tuple<std::string, Session, MailCellText>> cases = {
        {"", {{}, ConnectOutcome::kConnectFailed}, kConnectFailed}, {"", {{}, ConnectOutcome::kTlsFailed}, kTlsFailed},
        {"", {{}, ConnectOutcome::kCertificateRejected}, kCertificateRejected}, {"pop example.jp", Mailbox(1), kConnectFailed},
        {"", upTo(0, "-ERR go away\r\n"), kWrongServer}, {"", upTo(0, "+OK " + std::string(1200, 'x') + "\r\n"), kWrongServer},
        {"", upTo(1, "-err unknown\r\n"), kWrongUserId}, {"", upTo(2, "-ERR [AUTH] failed.\r\n"), kWrongPassword},
        {"", upTo(3, "-ERR locked\r\n"), kCounting}, {"", upTo(3, "+OK\r\n"), kCounting},  // no count: not another pet's
        {"", upTo(4, "-ERR\r\n"), kCounting}, {"", upTo(3, "+OK 3"), kConnectFailed}};
    // clang-format on
    for (std::size_t closedAfter = 0; closedAfter <= ok.size(); ++closedAfter) {
        cases.emplace_back("", upTo(closedAfter), kConnectFailed);
    }
    for (const auto& [server, session, text] : cases) {
        SCOPED_TRACE(testing::PrintToString(session.pieces));
        PassRun run({Mailbox(5), session, Mailbox(1)},
                    {Account(), Account(server.empty() ? "pop.example.jp" : server), Account()});
        EXPECT_FALSE(run.completed);
        EXPECT_EQ(run.sink.cells, (std::map<int, MailCell>{{0, Count(5)}, {1, Text(text)}}));
        EXPECT_EQ(run.connection.closes, 2);
    }
}

}  // namespace
}  // namespace torvin::test
