// measure PROGRAM [ARGS...]: runs the program (its output to /dev/null, its error
// stream passed on) and prints "<wall s> <cpu s> <peak KiB> <exit status>".
//
// The peak is the largest resident set of the program and of the children it waited
// for. It comes from a small launcher on purpose: the peak of a process started by a
// big interpreter would include the interpreter's pages from before the exec.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: measure PROGRAM [ARGS...]\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) {
    std::perror("measure: fork");
    return 1;
  }
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) ::dup2(null, STDOUT_FILENO);
    ::execvp(argv[1], argv + 1);
    std::fprintf(stderr, "measure: cannot run %s: %s\n", argv[1], std::strerror(errno));
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  while (::wait4(pid, &status, 0, &usage) < 0) {
    if (errno != EINTR) {
      std::perror("measure: wait4");
      return 1;
    }
  }
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const int exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::printf("%.6f %.6f %ld %d\n", wall, Seconds(usage.ru_utime) + Seconds(usage.ru_stime), usage.ru_maxrss,
              exitStatus);
  return 0;
}
