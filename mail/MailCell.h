#pragma once
// What the mail check shows in a pet's cell. The texts themselves are in the string table
// (MailCellTexts); the pure code names them only.

#include <cstdint>

namespace torvin {

enum class MailCellText {
    kStarting,             // "メールチェックを開始します。"
    kNoUserId,             // "ユーザIDが設定されていません"
    kNoPassword,           // "パスワードが設定されていません"
    kNoServer,             // "POPサーバーが設定されていません。"
    kConnectFailed,        // "POPサーバーとの接続に失敗しました"
    kWrongServer,          // "POPサーバーが違います"
    kTlsFailed,            // "SSL/TLSの接続に失敗しました"
    kCertificateRejected,  // "サーバー証明書を確認できませんでした"
    kSendingUserId,        // "USER ID送信中"
    kWrongUserId,          // "USER IDが違います"
    kSendingPassword,      // "パスワード送信中"
    kWrongPassword,        // "パスワードが違います"
    kCounting,             // "到着メール数確認中"
    kMailCount,            // "メールが%d通あります" with count
};

struct MailCell {
    MailCellText text = MailCellText::kStarting;
    // Only for kMailCount: the count of this pet's own STAT reply.
    std::int32_t count = 0;

    friend bool operator==(const MailCell&, const MailCell&) = default;
};

// Receives every cell text in the order the pass shows them.
class MailCellSink {
  public:
    virtual ~MailCellSink() = default;
    virtual void Show(int pet, const MailCell& cell) = 0;
};

}  // namespace torvin
