#include "platform/Console.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace linkloom::platform {

std::vector<String> ProgramArguments(int argc, char** argv) {
    std::vector<String> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(String::FromUtf8(argv[i]));
    return arguments;
}

bool ProtectStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // Opened the other way round, so that reading a closed input or writing a closed output
        // still fails. The new descriptor takes the lowest free number: `fd`, the lower ones
        // being open by now.
        if (open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY) < 0) return false;
    }
    // A reader that has gone (`| head`) makes the write fail with EPIPE, which the caller reports,
    // instead of ending the process before the files it writes are done.
    signal(SIGPIPE, SIG_IGN);
    return true;
}

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace linkloom::platform
