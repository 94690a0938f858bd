#include "platform/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/posix/SystemError.h"

extern char** environ;

namespace linkloom::platform {

namespace {

// A pipe whose ends this process does not hand to the programs it starts, and whose reading end
// never blocks.
bool MakePipe(int ends[2]) {
    if (pipe(ends) != 0) return false;
    fcntl(ends[0], F_SETFD, FD_CLOEXEC);
    fcntl(ends[1], F_SETFD, FD_CLOEXEC);
    fcntl(ends[0], F_SETFL, fcntl(ends[0], F_GETFL) | O_NONBLOCK);
    return true;
}

void CloseDescriptor(std::intptr_t& descriptor) {
    if (descriptor >= 0) close(static_cast<int>(descriptor));
    descriptor = -1;
}

// The program's file in an absolute folder of the PATH; empty when none holds it. An empty entry
// or a relative one would name the current folder, where anyone may have left a program.
std::string FindOnPath(const std::string& program) {
    const char* path = getenv("PATH");
    if (!path) return std::string();
    const std::string folders(path);
    for (std::size_t start = 0; start <= folders.size();) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        start = end + 1;
        if (folder.empty() || folder[0] != '/') continue;
        const std::string candidate = folder + "/" + program;
        struct stat info;
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::string();
}

std::vector<std::string> EnvironmentFor(const ChildEnvironment& environment) {
    const std::string drop = environment.dropPrefix.ToNativeBytes();
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable) {
        if (drop.empty() || std::string_view(*variable).compare(0, drop.size(), drop) != 0)
            variables.push_back(*variable);
    }
    for (const String& added : environment.added) variables.push_back(added.ToNativeBytes());
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
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

std::optional<SystemError> ChildProcess::Start(const String& program, const std::vector<String>& arguments,
                                               const ChildEnvironment& environment) {
    const std::string file = FindOnPath(program.ToNativeBytes());
    if (file.empty()) return ProgramNotFound(program);
    int output[2], errors[2];
    if (!MakePipe(output)) return LastFailure(program, Action::Start);
    if (!MakePipe(errors)) {
        const SystemError failure = LastFailure(program, Action::Start);
        close(output[0]);
        close(output[1]);
        return failure;
    }
    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, output[1], 1);
    posix_spawn_file_actions_adddup2(&setup.actions, errors[1], 2);
    // The program starts with the signals as a fresh one has them, whatever this process ignores
    // or blocks, in a process group of its own, so that what it starts ends with it.
    sigset_t defaults, none;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
    posix_spawnattr_setsigmask(&setup.attributes, &none);
    posix_spawnattr_setpgroup(&setup.attributes, 0);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETPGROUP);

    std::vector<std::string> texts = {file};
    for (const String& argument : arguments) texts.push_back(argument.ToNativeBytes());
    std::vector<std::string> variables = EnvironmentFor(environment);

    pid_t pid = -1;
    const int started = posix_spawn(&pid, file.c_str(), &setup.actions, &setup.attributes, Pointers(texts).data(),
                                    Pointers(variables).data());
    close(output[1]);
    close(errors[1]);
    if (started != 0) {
        close(output[0]);
        close(errors[0]);
        return SystemFailure(static_cast<std::uint32_t>(started), program, Action::Start);
    }
    process_ = pid;
    output_ = output[0];
    error_ = errors[0];
    ended_ = waited_ = false;
    return std::nullopt;
}

ChildProcess::ReadResult ChildProcess::ReadPipe(std::intptr_t& pipe, char* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    if (pipe < 0) return ReadResult::Ended;
    const ssize_t read = ::read(static_cast<int>(pipe), buffer, size);
    if (read > 0) {
        got = static_cast<std::size_t>(read);
        return ReadResult::Data;
    }
    if (read == 0) {
        CloseDescriptor(pipe);
        return ReadResult::Ended;
    }
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? ReadResult::Nothing : ReadResult::Failed;
}

ChildProcess::ReadResult ChildProcess::ReadOutput(char* buffer, std::size_t size, std::size_t& got) {
    return ReadPipe(output_, buffer, size, got);
}

ChildProcess::ReadResult ChildProcess::ReadError(char* buffer, std::size_t size, std::size_t& got) {
    return ReadPipe(error_, buffer, size, got);
}

void ChildProcess::Await(int milliseconds) {
    pollfd pipes[2];
    nfds_t count = 0;
    for (const std::intptr_t pipe : {output_, error_}) {
        if (pipe >= 0) pipes[count++] = pollfd{static_cast<int>(pipe), POLLIN, 0};
    }
    // A signal cuts the wait short, and the caller looks at why.
    poll(pipes, count, milliseconds);
}

bool ChildProcess::Ended() {
    if (ended_ || process_ == kNone) return true;
    // Looked at without reaping it, so that its process group stays its own until Wait.
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(process_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0) {
        ended_ = true;
    }
    return ended_;
}

void ChildProcess::Kill() {
    if (process_ == kNone || waited_) return;
    kill(-static_cast<pid_t>(process_), SIGKILL);
    kill(static_cast<pid_t>(process_), SIGKILL);
}

int ChildProcess::Wait() {
    if (process_ == kNone || waited_) return status_;
    int status = 0;
    while (waitpid(static_cast<pid_t>(process_), &status, 0) < 0) {
        if (errno != EINTR) return status_;
    }
    waited_ = ended_ = true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    Close();
    return status_;
}

}  // namespace linkloom::platform
