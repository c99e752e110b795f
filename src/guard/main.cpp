// corvanta-guard PROGRAM [ARGUMENT...]: runs PROGRAM for Corvanta and ends
// it, and everything it started, when Corvanta ends, however it ends.
//
// Corvanta ends what it starts itself, but a program killed outright
// (SIGKILL, the out-of-memory killer) can do nothing more. pdftk is a shell
// script that starts Java as a child of its own, and a process that loses
// its parent runs on. This guard asks the system to tell it when Corvanta
// is gone, and then ends its whole process group, which Corvanta made for
// the guard and which the guard's program and its children share.
// It exits as its program did: with its exit code, or by its signal.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

extern "C" void endTheGroup(int)
{
    ::kill(0, SIGKILL);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2)
        return 127;
    const pid_t corvanta = ::getppid();
    struct sigaction ending = {};
    ending.sa_handler = endTheGroup;
    sigemptyset(&ending.sa_mask);
    for (int number : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(number, &ending, nullptr);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // Corvanta may have ended before it could be asked to tell.
    if (::getppid() != corvanta)
        endTheGroup(0);

    const pid_t program = ::fork();
    if (program < 0)
        return 127;
    if (program == 0) {
        struct sigaction plain = {};
        plain.sa_handler = SIG_DFL;
        for (int number : {SIGTERM, SIGHUP, SIGINT})
            ::sigaction(number, &plain, nullptr);
        ::prctl(PR_SET_PDEATHSIG, 0);
        ::execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    int status = 0;
    while (::waitpid(program, &status, 0) < 0 && errno == EINTR) {}
    if (WIFSIGNALED(status)) {
        ::signal(WTERMSIG(status), SIG_DFL);
        ::raise(WTERMSIG(status));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 127;
}
