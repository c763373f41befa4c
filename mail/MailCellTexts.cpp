#include "mail/MailCellTexts.h"

namespace torvin {

std::wstring MailCellWideText(const MailCell& cell) {
    switch (cell.text) {
        case MailCellText::kStarting:
            return L"メールチェックを開始します。";
        case MailCellText::kNoUserId:
            return L"ユーザIDが設定されていません";
        case MailCellText::kNoPassword:
            return L"パスワードが設定されていません";
        case MailCellText::kNoServer:
            return L"POPサーバーが設定されていません。";
        case MailCellText::kConnectFailed:
            return L"POPサーバーとの接続に失敗しました";
        case MailCellText::kWrongServer:
            return L"POPサーバーが違います";
        case MailCellText::kTlsFailed:
            return L"SSL/TLSの接続に失敗しました";
        case MailCellText::kCertificateRejected:
            return L"サーバー証明書を確認できませんでした";
        case MailCellText::kSendingUserId:
            return L"USER ID送信中";
        case MailCellText::kWrongUserId:
            return L"USER IDが違います";
        case MailCellText::kSendingPassword:
            return L"パスワード送信中";
        case MailCellText::kWrongPassword:
            return L"パスワードが違います";
        case MailCellText::kCounting:
            return L"到着メール数確認中";
        case MailCellText::kMailCount:
            return L"メールが" + std::to_wstring(cell.count) + L"通あります";
    }
    return {};
}

}  // namespace torvin
