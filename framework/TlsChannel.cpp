#include "framework/TlsChannel.h"

#include <wincrypt.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/LibraryFunction.h"

namespace torvin {

namespace {

// The certificate functions of crypt32, loaded with the first check of a server's certificate.
struct CertificateFunctions {
    decltype(&CertGetCertificateChain) getChain = nullptr;
    decltype(&CertVerifyCertificateChainPolicy) verifyChainPolicy = nullptr;
    decltype(&CertFreeCertificateChain) freeChain = nullptr;
    decltype(&CertFreeCertificateContext) freeCertificate = nullptr;

    bool Loaded() const { return getChain && verifyChainPolicy && freeChain && freeCertificate; }
};

const CertificateFunctions& Certificates() {
    static const CertificateFunctions functions = [] {
        CertificateFunctions loaded;
        const HMODULE crypt = LoadLibraryW(L"crypt32.dll");
        FindFunction(crypt, "CertGetCertificateChain", loaded.getChain);
        FindFunction(crypt, "CertVerifyCertificateChainPolicy", loaded.verifyChainPolicy);
        FindFunction(crypt, "CertFreeCertificateChain", loaded.freeChain);
        FindFunction(crypt, "CertFreeCertificateContext", loaded.freeCertificate);
        return loaded;
    }();
    return functions;
}

struct ContextBufferFree {
    void operator()(void* buffer) const { Sspi()->FreeContextBuffer(buffer); }
};
using UniqueContextBuffer = std::unique_ptr<void, ContextBufferFree>;

// Only made once the certificate functions are known to be there.
struct CertificateFree {
    void operator()(const CERT_CONTEXT* certificate) const { Certificates().freeCertificate(certificate); }
};
using UniqueCertificate = std::unique_ptr<const CERT_CONTEXT, CertificateFree>;

struct ChainFree {
    void operator()(const CERT_CHAIN_CONTEXT* chain) const { Certificates().freeChain(chain); }
};
using UniqueChain = std::unique_ptr<const CERT_CHAIN_CONTEXT, ChainFree>;

constexpr DWORD kContextRequest = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                                  ISC_REQ_EXTENDED_ERROR | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM |
                                  ISC_REQ_MANUAL_CRED_VALIDATION;
constexpr DWORD kAtLeastTls12 = SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT;
constexpr std::size_t kReadChunk = 16 * 1024;
// Handshake bytes held before SChannel has a whole message; real certificate chains are far smaller.
constexpr std::size_t kMaxHandshakeBytes = 256 * 1024;

SecBuffer Buffer(unsigned long type, void* data = nullptr, std::size_t size = 0) {
    return {static_cast<unsigned long>(size), type, data};
}

// A TLS record begins with its content type, 20 to 23. A POP3 server on the wrong port begins
// with "+OK" or "-ERR", which SChannel would take for the header of a long record and wait for.
bool CanStartTlsRecord(char first) {
    return first >= 20 && first <= 23;
}

// Sends what SChannel produced, if anything, and frees it.
bool SendToken(BlockingSocket& socket, SecBuffer& token) {
    const UniqueContextBuffer owned(token.pvBuffer);
    if (token.pvBuffer == nullptr || token.cbBuffer == 0) {
        return true;
    }
    return socket.Send({static_cast<const char*>(token.pvBuffer), token.cbBuffer});
}

}  // namespace

const SecurityFunctionTableW* Sspi() {
    static const SecurityFunctionTableW* const table = []() -> const SecurityFunctionTableW* {
        INIT_SECURITY_INTERFACE_W initialise = nullptr;
        FindFunction(LoadLibraryW(L"secur32.dll"), SECURITY_ENTRYPOINT_ANSIW, initialise);
        const SecurityFunctionTableW* functions = initialise != nullptr ? initialise() : nullptr;
        // A table without any of the functions used here counts as none.
        if (functions == nullptr || !functions->AcquireCredentialsHandleW ||
            !functions->FreeCredentialsHandle || !functions->InitializeSecurityContextW ||
            !functions->DeleteSecurityContext || !functions->QueryContextAttributesW ||
            !functions->FreeContextBuffer || !functions->EncryptMessage || !functions->DecryptMessage) {
            return nullptr;
        }
        return functions;
    }();
    return table;
}

SecHandle* TlsCredentials::Get() {
    if (handle_.Get() != nullptr) {
        return handle_.Get();
    }
    const SecurityFunctionTableW* const sspi = Sspi();
    if (sspi == nullptr) {
        return nullptr;
    }
    // The newer credential lets the system use TLS 1.3 where it has it; systems that do not know
    // it get the older one limited to TLS 1.2.
    TLS_PARAMETERS parameters{};
    parameters.grbitDisabledProtocols = static_cast<DWORD>(~kAtLeastTls12);
    SCH_CREDENTIALS modern{};
    modern.dwVersion = SCH_CREDENTIALS_VERSION;
    modern.dwFlags = SCH_CRED_NO_DEFAULT_CREDS | SCH_CRED_MANUAL_CRED_VALIDATION;
    modern.cTlsParameters = 1;
    modern.pTlsParameters = &parameters;
    if (sspi->AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND,
                                        nullptr, &modern, nullptr, nullptr, handle_.Slot(),
                                        nullptr) == SEC_E_OK) {
        handle_.Adopt();
        return handle_.Get();
    }
    SCHANNEL_CRED classic{};
    classic.dwVersion = SCHANNEL_CRED_VERSION;
    classic.grbitEnabledProtocols = SP_PROT_TLS1_2_CLIENT;
    classic.dwFlags = SCH_CRED_NO_DEFAULT_CREDS | SCH_CRED_MANUAL_CRED_VALIDATION;
    if (sspi->AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND,
                                        nullptr, &classic, nullptr, nullptr, handle_.Slot(),
                                        nullptr) != SEC_E_OK) {
        return nullptr;
    }
    handle_.Adopt();
    return handle_.Get();
}

