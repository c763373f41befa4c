#include "mail/PopReplyJudge.h"

#include <gtest/gtest.h>

namespace torvin {
namespace {

TEST(PopReplyJudge, NegativeIsMinusErrInAnyCase) {
    EXPECT_TRUE(IsNegativeReply("-ERR [AUTH] Authentication failed."));
    EXPECT_TRUE(IsNegativeReply("-err"));
    EXPECT_TRUE(IsNegativeReply("-eRr Login failed."));
    EXPECT_FALSE(IsNegativeReply("+OK"));
    EXPECT_FALSE(IsNegativeReply("-ER"));
    EXPECT_FALSE(IsNegativeReply(""));
    EXPECT_FALSE(IsNegativeReply(" -ERR"));
}

TEST(PopReplyJudge, StatCountIsTheFirstNumberAfterTheFirstBlankOrTab) {
    EXPECT_EQ(ParseStatCount("+OK 3 1200"), 3);
    EXPECT_EQ(ParseStatCount("+OK\t3 1200"), 3);
    EXPECT_EQ(ParseStatCount("+OK 12"), 12);
    EXPECT_EQ(ParseStatCount("+OK 0 0"), 0);
    EXPECT_EQ(ParseStatCount("+OK   \t 7 10"), 7);
    EXPECT_EQ(ParseStatCount("+OK +5 10"), 5);
    EXPECT_EQ(ParseStatCount("+OK 1200 99999"), 1200);
    EXPECT_EQ(ParseStatCount("+OK 2147483647 1"), 2147483647);
}

TEST(PopReplyJudge, StatWithoutAUsableCountHasNone) {
    EXPECT_EQ(ParseStatCount("+OK"), std::nullopt);
    EXPECT_EQ(ParseStatCount("+OK "), std::nullopt);
    EXPECT_EQ(ParseStatCount("+OK mailbox 3"), std::nullopt);
    EXPECT_EQ(ParseStatCount("+OK -3 10"), std::nullopt);
    EXPECT_EQ(ParseStatCount("+OK 2147483648 1"), std::nullopt);
    EXPECT_EQ(ParseStatCount("+OK 99999999999999999999 1"), std::nullopt);
    EXPECT_EQ(ParseStatCount("-ERR 3 10"), std::nullopt);
}

}  // namespace
}  // namespace torvin
