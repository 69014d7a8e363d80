#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/errors.h"
#include "platform/process.h"

extern char** environ;

namespace ordwell {
namespace {

class PosixChild : public ChildProcess {
 public:
  PosixChild(pid_t pid, int errFd) : pid_(pid), errFd_(errFd) {}
  ~PosixChild() override {
    if (!status_) {
      // Never leave a zombie: a child still running is stopped with the handle.
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (errFd_ >= 0) ::close(errFd_);
  }

  std::optional<int> Poll() override {
    Drain();
    if (status_) return status_;
    int raw = 0;
    pid_t r = ::waitpid(pid_, &raw, WNOHANG);
    if (r == pid_) {
      status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + (WIFSIGNALED(raw) ? WTERMSIG(raw) : 0);
      Drain();
    }
    return status_;
  }

  void Kill() override {
    if (status_) return;
    ::kill(pid_, SIGKILL);
    int raw = 0;
    if (::waitpid(pid_, &raw, 0) == pid_) status_ = 128 + SIGKILL;
    Drain();
  }

  std::string ErrorOutput() override {
    Drain();
    return errors_;
  }

 private:
  void Drain() {
    if (errFd_ < 0) return;
    char buf[4096];
    for (;;) {
      ssize_t n = ::read(errFd_, buf, sizeof buf);
      if (n > 0) {
        // Keep the message readable; a runaway writer cannot fill memory.
        if (errors_.size() < 65536) errors_.append(buf, static_cast<size_t>(n));
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n == 0) {
        ::close(errFd_);
        errFd_ = -1;
      }
      return;
    }
  }

  pid_t pid_;
  int errFd_;
  std::optional<int> status_;
  std::string errors_;
};

class Launcher : public ProcessLauncher {
 public:
  std::unique_ptr<ChildProcess> Start(const std::string& executable,
                                      const std::string& workingDirectory) override {
    if (::access(executable.c_str(), X_OK) != 0)
      throw ProcessError("Cannot start the converter \"" + executable + "\": " + std::strerror(errno));
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
      throw ProcessError("Cannot start the converter \"" + executable + "\": " + std::strerror(errno));
    ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
    posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());

    std::string arg0 = executable;
    char* argv[] = {arg0.data(), nullptr};
    pid_t pid = 0;
    int rc = ::posix_spawn(&pid, executable.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
      ::close(pipeFds[0]);
      throw ProcessError("Cannot start the converter \"" + executable + "\": " + std::strerror(rc));
    }
    return std::make_unique<PosixChild>(pid, pipeFds[0]);
  }
};

}  // namespace

ProcessLauncher& PosixProcessLauncher() {
  static Launcher instance;
  return instance;
}

}  // namespace ordwell
