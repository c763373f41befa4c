#pragma once
// One pass of the mail check over all pets, and the POP3 exchange that counts one mailbox.
//
// Which text a failing step leaves in the pet's cell:
//  - connect fails (server line malformed, name not resolved, refused, connect deadline):
//    "接続に失敗";
//  - over TLS, the handshake fails or the server does not speak TLS: "SSL/TLSの接続に失敗";
//    the certificate is not trusted, out of date or for another name: "サーバー証明書を確認";
//  - the connection is lost at any later step (peer closed before a whole reply line, reply
//    deadline passed, send or receive error, stopped by the user): "接続に失敗" as well, since
//    the server never answered that step;
//  - a reply that is not a POP3 reply line (longer than 1000 bytes) or a STAT reply without a
//    count counts as that step's negative reply;
//  - a user ID or password that cannot travel as one command line (too long, or holding CR, LF
//    or NUL) is refused before sending, as that step's negative reply;
//  - negative replies show the texts of the mail check table; after STAT and QUIT the cell keeps
//    "到着メール数確認中".
// Every failure ends the pass; later pets keep what they showed before.

#include <cstdint>
#include <string_view>
#include <vector>

#include "mail/ByteSource.h"
#include "mail/MailAccount.h"
#include "mail/MailCell.h"

namespace torvin {

// A command line ("USER " or "PASS ", the value, CR LF) fits the 1000-byte command buffer with
// its terminating zero byte, so a value may have up to this many bytes.
inline constexpr std::size_t kMaxCommandValueBytes = 992;

// True when the value can be sent as the argument of one command line.
bool IsSendableCommandValue(std::string_view value);

// The exchange for one pet; false when a step failed (its cell text is already shown).
bool CheckMailbox(int pet, const MailAccount& account, PopConnection& connection, MailCellSink& sink);

// True when every pet was gone through; false when an exchange failed and ended the pass.
bool RunMailCheckPass(const std::vector<MailAccount>& accounts, PopConnection& connection,
                      MailCellSink& sink);

}  // namespace torvin
