// Times one mail check pass over the pets given on the command line, each with its own mailbox
// on a loopback POP3 server. bench/mail/run.sh starts the server, runs this and compares curl.
//   mail_bench.exe <server line> <user:password>...
// The server line is stored as a pet's: "127.0.0.1:<port>" or "pop3s://localhost:<port>".
#include <winsock2.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/BlockingSocket.h"
#include "mail/MailCheckPass.h"
#include "mail/MailCheckRunner.h"
#include "mail/SocketPopConnection.h"

namespace {

class CountingSink : public torvin::MailCellSink {
  public:
    void Show(int, const torvin::MailCell& cell) override {
        if (cell.text == torvin::MailCellText::kMailCount) {
            ++counted;
        }
    }
    int counted = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: mail_bench <server line> <user:password>...\n");
        return 2;
    }
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        return 1;
    }
    const std::string server = argv[1];
    std::vector<torvin::MailAccount> accounts;
    for (int i = 2; i < argc; ++i) {
        const std::string account = argv[i];
        const auto colon = account.find(':');
        accounts.push_back({server, account.substr(0, colon), account.substr(colon + 1), 0});
    }
    const torvin::MailCheckTimeouts timeouts;
    torvin::BlockingSocket socket(timeouts.connect, timeouts.reply);
    torvin::SocketPopConnection connection(socket);
    CountingSink sink;
    const auto start = std::chrono::steady_clock::now();
    const bool completed = torvin::RunMailCheckPass(accounts, connection, sink);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("torvin: %d of %zu mailboxes counted in %.3f s\n", sink.counted, accounts.size(),
                elapsed.count());
    WSACleanup();
    return completed ? 0 : 1;
}
