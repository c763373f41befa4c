// The mail check pass against a real Dovecot on loopback, in plain text and over TLS. The test
// command starts the servers with tools/dovecot.sh and sets
//   TORVIN_DOVECOT_PORT      start <dir> <port> zero:zpw:0 three:tpw:3 many:mpw:1200
//   TORVIN_DOVECOT_TLS_PORT  start-tls <dir> <port> (the same accounts), its <dir> in
//   TORVIN_DOVECOT_TLS_DIR
// without them these tests are skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/BlockingSocket.h"
#include "mail/MailCheckPass.h"
#include "mail/MailCheckRunner.h"
#include "mail/SocketPopConnection.h"
#include "tests/mail/MailFakes.h"
#include "tests/support/ScriptedPopServer.h"

namespace torvin::test {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : value;
}

class Dovecot : public testing::Test {
  protected:
    void SetUp() override {
        if (Environment("TORVIN_DOVECOT_PORT").empty() || Environment("TORVIN_DOVECOT_TLS_PORT").empty()) {
            GTEST_SKIP() << "TORVIN_DOVECOT_PORT or TORVIN_DOVECOT_TLS_PORT is not set";
        }
        StartWinsockForTests();
    }

    // The server line of the plain server, or of the TLS server `offset` ports above the good one.
    static std::string Plain() { return "127.0.0.1:" + Environment("TORVIN_DOVECOT_PORT"); }
    static std::string Tls(int offset = 0) {
        return "pop3s://localhost:" +
               std::to_string(std::stoi(Environment("TORVIN_DOVECOT_TLS_PORT")) + offset);
    }

    bool RunPass(const std::vector<MailAccount>& accounts) {
        const MailCheckTimeouts program;
        BlockingSocket socket(program.connect, program.reply);
        SocketPopConnection connection(socket);
        return RunMailCheckPass(accounts, connection, sink_);
    }

    RecordingSink sink_;
};

TEST_F(Dovecot, CountsEmptySmallAndLargeMailboxesInPlainTextAndOverTls) {
    for (const std::string& server : {Plain(), Tls()}) {
        SCOPED_TRACE(server);
        sink_ = {};
        EXPECT_TRUE(
            RunPass({{server, "zero", "zpw", 0}, {server, "three", "tpw", 0}, {server, "many", "mpw", 0}}));
        EXPECT_EQ(sink_.cells, (std::map<int, MailCell>{{0, Count(0)}, {1, Count(3)}, {2, Count(1200)}}));
    }
}

// The handshake completes with every one of these under Wine; the client must refuse them itself,
// before anything of the account is sent: the server never sees a log-in attempt.
TEST_F(Dovecot, ACertificateForAnotherNameSelfSignedExpiredOrFromAnUnknownCaIsRefused) {
    const char* kinds[] = {"wrong-name", "self-signed", "expired", "unknown-ca"};
    for (int offset = 1; offset <= 4; ++offset) {
        SCOPED_TRACE(kinds[offset - 1]);
        sink_ = {};
        EXPECT_FALSE(RunPass({{Tls(offset), "three", "tpw", 0}}));
        EXPECT_EQ(sink_.cells[0], Text(MailCellText::kCertificateRejected));
        const std::string log =
            "Z:" + Environment("TORVIN_DOVECOT_TLS_DIR") + "/" + kinds[offset - 1] + "/dovecot-info.log";
        std::ostringstream text;
        text << std::ifstream(log).rdbuf();
        EXPECT_NE(text.str().find("(no auth attempts"), std::string::npos) << log;
        EXPECT_EQ(text.str().find("user=<three>"), std::string::npos) << text.str();
    }
}

// Last in this file: Dovecot answers a wrong password slowly and slows the next log-ins too.
TEST_F(Dovecot, AWrongPasswordEndsThePassInPlainTextAndOverTls) {
    for (const std::string& server : {Plain(), Tls()}) {
        SCOPED_TRACE(server);
        sink_ = {};
        EXPECT_FALSE(RunPass({{server, "three", "wrong", 0}, {server, "many", "mpw", 0}}));
        EXPECT_EQ(sink_.cells, (std::map<int, MailCell>{{0, Text(MailCellText::kWrongPassword)}}));
    }
}

}  // namespace
}  // namespace torvin::test
