// The pure pieces of the POP3 exchange: judging replies and the server line of a pet's settings.
// How reply lines are read, however they arrive, is checked by the fuzz target and its corpus.
#include <gtest/gtest.h>

#include "mail/PopReplyJudge.h"
#include "mail/PopServerAddress.h"

namespace torvin::test {
namespace {

TEST(PopReplyJudge, NegativeIsMinusErrInAnyCaseAndTheCountFollowsTheFirstBlankOrTab) {
    for (const char* line : {"-ERR [AUTH] Authentication failed.", "-err", "-eRr no"}) {
        EXPECT_TRUE(IsNegativeReply(line)) << line;
    }
    for (const char* line : {"+OK", "-ER", "", " -ERR"}) {
        EXPECT_FALSE(IsNegativeReply(line)) << line;
    }
    // clang-format off
    const std::pair<const char*, std::optional<std::int32_t>> stats[] = {
        {"+OK 3 1200", 3}, {"+OK\t3 1200", 3}, {"+OK   \t 7 10", 7}, {"+OK +5 10", 5}, {"+OK 0 0", 0},
        {"+OK 2147483647 1", 2147483647}, {"+OK", std::nullopt}, {"+OK ", std::nullopt}, {"+OK box 3", std::nullopt},
        {"+OK -3 10", std::nullopt}, {"+OK 2147483648 1", std::nullopt}, {"-ERR 3 10", std::nullopt}};
    // clang-format on
    for (const auto& [line, count] : stats) {
        EXPECT_EQ(ParseStatCount(line), count) << line;
    }
}

TEST(PopServerLine, ReadsTheSchemeTheNameAndThePortAndRefusesAnythingElse) {
    // clang-format off
    const std::pair<const char*, PopServerAddress> good[] = {
        {"pop.example.jp", {"pop.example.jp", 110, false}}, {" pop.example.jp\t", {"pop.example.jp", 110, false}},
        {"pop.example.jp:1110", {"pop.example.jp", 1110, false}}, {"pop3s://pop.example.jp", {"pop.example.jp", 995, true}},
        {"POP3S://pop.example.jp:65535", {"pop.example.jp", 65535, true}},
        {"pop3s://[2001:db8::1]:1995", {"2001:db8::1", 1995, true}}, {"[::1]", {"::1", 110, false}}};
    // clang-format on
    for (const auto& [line, server] : good) {
        EXPECT_EQ(ParsePopServer(line), server) << line;
    }
    for (const char* bad : {"", "pop3s://", ":110", "pop.example.jp:0", "pop.example.jp:65536",
                            "pop.example.jp:", "pop.example.jp:-1", "imap://pop.example.jp", "pop example.jp",
                            "::1", "[::1", "[::1]x", "pop3s://pop.example.jp/x", "pop.example.jp:11o"}) {
        EXPECT_EQ(ParsePopServer(bad), std::nullopt) << bad;
    }
}

}  // namespace
}  // namespace torvin::test
