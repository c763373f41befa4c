#include "mail/PopReplyReader.h"

#include <gtest/gtest.h>

#include "tests/mail/FakePopConnection.h"

namespace torvin::test {
namespace {

std::vector<ScriptedPiece> OneBytePieces(const std::string& bytes) {
    std::vector<ScriptedPiece> pieces;
    for (char c : bytes) {
        pieces.push_back({ReceiveStatus::kData, std::string(1, c)});
    }
    return pieces;
}

TEST(PopReplyReader, JoinsALineDeliveredOneByteAtATime) {
    FakeByteSource source(OneBytePieces("+OK Dovecot ready.\r\n+OK\r\n"));
    PopReplyReader reader(source);
    PopReply first = reader.ReadReply();
    EXPECT_EQ(first.status, ReplyStatus::kLine);
    EXPECT_EQ(first.line, "+OK Dovecot ready.");
    PopReply second = reader.ReadReply();
    EXPECT_EQ(second.status, ReplyStatus::kLine);
    EXPECT_EQ(second.line, "+OK");
}

TEST(PopReplyReader, KeepsTheSecondReplyOfOneReceiveForTheNextRead) {
    FakeByteSource source({{ReceiveStatus::kData, "+OK ready\r\n-ERR no\r\n"}});
    PopReplyReader reader(source);
    EXPECT_EQ(reader.ReadReply().line, "+OK ready");
    PopReply second = reader.ReadReply();
    EXPECT_EQ(second.status, ReplyStatus::kLine);
    EXPECT_EQ(second.line, "-ERR no");
    EXPECT_EQ(source.receives, 1);
    EXPECT_EQ(reader.ReadReply().status, ReplyStatus::kClosed);
}

TEST(PopReplyReader, AcceptsABareLineFeed) {
    FakeByteSource source({{ReceiveStatus::kData, "+OK 3 10\n+OK bye\r\n"}});
    PopReplyReader reader(source);
    EXPECT_EQ(reader.ReadReply().line, "+OK 3 10");
    EXPECT_EQ(reader.ReadReply().line, "+OK bye");
}

TEST(PopReplyReader, NeverTurnsALostConnectionIntoAReply) {
    {
        FakeByteSource closedMidLine({{ReceiveStatus::kData, "+OK half a li"}});
        EXPECT_EQ(PopReplyReader(closedMidLine).ReadReply().status, ReplyStatus::kClosed);
    }
    {
        FakeByteSource closedAtOnce({});
        EXPECT_EQ(PopReplyReader(closedAtOnce).ReadReply().status, ReplyStatus::kClosed);
    }
    {
        FakeByteSource timedOut({{ReceiveStatus::kData, "+OK"}, {ReceiveStatus::kTimeout, ""}});
        EXPECT_EQ(PopReplyReader(timedOut).ReadReply().status, ReplyStatus::kTimeout);
    }
    {
        FakeByteSource failed({{ReceiveStatus::kError, ""}});
        EXPECT_EQ(PopReplyReader(failed).ReadReply().status, ReplyStatus::kError);
    }
}

TEST(PopReplyReader, RefusesALineLongerThanAThousandBytes) {
    // 998 bytes and CR LF are exactly the limit.
    const std::string longest = "+OK " + std::string(994, 'x');
    FakeByteSource fits({{ReceiveStatus::kData, longest + "\r\n"}});
    PopReply reply = PopReplyReader(fits).ReadReply();
    EXPECT_EQ(reply.status, ReplyStatus::kLine);
    EXPECT_EQ(reply.line, longest);

    FakeByteSource tooLong({{ReceiveStatus::kData, longest + "x\r\n"}});
    EXPECT_EQ(PopReplyReader(tooLong).ReadReply().status, ReplyStatus::kTooLong);
}

TEST(PopReplyReader, StopsReadingAnEndlessLine) {
    std::vector<ScriptedPiece> endless(5000, {ReceiveStatus::kData, std::string(100, 'a')});
    FakeByteSource source(endless);
    EXPECT_EQ(PopReplyReader(source).ReadReply().status, ReplyStatus::kTooLong);
    EXPECT_LE(source.receives, 11);
}

}  // namespace
}  // namespace torvin::test