bool TlsCredentials::Verified(const std::wstring& serverName, std::string_view certificate) const {
    return std::find(verified_.begin(), verified_.end(), std::pair(serverName, std::string(certificate))) !=
           verified_.end();
}

void TlsCredentials::AddVerified(const std::wstring& serverName, std::string_view certificate) {
    verified_.emplace_back(serverName, certificate);
}

TlsOpen TlsChannel::Open(const std::wstring& serverName) {
    socket_.StartReply();
    if (credentials_.Get() == nullptr || !Handshake(serverName)) {
        return TlsOpen::kHandshakeFailed;
    }
    SecPkgContext_ConnectionInfo connection{};
    if (Sspi()->QueryContextAttributesW(context_.Get(), SECPKG_ATTR_CONNECTION_INFO, &connection) !=
            SEC_E_OK ||
        (connection.dwProtocol & kAtLeastTls12) == 0 ||
        Sspi()->QueryContextAttributesW(context_.Get(), SECPKG_ATTR_STREAM_SIZES, &sizes_) != SEC_E_OK) {
        context_.Reset();
        return TlsOpen::kHandshakeFailed;
    }
    if (!VerifyServer(serverName)) {
        context_.Reset();
        return TlsOpen::kCertificateRejected;
    }
    return TlsOpen::kOpen;
}

SocketReceive TlsChannel::ReceiveMore() {
    const std::size_t had = encrypted_.size();
    encrypted_.resize(had + kReadChunk);
    const SocketReceiveResult received = socket_.Receive({encrypted_.data() + had, kReadChunk});
    encrypted_.resize(had + received.size);
    return received.status;
}

