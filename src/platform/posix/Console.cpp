#include "platform/Console.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace linkloom::platform {

namespace {

std::atomic<bool>* interruptFlag = nullptr;

void OnInterrupt(int) {
    if (interruptFlag) interruptFlag->store(true);
}

void WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        done += static_cast<std::size_t>(written);
    }
}

}  // namespace

std::vector<String> ProgramArguments(int argc, char** argv) {
    std::vector<String> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(String::FromUtf8(argv[i]));
    return arguments;
}

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

void WriteStandardOutput(const std::string& bytes) { WriteAll(STDOUT_FILENO, bytes); }

void WriteStandardError(const std::string& bytes) { WriteAll(STDERR_FILENO, bytes); }

void InstallInterruptHandler(std::atomic<bool>* flag) {
    interruptFlag = flag;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace linkloom::platform
