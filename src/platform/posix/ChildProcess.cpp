#include "platform/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/posix/SystemError.h"

extern char** environ;

namespace linkloom::platform {

namespace {

// A pipe whose ends this process does not hand to the programs it starts.
bool MakePipe(int ends[2]) {
    if (pipe(ends) != 0) return false;
    fcntl(ends[0], F_SETFD, FD_CLOEXEC);
    fcntl(ends[1], F_SETFD, FD_CLOEXEC);
    return true;
}

void CloseDescriptor(std::intptr_t& descriptor) {
    if (descriptor >= 0) close(static_cast<int>(descriptor));
    descriptor = -1;
}

// Owns what starting a program needs until it has started.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
    }
};

}  // namespace

ChildProcess::~ChildProcess() {
    if (process_ != kNone && !waited_) {
        Kill();
        Wait();
    }
    Close();
}

void ChildProcess::Close() {
    CloseDescriptor(output_);
    CloseDescriptor(error_);
}

ChildProcess::StartResult ChildProcess::Start(const String& program, const std::vector<String>& arguments,
                                              SystemError& error) {
    int output[2], errors[2];
    if (!MakePipe(output)) {
        error.code = static_cast<std::uint32_t>(errno);
        return StartResult::Failed;
    }
    if (!MakePipe(errors)) {
        error.code = static_cast<std::uint32_t>(errno);
        close(output[0]);
        close(output[1]);
        return StartResult::Failed;
    }
    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, output[1], 1);
    posix_spawn_file_actions_adddup2(&setup.actions, errors[1], 2);
    // The program starts with the signals as a fresh one has them, whatever this process ignores
    // or blocks.
    sigset_t defaults, none;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
    posix_spawnattr_setsigmask(&setup.attributes, &none);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    std::vector<std::string> texts;
    texts.push_back(program.ToNativeBytes());
    for (const String& argument : arguments) texts.push_back(argument.ToNativeBytes());
    std::vector<char*> argv;
    for (std::string& text : texts) argv.push_back(text.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int started = posix_spawnp(&pid, texts[0].c_str(), &setup.actions, &setup.attributes, argv.data(), environ);
    close(output[1]);
    close(errors[1]);
    if (started != 0) {
        close(output[0]);
        close(errors[0]);
        if (started == ENOENT) return StartResult::NotFound;
        error.code = static_cast<std::uint32_t>(started);
        return StartResult::Failed;
    }
    process_ = pid;
    output_ = output[0];
    error_ = errors[0];
    waited_ = false;
    return StartResult::Started;
}

bool ChildProcess::ReadPipe(std::intptr_t pipe, char* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    for (;;) {
        const ssize_t read = ::read(static_cast<int>(pipe), buffer, size);
        if (read >= 0) {
            got = static_cast<std::size_t>(read);
            return true;
        }
        if (!ShouldRetry(errno)) return false;
    }
}

bool ChildProcess::ReadOutput(char* buffer, std::size_t size, std::size_t& got) {
    return ReadPipe(output_, buffer, size, got);
}

bool ChildProcess::ReadError(char* buffer, std::size_t size, std::size_t& got) {
    return ReadPipe(error_, buffer, size, got);
}

void ChildProcess::Kill() {
    if (process_ != kNone && !waited_) kill(static_cast<pid_t>(process_), SIGKILL);
}

int ChildProcess::Wait() {
    if (process_ == kNone || waited_) return status_;
    int status = 0;
    while (waitpid(static_cast<pid_t>(process_), &status, 0) < 0) {
        if (errno != EINTR) return status_;
    }
    waited_ = true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    Close();
    return status_;
}

}  // namespace linkloom::platform
