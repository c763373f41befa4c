// The mail check over the real socket and TLS channel, against hostile servers played on loopback
// and against the Dovecot servers the test command starts (tools/dovecot.sh start and start-tls,
// accounts zero:zpw:0 three:tpw:3 many:mpw:1200; their ports in TORVIN_DOVECOT_PORT and
// TORVIN_DOVECOT_TLS_PORT, the start-tls folder in TORVIN_DOVECOT_TLS_DIR).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "mail/MailCheckPass.h"
#include "mail/MailCheckRunner.h"
#include "mail/SocketPopConnection.h"
#include "tests/mail/MailFakes.h"
#include "tests/support/ScriptedPopServer.h"

namespace torvin::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Pass {
    Pass(const std::vector<MailAccount>& accounts, MailCheckTimeouts timeouts = {}) {
        BlockingSocket socket(timeouts.connect, timeouts.reply);
        SocketPopConnection connection(socket);
        RunMailCheckPass(accounts, connection, sink);
        elapsed = Clock::now() - start;
    }
    Clock::time_point start = Clock::now();
    RecordingSink sink;
    Clock::duration elapsed{};
};

constexpr MailCheckTimeouts kShort{2000ms, 700ms};

TEST(HostileServer, EachEndsWithinItsDeadlineWithItsText) {
    using enum MailCellText;
    // clang-format off
    const std::tuple<const char*, std::vector<ServerStep>, MailCellText, bool> cases[] = {
        {"", {}, kConnectFailed, true}, {"", {Send("+OK ready\r\n"), ReadLine()}, kConnectFailed, true},
        {"pop3s://", {}, kTlsFailed, true},  // accepts and never answers the handshake
        {"pop3s://", {Send("+OK Dovecot ready.\r\n")}, kTlsFailed, false}, {"pop3s://", {Send("-ERR no\r\n")}, kTlsFailed, false}};
    // clang-format on
    for (const auto& [scheme, script, text, waitsForTheDeadline] : cases) {
        ScriptedPopServer server({script});
        SCOPED_TRACE(std::string(scheme) + std::to_string(script.size()));
        const std::string line = std::string(scheme) + "localhost:" + std::to_string(server.Port());
        const Pass pass({{line, "taro", "secret", 0}, {line, "jiro", "pw", 0}}, kShort);
        EXPECT_EQ(pass.sink.cells, (std::map<int, MailCell>{{0, Text(text)}}));
        EXPECT_LT(pass.elapsed, (waitsForTheDeadline ? kShort.reply + 3s : kShort.reply / 2));
        EXPECT_GE(pass.elapsed, (waitsForTheDeadline ? kShort.reply - 50ms : 0ms));
    }
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : value;
}

class Dovecot : public testing::Test {
  protected:
    void SetUp() override {
        if (Environment("TORVIN_DOVECOT_PORT").empty() || Environment("TORVIN_DOVECOT_TLS_PORT").empty()) {
            GTEST_SKIP() << "the test command has not started Dovecot";
        }
        StartWinsockForTests();
    }
    // The TLS server `offset` ports above the one with the good certificate.
    static std::string Tls(int offset = 0) {
        return "pop3s://localhost:" +
               std::to_string(std::stoi(Environment("TORVIN_DOVECOT_TLS_PORT")) + offset);
    }
    const std::string servers_[2] = {"127.0.0.1:" + Environment("TORVIN_DOVECOT_PORT"), Tls()};
};

TEST_F(Dovecot, CountsEmptySmallAndLargeMailboxesInPlainTextAndOverTls) {
    for (const std::string& server : servers_) {
        const Pass pass(
            {{server, "zero", "zpw", 0}, {server, "three", "tpw", 0}, {server, "many", "mpw", 0}});
        EXPECT_EQ(pass.sink.cells, (std::map<int, MailCell>{{0, Count(0)}, {1, Count(3)}, {2, Count(1200)}}))
            << server;
    }
}

// Under Wine the handshake completes with each of these: the client must refuse them itself,
// before anything of the account is sent, so the server never sees a log-in attempt.
TEST_F(Dovecot, ACertificateForAnotherNameSelfSignedExpiredOrFromAnUnknownCaIsRefused) {
    const char* kinds[] = {"wrong-name", "self-signed", "expired", "unknown-ca"};
    for (int offset = 1; offset <= 4; ++offset) {
        SCOPED_TRACE(kinds[offset - 1]);
        EXPECT_EQ(Pass({{Tls(offset), "three", "tpw", 0}}).sink.cells[0],
                  Text(MailCellText::kCertificateRejected));
        std::ostringstream log;
        log << std::ifstream("Z:" + Environment("TORVIN_DOVECOT_TLS_DIR") + "/" + kinds[offset - 1] +
                             "/dovecot-info.log")
                   .rdbuf();
        EXPECT_NE(log.str().find("(no auth attempts"), std::string::npos);
        EXPECT_EQ(log.str().find("user=<three>"), std::string::npos) << log.str();
    }
}

// Last: Dovecot answers a wrong password slowly and slows the next log-ins too.
TEST_F(Dovecot, AWrongPasswordEndsThePassInPlainTextAndOverTls) {
    for (const std::string& server : servers_) {
        const Pass pass({{server, "three", "wrong", 0}, {server, "many", "mpw", 0}});
        EXPECT_EQ(pass.sink.cells, (std::map<int, MailCell>{{0, Text(MailCellText::kWrongPassword)}}))
            << server;
    }
}

}  // namespace
}  // namespace torvin::test
