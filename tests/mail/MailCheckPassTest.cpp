#include "mail/MailCheckPass.h"

#include <gtest/gtest.h>

#include "tests/mail/MailFakes.h"

namespace torvin::test {
namespace {

MailAccount Account(std::string server = "pop.example.jp") {
    return {std::move(server), "taro", "secret", 0};
}

struct PassRun {
    bool completed = false;
    RecordingSink sink;
    FakePopConnection connection;
    void Run(const std::vector<MailAccount>& accounts) {
        completed = RunMailCheckPass(accounts, connection, sink);
    }
};

TEST(MailCheckPass, CountsEachMailboxWithTheClassicExchangeAtItsServerLine) {
    PassRun run;
    run.connection.Add(Mailbox(3));
    run.connection.Add(Mailbox(1200));
    run.Run({Account(), Account("pop3s://pop.example.jp:1995")});
    EXPECT_TRUE(run.completed);
    // No blank before CR LF: Cyrus rejects "STAT \r\n".
    EXPECT_EQ(run.connection.sent,
              "USER taro\r\nPASS secret\r\nSTAT\r\nQUIT\r\nUSER taro\r\nPASS secret\r\nSTAT\r\nQUIT\r\n");
    EXPECT_EQ(run.connection.servers, (std::vector<PopServerAddress>{{"pop.example.jp", 110, false},
                                                                     {"pop.example.jp", 1995, true}}));
    EXPECT_EQ(run.connection.closes, 2);
    const std::vector<std::pair<int, MailCell>> first(run.sink.shown.begin(), run.sink.shown.begin() + 5);
    EXPECT_EQ(first, (std::vector<std::pair<int, MailCell>>{{0, Text(MailCellText::kStarting)},
                                                            {0, Text(MailCellText::kSendingUserId)},
                                                            {0, Text(MailCellText::kSendingPassword)},
                                                            {0, Text(MailCellText::kCounting)},
                                                            {0, Count(3)}}));
    EXPECT_EQ(run.sink.cells[1], Count(1200));
}

TEST(MailCheckPass, SkipsOnlySwitchedOffPetsAndReportsTheFirstMissingSetting) {
    std::vector<MailAccount> accounts(6, Account());
    accounts[0].mailCheckChoice = 1;
    accounts[1].userId.clear();
    accounts[1].popServer.clear();
    accounts[2].password.clear();
    accounts[3].popServer.clear();
    accounts[4].mailCheckChoice = -1;  // anything but 1 means "check"
    accounts[5].mailCheckChoice = 2;
    PassRun run;
    run.connection.Add(Mailbox(0));
    run.connection.Add(Mailbox(7));
    run.Run(accounts);
    EXPECT_TRUE(run.completed);
    const std::map<int, MailCell> expected = {{0, Text(MailCellText::kStarting)},
                                              {1, Text(MailCellText::kNoUserId)},
                                              {2, Text(MailCellText::kNoPassword)},
                                              {3, Text(MailCellText::kNoServer)},
                                              {4, Count(0)},
                                              {5, Count(7)}};
    EXPECT_EQ(run.sink.cells, expected);
}

// What each step leaves in the cell when it fails; the pass ends there and later pets keep
// what they showed before.
TEST(MailCheckPass, EachStepFailsWithItsOwnText) {
    const std::vector<std::string> ok = {"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 3 10\r\n"};
    auto upTo = [&](std::size_t n, std::string last = "") {
        std::vector<std::string> replies(ok.begin(), ok.begin() + static_cast<std::ptrdiff_t>(n));
        if (!last.empty()) {
            replies.push_back(last);
        }
        return replies;
    };
    const std::vector<std::pair<Session, MailCellText>> cases = {
        {{{}, ConnectOutcome::kConnectFailed}, MailCellText::kConnectFailed},
        {{{}, ConnectOutcome::kTlsFailed}, MailCellText::kTlsFailed},
        {{{}, ConnectOutcome::kCertificateRejected}, MailCellText::kCertificateRejected},
        {{upTo(0, "-ERR go away\r\n")}, MailCellText::kWrongServer},
        {{upTo(0, "+OK " + std::string(1200, 'x') + "\r\n")}, MailCellText::kWrongServer},
        {{upTo(1, "-err unknown\r\n")}, MailCellText::kWrongUserId},
        {{upTo(2, "-ERR [AUTH] Authentication failed.\r\n")}, MailCellText::kWrongPassword},
        {{upTo(3, "-ERR locked\r\n")}, MailCellText::kCounting},
        {{upTo(3, "+OK\r\n")}, MailCellText::kCounting},  // no count: never another pet's
        {{upTo(4, "-ERR\r\n")}, MailCellText::kCounting},
        {{upTo(3, "+OK 3")}, MailCellText::kConnectFailed},
    };
    for (std::size_t lost = 0; lost <= ok.size(); ++lost) {
        PassRun run;
        run.connection.Add({upTo(lost)});
        run.Run({Account()});
        EXPECT_EQ(run.sink.cells[0], Text(MailCellText::kConnectFailed)) << "closed after reply " << lost;
    }
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        PassRun run;
        run.connection.Add(Mailbox(5));
        run.connection.Add(cases[i].first);
        run.connection.Add(Mailbox(1));
        run.Run({Account(), Account(), Account()});
        EXPECT_FALSE(run.completed);
        EXPECT_EQ(run.sink.cells[0], Count(5));
        EXPECT_EQ(run.sink.cells[1], Text(cases[i].second));
        EXPECT_EQ(run.sink.cells.count(2), 0u);
        EXPECT_EQ(run.connection.servers.size(), 2u);
        EXPECT_EQ(run.connection.closes, 2);
    }
}

TEST(MailCheckPass, AMalformedServerLineFailsLikeAnUnknownServerWithoutConnecting) {
    PassRun run;
    run.Run({Account("pop example.jp"), Account()});
    EXPECT_FALSE(run.completed);
    EXPECT_EQ(run.sink.cells[0], Text(MailCellText::kConnectFailed));
    EXPECT_TRUE(run.connection.servers.empty());
}

TEST(MailCheckPass, RefusesAUserIdOrPasswordThatCannotBeOneCommandLine) {
    EXPECT_TRUE(IsSendableCommandValue(std::string(992, 'a')));
    for (const std::string& bad : {std::string(993, 'a'), std::string("taro\n"), std::string("ta\0ro", 5)}) {
        EXPECT_FALSE(IsSendableCommandValue(bad));
    }
    PassRun run;
    run.connection.Add(Mailbox(1));
    MailAccount injected = Account();
    injected.password = "secret\r\nDELE 1";
    run.Run({injected});
    EXPECT_EQ(run.sink.cells[0], Text(MailCellText::kWrongPassword));
    EXPECT_EQ(run.connection.sent, "USER taro\r\n");
}

}  // namespace
}  // namespace torvin::test
