// The pure pieces of the POP3 exchange: judging replies, reading reply lines however they arrive,
// and the server line of a pet's settings.
#include <gtest/gtest.h>

#include "mail/PopReplyJudge.h"
#include "mail/PopReplyReader.h"
#include "mail/PopServerAddress.h"
#include "tests/mail/MailFakes.h"

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

TEST(PopReplyReader, ReadsLinesHoweverTheyArriveAndNeverMakesALostConnectionAReply) {
    std::vector<std::string> pieces;
    for (char c : std::string("+OK ready.\r\n")) {
        pieces.emplace_back(1, c);
    }
    // Two replies in one receive, the second with a bare LF; then a line the peer never ends.
    pieces.insert(pieces.end(), {"+OK\r\n-ERR no\n", "+OK half a li"});
    FakePopConnection source({{pieces}});
    source.Connect({});
    PopReplyReader reader(source);
    EXPECT_EQ(reader.ReadReply().line, "+OK ready.");
    EXPECT_EQ(reader.ReadReply().line, "+OK");
    const int receives = source.receives;
    EXPECT_EQ(reader.ReadReply().line, "-ERR no");
    EXPECT_EQ(source.receives, receives);
    EXPECT_EQ(reader.ReadReply().status, ReplyStatus::kClosed);

    const std::string longest = "+OK " + std::string(994, 'x');  // 1000 bytes with CR LF
    FakePopConnection more({{{"+OK", ""}}, {{longest + "\r\n", longest + "x\r\n"}}});
    more.Connect({});
    EXPECT_EQ(PopReplyReader(more).ReadReply().status, ReplyStatus::kTimeout);
    more.Connect({});
    PopReplyReader limited(more);
    EXPECT_EQ(limited.ReadReply().line, longest);
    EXPECT_EQ(limited.ReadReply().status, ReplyStatus::kTooLong);
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

TEST(PopServerLine, TheStoredFormReadsBackAndTheFieldLeavesTheSchemeToTheBox) {
    for (const char* line : {"pop.example.jp", "pop.example.jp:1110", "pop3s://pop.example.jp",
                             "pop3s://pop.example.jp:110", "pop3s://[2001:db8::1]", "[::1]:995"}) {
        const auto server = ParsePopServer(line);
        ASSERT_TRUE(server) << line;
        EXPECT_EQ(FormatPopServer(*server), line);
        EXPECT_EQ(ParseServerField(FormatHostAndPort(*server), server->tls), server) << line;
    }
    EXPECT_EQ(ParseServerField("pop3s://pop.example.jp", false), ParseServerField("pop.example.jp", true));
}

}  // namespace
}  // namespace torvin::test