bool TlsChannel::Handshake(const std::wstring& serverName) {
    auto* name = const_cast<wchar_t*>(serverName.c_str());
    SECURITY_STATUS status = SEC_I_CONTINUE_NEEDED;
    DWORD request = kContextRequest;
    bool needMore = false;
    bool firstCall = true;
    bool heardServer = false;
    for (;;) {
        if (needMore || (!firstCall && encrypted_.empty())) {
            if (ReceiveMore() != SocketReceive::kData || encrypted_.size() > kMaxHandshakeBytes) {
                return false;
            }
            if (!heardServer && !CanStartTlsRecord(encrypted_.front())) {
                return false;
            }
            heardServer = true;
        }
        SecBuffer in[2] = {Buffer(SECBUFFER_TOKEN, encrypted_.data(), encrypted_.size()),
                           Buffer(SECBUFFER_EMPTY)};
        SecBufferDesc inDesc{SECBUFFER_VERSION, 2, in};
        SecBuffer out[1] = {Buffer(SECBUFFER_TOKEN)};
        SecBufferDesc outDesc{SECBUFFER_VERSION, 1, out};
        unsigned long granted = 0;
        status = Sspi()->InitializeSecurityContextW(credentials_.Get(), context_.Get(), name, request, 0, 0,
                                                    firstCall ? nullptr : &inDesc, 0, context_.Slot(),
                                                    &outDesc, &granted, nullptr);
        if (firstCall && (status == SEC_I_CONTINUE_NEEDED || status == SEC_E_OK)) {
            context_.Adopt();
        }
        // An alert SChannel produced for a failure goes out too, so the server knows.
        if (!SendToken(socket_, out[0]) || (FAILED(status) && status != SEC_E_INCOMPLETE_MESSAGE)) {
            return false;
        }
        needMore = status == SEC_E_INCOMPLETE_MESSAGE;
        if (needMore) {
            continue;
        }
        // The server asked for a client certificate: go on without one, on the same input.
        if (status == SEC_I_INCOMPLETE_CREDENTIALS && (request & ISC_REQ_USE_SUPPLIED_CREDS) == 0) {
            request |= ISC_REQ_USE_SUPPLIED_CREDS;
            continue;
        }
        if (!firstCall) {
            // Bytes after the handshake's last record (the greeting, for one) stay for Receive.
            const std::size_t extra = in[1].BufferType == SECBUFFER_EXTRA ? in[1].cbBuffer : 0;
            encrypted_.erase(encrypted_.begin(), encrypted_.end() - static_cast<std::ptrdiff_t>(extra));
        }
        firstCall = false;
        if (status == SEC_E_OK) {
            return true;
        }
        if (status != SEC_I_CONTINUE_NEEDED) {
            return false;
        }
    }
}

bool TlsChannel::VerifyServer(const std::wstring& serverName) {
    const CERT_CONTEXT* remote = nullptr;
    if (!Certificates().Loaded() ||
        Sspi()->QueryContextAttributesW(context_.Get(), SECPKG_ATTR_REMOTE_CERT_CONTEXT, &remote) !=
            SEC_E_OK ||
        remote == nullptr) {
        return false;
    }
    const UniqueCertificate certificate(remote);
    const std::string_view encoded(reinterpret_cast<const char*>(certificate->pbCertEncoded),
                                   certificate->cbCertEncoded);
    if (credentials_.Verified(serverName, encoded)) {
        return true;
    }
    char serverAuth[] = szOID_PKIX_KP_SERVER_AUTH;
    char* usages[] = {serverAuth};
    CERT_CHAIN_PARA chainPara{};
    chainPara.cbSize = sizeof chainPara;
    chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    chainPara.RequestedUsage.Usage.cUsageIdentifier = 1;
    chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
    const CERT_CHAIN_CONTEXT* built = nullptr;
    if (!Certificates().getChain(nullptr, certificate.get(), nullptr, certificate->hCertStore, &chainPara, 0,
                                 nullptr, &built) ||
        built == nullptr) {
        return false;
    }
    const UniqueChain chain(built);
    // Wine's policy check passes a chain that ends at an unknown root; the chain's own status
    // does not.
    if (chain->TrustStatus.dwErrorStatus != CERT_TRUST_NO_ERROR) {
        return false;
    }
    HTTPSPolicyCallbackData https{};
    https.cbStruct = sizeof https;
    https.dwAuthType = AUTHTYPE_SERVER;
    https.pwszServerName = const_cast<wchar_t*>(serverName.c_str());
    CERT_CHAIN_POLICY_PARA policy{};
    policy.cbSize = sizeof policy;
    policy.pvExtraPolicyPara = &https;
    CERT_CHAIN_POLICY_STATUS verdict{};
    verdict.cbSize = sizeof verdict;
    if (!Certificates().verifyChainPolicy(CERT_CHAIN_POLICY_SSL, chain.get(), &policy, &verdict) ||
        verdict.dwError != 0) {
        return false;
    }
    credentials_.AddVerified(serverName, encoded);
    return true;
}

