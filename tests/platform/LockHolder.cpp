// Takes the instance lock named on the command line and holds it until killed, the way a running
// copy of the program does. With --start-child it also starts a long-lived child process first,
// as the program does when it opens a browser. Prints "held CHILD_PID" (0: no child) once it
// holds the lock, or "not held" and exits 1.
#include "platform/InstanceLock.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s NAME [--start-child]\n", argv[0]);
        return 2;
    }
    tickwell::InstanceLock lock(QString::fromLocal8Bit(argv[1]));
    if (lock.tryAcquire() != tickwell::InstanceLock::Result::Acquired) {
        std::printf("not held\n");
        return 1;
    }
    pid_t child = 0;
    if (argc > 2 && std::strcmp(argv[2], "--start-child") == 0) {
        char sleepProgram[] = "sleep";
        char duration[] = "600";
        char* childArgs[] = {sleepProgram, duration, nullptr};
        if (posix_spawnp(&child, "sleep", nullptr, nullptr, childArgs, environ) != 0) {
            std::printf("no child\n");
            return 1;
        }
    }
    std::printf("held %d\n", static_cast<int>(child));
    std::fflush(stdout);
    for (;;) {
        pause();
    }
}
