// torvel_peak_rss OUTPUT PROGRAM [ARGUMENT...]: runs PROGRAM with its standard output going to
// OUTPUT and its standard error to OUTPUT.stderr, waits for it, and prints "PEAK_KIB EXIT_CODE"
// (exit code -1 for a signal or a program that could not be started).
//
// The peak resident memory of a child must come from a process that was small when it started
// the child: Linux carries the parent's peak into a child that it forks or spawns, so a large
// benchmark process would see its own peak in every child it starts itself.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: torvel_peak_rss OUTPUT PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        std::printf("0 -1\n");
        return 1;
    }
    if (pid == 0) {
        const std::string err = std::string(argv[1]) + ".stderr";
        const int out = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int errors = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int in = open("/dev/null", O_RDONLY);
        if (out < 0 || errors < 0 || in < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(errors, 2) < 0) {
            _exit(127);
        }
        execv(argv[2], argv + 2);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            std::printf("0 -1\n");
            return 1;
        }
    }
    std::printf("%ld %d\n", usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return 0;
}