bool TlsChannel::Send(std::string_view bytes) {
    if (context_.Get() == nullptr) {
        return false;
    }
    std::vector<char> record;
    while (!bytes.empty()) {
        const std::size_t chunk = std::min<std::size_t>(bytes.size(), sizes_.cbMaximumMessage);
        record.assign(sizes_.cbHeader + chunk + sizes_.cbTrailer, '\0');
        std::memcpy(record.data() + sizes_.cbHeader, bytes.data(), chunk);
        SecBuffer parts[4] = {
            Buffer(SECBUFFER_STREAM_HEADER, record.data(), sizes_.cbHeader),
            Buffer(SECBUFFER_DATA, record.data() + sizes_.cbHeader, chunk),
            Buffer(SECBUFFER_STREAM_TRAILER, record.data() + sizes_.cbHeader + chunk, sizes_.cbTrailer),
            Buffer(SECBUFFER_EMPTY)};
        SecBufferDesc desc{SECBUFFER_VERSION, 4, parts};
        if (Sspi()->EncryptMessage(context_.Get(), 0, &desc, 0) != SEC_E_OK ||
            !socket_.Send({record.data(), parts[0].cbBuffer + parts[1].cbBuffer + parts[2].cbBuffer})) {
            return false;
        }
        bytes.remove_prefix(chunk);
    }
    return true;
}

SocketReceiveResult TlsChannel::Receive(std::span<char> into) {
    if (context_.Get() == nullptr || into.empty()) {
        return {SocketReceive::kError, 0};
    }
    while (plain_.empty()) {
        SECURITY_STATUS status = SEC_E_INCOMPLETE_MESSAGE;
        SecBuffer parts[4] = {Buffer(SECBUFFER_DATA, encrypted_.data(), encrypted_.size()),
                              Buffer(SECBUFFER_EMPTY), Buffer(SECBUFFER_EMPTY), Buffer(SECBUFFER_EMPTY)};
        if (!encrypted_.empty()) {
            SecBufferDesc desc{SECBUFFER_VERSION, 4, parts};
            status = Sspi()->DecryptMessage(context_.Get(), &desc, 0, nullptr);
        }
        if (status == SEC_E_INCOMPLETE_MESSAGE) {
            const SocketReceive received = ReceiveMore();
            if (received != SocketReceive::kData) {
                return {received, 0};
            }
            continue;
        }
        if (status == SEC_I_CONTEXT_EXPIRED) {
            return {SocketReceive::kClosed, 0};
        }
        // A renegotiation request is carried on through: the records that follow still decrypt.
        if (status != SEC_E_OK && status != SEC_I_RENEGOTIATE) {
            return {SocketReceive::kError, 0};
        }
        std::string extra;
        for (const SecBuffer& part : parts) {
            if (part.BufferType == SECBUFFER_DATA) {
                plain_.append(static_cast<const char*>(part.pvBuffer), part.cbBuffer);
            } else if (part.BufferType == SECBUFFER_EXTRA) {
                extra.assign(static_cast<const char*>(part.pvBuffer), part.cbBuffer);
            }
        }
        encrypted_.assign(extra.begin(), extra.end());
    }
    const std::size_t size = std::min(into.size(), plain_.size());
    std::memcpy(into.data(), plain_.data(), size);
    plain_.erase(0, size);
    return {SocketReceive::kData, size};
}

}  // namespace torvin
