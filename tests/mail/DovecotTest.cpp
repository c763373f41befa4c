// The mail check pass against a real Dovecot on loopback. The test command starts it with
//   tools/dovecot.sh start <dir> <port> zero:zpw:0 three:tpw:3 many:mpw:1200
// and sets TORVIN_DOVECOT_PORT; without that variable these tests are skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/BlockingSocket.h"
#include "mail/MailCheckPass.h"
#include "mail/MailCheckRunner.h"
#include "mail/SocketPopConnection.h"
#include "tests/mail/RecordingSink.h"
#include "tests/mail/ScriptedPopServer.h"

namespace torvin::test {
namespace {

class Dovecot : public testing::Test {
  protected:
    void SetUp() override {
        const char* port = std::getenv("TORVIN_DOVECOT_PORT");
        if (port == nullptr || *port == '\0') {
            GTEST_SKIP() << "TORVIN_DOVECOT_PORT is not set";
        }
        port_ = static_cast<std::uint16_t>(std::stoi(port));
        StartWinsockForTests();
    }

    bool RunPass(const std::vector<MailAccount>& accounts) {
        const MailCheckTimeouts program;
        BlockingSocket socket(program.connect, program.reply);
        SocketPopConnection connection(socket);
        return RunMailCheckPass(accounts, connection, port_, sink_);
    }

    std::uint16_t port_ = 0;
    RecordingSink sink_;
};

MailAccount Account(std::string user, std::string password) {
    return {"127.0.0.1", std::move(user), std::move(password), 0};
}

TEST_F(Dovecot, CountsEmptySmallAndLargeMailboxes) {
    EXPECT_TRUE(RunPass({Account("zero", "zpw"), Account("three", "tpw"), Account("many", "mpw")}));
    EXPECT_EQ(sink_.cells[0], Count(0));
    EXPECT_EQ(sink_.cells[1], Count(3));
    EXPECT_EQ(sink_.cells[2], Count(1200));
}

TEST_F(Dovecot, SwitchedOffPetsAndMissingSettingsDoNotEndThePass) {
    MailAccount off = Account("three", "tpw");
    off.mailCheckChoice = 1;
    MailAccount noServer = Account("three", "tpw");
    noServer.popServer.clear();
    EXPECT_TRUE(RunPass({off, noServer, Account("", "tpw"), Account("three", "tpw")}));
    EXPECT_EQ(sink_.cells[0], Text(MailCellText::kStarting));
    EXPECT_EQ(sink_.cells[1], Text(MailCellText::kNoServer));
    EXPECT_EQ(sink_.cells[2], Text(MailCellText::kNoUserId));
    EXPECT_EQ(sink_.cells[3], Count(3));
}

// Last in this file: Dovecot answers a wrong password slowly and slows the next log-ins too.
TEST_F(Dovecot, AWrongPasswordEndsThePass) {
    EXPECT_FALSE(RunPass({Account("zero", "zpw"), Account("three", "wrong"), Account("many", "mpw")}));
    EXPECT_EQ(sink_.cells[0], Count(0));
    EXPECT_EQ(sink_.cells[1], Text(MailCellText::kWrongPassword));
    EXPECT_EQ(sink_.cells.count(2), 0u);
}

}  // namespace
}  // namespace torvin::test
