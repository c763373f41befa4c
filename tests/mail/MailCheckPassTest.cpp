#include "mail/MailCheckPass.h"

#include <gtest/gtest.h>

#include "tests/mail/FakePopConnection.h"
#include "tests/mail/RecordingSink.h"

namespace torvin::test {
namespace {

MailAccount Account(std::string server = "pop.example.jp") {
    return {std::move(server), "taro", "secret", 0};
}

struct PassRun {
    bool completed = false;
    RecordingSink sink;
    FakePopConnection connection;
};

void RunPass(PassRun& run, const std::vector<MailAccount>& accounts) {
    run.completed = RunMailCheckPass(accounts, run.connection, 110, run.sink);
}

TEST(MailCheckPass, CountsOneMailboxWithTheClassicExchange) {
    PassRun run;
    run.connection.AddSession(Mailbox(3));
    RunPass(run, {Account()});
    EXPECT_TRUE(run.completed);
    EXPECT_EQ(run.connection.sent, "USER taro\r\nPASS secret\r\nSTAT\r\nQUIT\r\n");
    EXPECT_EQ(run.connection.hosts, std::vector<std::string>{"pop.example.jp"});
    EXPECT_EQ(run.connection.ports, std::vector<std::uint16_t>{110});
    EXPECT_EQ(run.connection.closes, 1);
    const std::vector<std::pair<int, MailCell>> expected = {{0, Text(MailCellText::kStarting)},
                                                            {0, Text(MailCellText::kSendingUserId)},
                                                            {0, Text(MailCellText::kSendingPassword)},
                                                            {0, Text(MailCellText::kCounting)},
                                                            {0, Count(3)}};
    EXPECT_EQ(run.sink.shown, expected);
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
    run.connection.AddSession(Mailbox(0));
    run.connection.AddSession(Mailbox(1200));
    RunPass(run, accounts);
    EXPECT_TRUE(run.completed);
    EXPECT_EQ(run.sink.cells[0], Text(MailCellText::kStarting));
    EXPECT_EQ(run.sink.cells[1], Text(MailCellText::kNoUserId));
    EXPECT_EQ(run.sink.cells[2], Text(MailCellText::kNoPassword));
    EXPECT_EQ(run.sink.cells[3], Text(MailCellText::kNoServer));
    EXPECT_EQ(run.sink.cells[4], Count(0));
    EXPECT_EQ(run.sink.cells[5], Count(1200));
    EXPECT_EQ(run.connection.hosts.size(), 2u);
}

TEST(MailCheckPass, NoPetsMeansNoConnection) {
    PassRun run;
    RunPass(run, {});
    EXPECT_TRUE(run.completed);
    EXPECT_TRUE(run.connection.hosts.empty());
    EXPECT_TRUE(run.sink.shown.empty());
}

TEST(MailCheckPass, AFailureAtPetTwoEndsThePassAndLeavesLaterPetsAlone) {
    PassRun run;
    run.connection.AddSession(Mailbox(5));
    run.connection.AddSession(
        Session({"+OK ready\r\n", "+OK\r\n", "-ERR [AUTH] Authentication failed.\r\n"}));
    run.connection.AddSession(Mailbox(9));
    RunPass(run, std::vector<MailAccount>(5, Account()));
    EXPECT_FALSE(run.completed);
    EXPECT_EQ(run.sink.cells[0], Count(5));
    EXPECT_EQ(run.sink.cells[1], Text(MailCellText::kWrongPassword));
    EXPECT_EQ(run.sink.cells.count(2), 0u);
    EXPECT_EQ(run.sink.cells.count(3), 0u);
    EXPECT_EQ(run.sink.cells.count(4), 0u);
    EXPECT_EQ(run.connection.hosts.size(), 2u);
    EXPECT_EQ(run.connection.closes, 2);
}

// The text each step leaves when it is answered negatively, and when the connection is lost there.
TEST(MailCheckPass, EachStepFailsWithItsOwnText) {
    struct Case {
        std::vector<std::string> replies;
        MailCell cell;
    };
    const std::vector<Case> cases = {
        {{"-ERR go away\r\n"}, Text(MailCellText::kWrongServer)},
        {{"+OK\r\n", "-err unknown\r\n"}, Text(MailCellText::kWrongUserId)},
        {{"+OK\r\n", "+OK\r\n", "-ERR\r\n"}, Text(MailCellText::kWrongPassword)},
        {{"+OK\r\n", "+OK\r\n", "+OK\r\n", "-ERR locked\r\n"}, Text(MailCellText::kCounting)},
        {{"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 3 10\r\n", "-ERR\r\n"}, Text(MailCellText::kCounting)},
        {{"+OK " + std::string(1200, 'x') + "\r\n"}, Text(MailCellText::kWrongServer)},
        {{}, Text(MailCellText::kConnectFailed)},
        {{"+OK\r\n"}, Text(MailCellText::kConnectFailed)},
        {{"+OK\r\n", "+OK\r\n"}, Text(MailCellText::kConnectFailed)},
        {{"+OK\r\n", "+OK\r\n", "+OK\r\n"}, Text(MailCellText::kConnectFailed)},
        {{"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 3 10\r\n"}, Text(MailCellText::kConnectFailed)},
        {{"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 3"}, Text(MailCellText::kConnectFailed)},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        PassRun run;
        run.connection.AddSession(Session(cases[i].replies));
        run.connection.AddSession(Mailbox(1));
        RunPass(run, {Account(), Account()});
        EXPECT_FALSE(run.completed);
        EXPECT_EQ(run.sink.cells[0], cases[i].cell);
        EXPECT_EQ(run.sink.cells.count(1), 0u);
        EXPECT_EQ(run.connection.closes, 1);
    }
}

TEST(MailCheckPass, AConnectFailureEndsThePass) {
    PassRun run;
    run.connection.AddSession({false, {}});
    RunPass(run, {Account("nowhere.invalid"), Account()});
    EXPECT_FALSE(run.completed);
    EXPECT_EQ(run.sink.cells[0], Text(MailCellText::kConnectFailed));
    EXPECT_EQ(run.sink.cells.count(1), 0u);
}

TEST(MailCheckPass, AStatWithoutCountNeverShowsAnotherPetsCount) {
    PassRun run;
    run.connection.AddSession(Mailbox(7));
    run.connection.AddSession(Session({"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK\r\n"}));
    RunPass(run, {Account(), Account()});
    EXPECT_FALSE(run.completed);
    EXPECT_EQ(run.sink.cells[0], Count(7));
    EXPECT_EQ(run.sink.cells[1], Text(MailCellText::kCounting));
    EXPECT_EQ(run.connection.sent.find("QUIT", run.connection.sent.rfind("STAT")), std::string::npos);
}

TEST(MailCheckPass, ReadsRepliesHoweverTheyArrive) {
    PassRun run;
    ScriptedSession split;
    for (char c : std::string("+OK ready\r\n+OK\r\n+OK in\r\n+OK\t42 99\r\n+OK bye\r\n")) {
        split.pieces.push_back({ReceiveStatus::kData, std::string(1, c)});
    }
    run.connection.AddSession(split);
    run.connection.AddSession(Session({"+OK ready\r\n+OK\r\n", "+OK in\r\n+OK 0 0\r\n+OK bye\r\n"}));
    RunPass(run, {Account(), Account()});
    EXPECT_TRUE(run.completed);
    EXPECT_EQ(run.sink.cells[0], Count(42));
    EXPECT_EQ(run.sink.cells[1], Count(0));
}

TEST(MailCheckPass, RefusesAUserIdOrPasswordThatCannotBeOneCommandLine) {
    EXPECT_TRUE(IsSendableCommandValue(std::string(992, 'a')));
    EXPECT_FALSE(IsSendableCommandValue(std::string(993, 'a')));
    EXPECT_FALSE(IsSendableCommandValue("taro\r\nDELE 1"));
    EXPECT_FALSE(IsSendableCommandValue("taro\n"));
    EXPECT_FALSE(IsSendableCommandValue(std::string("ta\0ro", 5)));

    PassRun run;
    run.connection.AddSession(Mailbox(1));
    MailAccount injected = Account();
    injected.password = "secret\r\nDELE 1";
    RunPass(run, {injected});
    EXPECT_FALSE(run.completed);
    EXPECT_EQ(run.sink.cells[0], Text(MailCellText::kWrongPassword));
    EXPECT_EQ(run.connection.sent, "USER taro\r\n");
}

TEST(MailAccounts, SnapshotCopiesEveryPetInOrder) {
    AppSettings settings;
    settings.petCount = 2;
    settings.pets[0] = {"Pochi", "a@b", "pop.a", "id-a", "pw-a", 1};
    settings.pets[1] = {"Tama", "c@d", "pop.c", "id-c", "pw-c", 0};
    settings.pets[2] = {"Unused", "", "pop.x", "x", "x", 0};
    const auto accounts = SnapshotMailAccounts(settings);
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_EQ(accounts[0].popServer, "pop.a");
    EXPECT_EQ(accounts[0].userId, "id-a");
    EXPECT_EQ(accounts[0].password, "pw-a");
    EXPECT_EQ(accounts[0].mailCheckChoice, 1);
    EXPECT_EQ(accounts[1].popServer, "pop.c");
    settings.petCount = -3;
    EXPECT_TRUE(SnapshotMailAccounts(settings).empty());
}

}  // namespace
}  // namespace torvin::test
