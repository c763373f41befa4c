#include "mail/MailCheckPass.h"

#include <optional>
#include <string>

#include "mail/PopReplyJudge.h"
#include "mail/PopReplyReader.h"

namespace torvin {

namespace {

enum class StepOutcome { kPositive, kNegative, kLost };

StepOutcome Judge(const PopReply& reply) {
    switch (reply.status) {
        case ReplyStatus::kLine:
            return IsNegativeReply(reply.line) ? StepOutcome::kNegative : StepOutcome::kPositive;
        case ReplyStatus::kTooLong:
            return StepOutcome::kNegative;
        case ReplyStatus::kClosed:
        case ReplyStatus::kTimeout:
        case ReplyStatus::kError:
            break;
    }
    return StepOutcome::kLost;
}

StepOutcome SendAndJudge(PopConnection& connection, PopReplyReader& reader, std::string_view line,
                         PopReply& reply) {
    if (!connection.Send(line)) {
        return StepOutcome::kLost;
    }
    reply = reader.ReadReply();
    return Judge(reply);
}

// USER and PASS; a value that cannot travel as one command line is judged negative unsent.
StepOutcome Command(PopConnection& connection, PopReplyReader& reader, std::string_view keyword,
                    std::string_view value) {
    if (!IsSendableCommandValue(value)) {
        return StepOutcome::kNegative;
    }
    std::string line(keyword);
    line.append(" ").append(value).append("\r\n");
    PopReply reply;
    return SendAndJudge(connection, reader, line, reply);
}

bool Fail(int pet, StepOutcome outcome, MailCellText negativeText, MailCellSink& sink) {
    sink.Show(pet, {outcome == StepOutcome::kLost ? MailCellText::kConnectFailed : negativeText, 0});
    return false;
}

// After STAT and QUIT a negative reply leaves "到着メール数確認中" in the cell.
bool FailWhileCounting(int pet, StepOutcome outcome, MailCellSink& sink) {
    if (outcome == StepOutcome::kLost) {
        sink.Show(pet, {MailCellText::kConnectFailed, 0});
    }
    return false;
}

bool HasMailAccount(int pet, const MailAccount& account, MailCellSink& sink) {
    if (account.userId.empty()) {
        sink.Show(pet, {MailCellText::kNoUserId, 0});
    } else if (account.password.empty()) {
        sink.Show(pet, {MailCellText::kNoPassword, 0});
    } else if (account.popServer.empty()) {
        sink.Show(pet, {MailCellText::kNoServer, 0});
    } else {
        return true;
    }
    return false;
}

MailCellText ConnectFailureText(ConnectOutcome outcome) {
    switch (outcome) {
        case ConnectOutcome::kTlsFailed:
            return MailCellText::kTlsFailed;
        case ConnectOutcome::kCertificateRejected:
            return MailCellText::kCertificateRejected;
        case ConnectOutcome::kConnected:
        case ConnectOutcome::kConnectFailed:
            break;
    }
    return MailCellText::kConnectFailed;
}

bool Exchange(int pet, const MailAccount& account, PopConnection& connection, MailCellSink& sink) {
    // A line an older copy could not connect with either; it never reaches the network.
    const auto server = ParsePopServer(account.popServer);
    const ConnectOutcome connected = server ? connection.Connect(*server) : ConnectOutcome::kConnectFailed;
    if (connected != ConnectOutcome::kConnected) {
        sink.Show(pet, {ConnectFailureText(connected), 0});
        return false;
    }
    PopReplyReader reader(connection);
    StepOutcome outcome = Judge(reader.ReadReply());
    if (outcome != StepOutcome::kPositive) {
        return Fail(pet, outcome, MailCellText::kWrongServer, sink);
    }
    sink.Show(pet, {MailCellText::kSendingUserId, 0});
    outcome = Command(connection, reader, "USER", account.userId);
    if (outcome != StepOutcome::kPositive) {
        return Fail(pet, outcome, MailCellText::kWrongUserId, sink);
    }
    sink.Show(pet, {MailCellText::kSendingPassword, 0});
    outcome = Command(connection, reader, "PASS", account.password);
    if (outcome != StepOutcome::kPositive) {
        return Fail(pet, outcome, MailCellText::kWrongPassword, sink);
    }
    sink.Show(pet, {MailCellText::kCounting, 0});
    // No blank before CR LF: Cyrus rejects "STAT \r\n" and "QUIT \r\n".
    PopReply stat;
    outcome = SendAndJudge(connection, reader, "STAT\r\n", stat);
    const auto count = outcome == StepOutcome::kPositive ? ParseStatCount(stat.line) : std::nullopt;
    if (!count) {
        return FailWhileCounting(pet, outcome, sink);
    }
    PopReply quit;
    outcome = SendAndJudge(connection, reader, "QUIT\r\n", quit);
    if (outcome != StepOutcome::kPositive) {
        return FailWhileCounting(pet, outcome, sink);
    }
    sink.Show(pet, {MailCellText::kMailCount, *count});
    return true;
}

}  // namespace

bool IsSendableCommandValue(std::string_view value) {
    return value.size() <= kMaxCommandValueBytes &&
           value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool CheckMailbox(int pet, const MailAccount& account, PopConnection& connection, MailCellSink& sink) {
    const bool counted = Exchange(pet, account, connection, sink);
    connection.Close();
    return counted;
}

bool RunMailCheckPass(const std::vector<MailAccount>& accounts, PopConnection& connection,
                      MailCellSink& sink) {
    for (std::size_t i = 0; i < accounts.size(); ++i) {
        const int pet = static_cast<int>(i);
        const MailAccount& account = accounts[i];
        sink.Show(pet, {MailCellText::kStarting, 0});
        if (account.mailCheckChoice == 1 || !HasMailAccount(pet, account, sink)) {
            continue;
        }
        if (!CheckMailbox(pet, account, connection, sink)) {
            return false;
        }
    }
    return true;
}

}  // namespace torvin
