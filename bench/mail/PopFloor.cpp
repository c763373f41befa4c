// The floor for a sequential mail check pass: a bare Linux client making the same POP3
// exchanges as Torvin (USER, PASS, STAT, QUIT over one connection per mailbox), with nothing
// else. Built and run by bench/mail/run.sh.
//   pop_floor <port> <user:password>...
#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

// One reply line; false when the connection ended first or the reply is negative.
bool ReadReply(int fd) {
    std::string line;
    char c = 0;
    while (read(fd, &c, 1) == 1) {
        if (c == '\n') {
            return line.rfind("+OK", 0) == 0;
        }
        line.push_back(c);
    }
    return false;
}

bool Check(std::uint16_t port, const std::string& user, const std::string& password) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ReadReply(fd);
    for (const std::string& command : {"USER " + user + "\r\n", "PASS " + password + "\r\n",
                                       std::string("STAT\r\n"), std::string("QUIT\r\n")}) {
        ok = ok && write(fd, command.data(), command.size()) == static_cast<ssize_t>(command.size()) &&
             ReadReply(fd);
    }
    close(fd);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pop_floor <port> <user:password>...\n");
        return 2;
    }
    const auto port = static_cast<std::uint16_t>(std::stoi(argv[1]));
    int counted = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 2; i < argc; ++i) {
        const std::string login = argv[i];
        const auto colon = login.find(':');
        counted += Check(port, login.substr(0, colon), login.substr(colon + 1)) ? 1 : 0;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("floor: %d of %d mailboxes counted in %.3f s\n", counted, argc - 2, elapsed.count());
    return counted == argc - 2 ? 0 : 1;
}
