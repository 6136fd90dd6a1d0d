#include "ZintOracle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <sstream>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace oracles {
namespace {

struct Captured {
    std::string out;
    std::string err;
    int status = 0;
};

class Pipe {
public:
    Pipe() {
        if (::pipe2(fds_, O_CLOEXEC) != 0) {
            fds_[0] = fds_[1] = -1;
        }
    }
    ~Pipe() {
        CloseRead();
        CloseWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    bool Ok() const { return fds_[0] >= 0; }
    int Read() const { return fds_[0]; }
    int Write() const { return fds_[1]; }
    void CloseRead() { Close(fds_[0]); }
    void CloseWrite() { Close(fds_[1]); }

private:
    static void Close(int& fd) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
    int fds_[2];
};

// Starts args[0] from PATH with args as its argv, no shell in between, stdin
// from /dev/null, and collects stdout and stderr until it exits. Returns why it
// could not run, or an empty string.
std::string Run(std::vector<std::string> args, Captured& captured) {
    Pipe out;
    Pipe err;
    if (!out.Ok() || !err.Ok()) {
        return std::string("pipe: ") + std::strerror(errno);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out.Write(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.Write(), STDERR_FILENO);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned == ENOENT) {
        return args[0] + " not found on PATH; install it with scripts/install-deps.sh";
    }
    if (spawned != 0) {
        return "cannot start " + args[0] + ": " + std::strerror(spawned);
    }
    out.CloseWrite();
    err.CloseWrite();

    // Both pipes are drained together: a child blocked on a full stderr pipe
    // would never close stdout.
    pollfd polled[2] = {{out.Read(), POLLIN, 0}, {err.Read(), POLLIN, 0}};
    std::string* sinks[2] = {&captured.out, &captured.err};
    int open = 2;
    while (open > 0) {
        if (::poll(polled, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (polled[i].fd < 0 || polled[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t got = ::read(polled[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                polled[i].fd = -1;
                --open;
            }
        }
    }
    while (::waitpid(pid, &captured.status, 0) < 0) {
        if (errno != EINTR) {
            return std::string("waitpid: ") + std::strerror(errno);
        }
    }
    return {};
}

std::string Trimmed(std::string text) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    text.erase(std::find_if_not(text.rbegin(), text.rend(), blank).base(), text.end());
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
    return text;
}

// Turns --dump output into rows of '0'/'1' cut back to the symbol width.
// Returns false on anything but hex digits and spaces.
bool ParseDump(const std::string& dump, std::vector<std::string>& rows) {
    std::istringstream lines(dump);
    std::string line;
    size_t width = 0;
    while (std::getline(lines, line)) {
        std::string row;
        for (const char c : line) {
            if (c == ' ' || c == '\r') {
                continue;
            }
            if (!std::isxdigit(static_cast<unsigned char>(c))) {
                return false;
            }
            const int nibble = std::isdigit(static_cast<unsigned char>(c))
                                   ? c - '0'
                                   : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
            for (int bit = 3; bit >= 0; --bit) {
                row.push_back((nibble >> bit) & 1 ? '1' : '0');
            }
        }
        if (row.empty()) {
            continue;
        }
        const size_t lastDark = row.find_last_of('1');
        if (lastDark != std::string::npos) {
            width = std::max(width, lastDark + 1);
        }
        rows.push_back(std::move(row));
    }
    for (std::string& row : rows) {
        row.resize(width);
    }
    return width > 0;
}

}  // namespace

const std::string& ZintSymbol::FirstRow() const {
    static const std::string kNone;
    return rows.empty() ? kNone : rows.front();
}

ZintSymbol ZintModules(const std::string& type, const std::string& data,
                       const std::vector<std::string>& options) {
    ZintSymbol symbol;
    if (data.find('\0') != std::string::npos) {
        symbol.error = "a command-line argument cannot hold NUL; use --esc and \\0";
        ADD_FAILURE() << symbol.error;
        return symbol;
    }
    std::vector<std::string> args = {"zint", "--barcode=" + type, "--dump", "--werror"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back("--data=" + data);

    Captured captured;
    if (std::string failure = Run(std::move(args), captured); !failure.empty()) {
        symbol.error = std::move(failure);
        ADD_FAILURE() << symbol.error;
        return symbol;
    }
    if (WIFSIGNALED(captured.status)) {
        symbol.error = "zint died of signal " + std::to_string(WTERMSIG(captured.status));
        ADD_FAILURE() << symbol.error;
        return symbol;
    }
    if (WEXITSTATUS(captured.status) != 0) {
        symbol.error = Trimmed(captured.err);
        if (symbol.error.empty()) {
            symbol.error =
                "zint exited with status " + std::to_string(WEXITSTATUS(captured.status));
        }
        return symbol;
    }
    if (!ParseDump(captured.out, symbol.rows)) {
        symbol.rows.clear();
        symbol.error = "unexpected zint --dump output: " + captured.out;
        ADD_FAILURE() << symbol.error;
    }
    return symbol;
}

}  // namespace oracles
