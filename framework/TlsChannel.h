#pragma once
// A client TLS channel over a connected BlockingSocket, through Windows' own SChannel.
// The handshake runs under the socket's deadlines and cancel, the server certificate is verified
// here (SChannel under Wine checks none by itself), and a server that answers in plain text is
// told apart at its first byte instead of being read as a record header.

#define SECURITY_WIN32
// The newer credential (SCH_CREDENTIALS) is declared only with this, and needs UNICODE_STRING.
#define SCHANNEL_USE_BLACKLISTS
#include <windows.h>
#include <subauth.h>
#include <security.h>
#include <schannel.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/BlockingSocket.h"

namespace torvin {

// The system's SSPI functions. secur32 (and crypt32, for the certificate checks) serve only mail
// checks over TLS, and loading secur32 sets up every security package the system has, so both are
// loaded at the first TLS connection instead of at start-up, and kept for the process. Null when
// the system has no SSPI.
const SecurityFunctionTableW* Sspi();

// Owns one SSPI credential or context handle; `Free` is the table's FreeCredentialsHandle or
// DeleteSecurityContext. A valid handle means the table was there to make it.
template <auto SecurityFunctionTableW::*Free>
class UniqueSecHandle {
  public:
    UniqueSecHandle() = default;
    ~UniqueSecHandle() { Reset(); }
    UniqueSecHandle(const UniqueSecHandle&) = delete;
    UniqueSecHandle& operator=(const UniqueSecHandle&) = delete;

    // The handle when valid, else null: SSPI takes null for "no context yet".
    SecHandle* Get() { return valid_ ? &handle_ : nullptr; }
    // For a call that fills in a new handle; Adopt once the call succeeded.
    SecHandle* Slot() { return &handle_; }
    void Adopt() { valid_ = true; }
    void Reset() {
        if (valid_) {
            (Sspi()->*Free)(&handle_);
            valid_ = false;
        }
    }

  private:
    SecHandle handle_{};
    bool valid_ = false;
};

// What the connections of one pass share: the client credential, acquired at first use, so that
// the system can resume TLS sessions with a server it has already met; and the certificates
// already verified for a server name, so that the chain is built once per server and pass.
class TlsCredentials {
  public:
    // Null when the system offers no TLS client of at least version 1.2.
    SecHandle* Get();
    bool Verified(const std::wstring& serverName, std::string_view certificate) const;
    void AddVerified(const std::wstring& serverName, std::string_view certificate);

  private:
    UniqueSecHandle<&SecurityFunctionTableW::FreeCredentialsHandle> handle_;
    std::vector<std::pair<std::wstring, std::string>> verified_;
};

enum class TlsOpen { kOpen, kHandshakeFailed, kCertificateRejected };

class TlsChannel {
  public:
    TlsChannel(BlockingSocket& socket, TlsCredentials& credentials)
        : socket_(socket), credentials_(credentials) {}
    TlsChannel(const TlsChannel&) = delete;
    TlsChannel& operator=(const TlsChannel&) = delete;

    // Handshakes with the server over the connected socket, bounded by one reply deadline, and
    // verifies that its certificate chains to a trusted root without error, is in date and names
    // `serverName`. Any failure leaves the channel unusable.
    TlsOpen Open(const std::wstring& serverName);
    bool Send(std::string_view bytes);
    // Plain bytes of the next records; the reply deadline and cancel are the socket's.
    SocketReceiveResult Receive(std::span<char> into);

  private:
    bool Handshake(const std::wstring& serverName);
    bool VerifyServer(const std::wstring& serverName);
    SocketReceive ReceiveMore();

    BlockingSocket& socket_;
    TlsCredentials& credentials_;
    UniqueSecHandle<&SecurityFunctionTableW::DeleteSecurityContext> context_;
    SecPkgContext_StreamSizes sizes_{};
    // Received and not yet decrypted; after the handshake it may already hold the greeting.
    std::vector<char> encrypted_;
    // Decrypted and not yet handed out.
    std::string plain_;
};

}  // namespace torvin
