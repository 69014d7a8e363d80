#include "child_run.h"

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "support/temp_dir.h"

extern char** environ;

namespace ordwell::testing {
namespace {

constexpr unsigned kNobody = 65534;

std::vector<std::string> ChildEnvironment(const std::vector<std::string>& replacing) {
  std::vector<std::string> env = replacing;
  env.emplace_back("LC_ALL=C.UTF-8");
  auto replaced = [&](const char* entry) {
    for (const std::string& r : env)
      if (std::strncmp(entry, r.c_str(), r.find('=') + 1) == 0) return true;
    return false;
  };
  for (char** e = environ; *e; ++e)
    if (!replaced(*e)) env.emplace_back(*e);
  return env;
}

[[noreturn]] void ChildFails(const char* what) {
  // Only async-signal-safe calls between fork and exec.
  ssize_t ignored = ::write(2, what, std::strlen(what));
  (void)ignored;
  ::_exit(127);
}

}  // namespace

unsigned UnprivilegedUid() { return ::geteuid() == 0 ? kNobody : ::geteuid(); }

ChildResult RunChild(const ChildRun& run) {
  TempDir capture;
  const std::string outPath = capture / "out", errPath = capture / "err";
  std::vector<std::string> env = ChildEnvironment(run.env);
  std::vector<char*> argv, envp;
  for (const std::string& a : run.args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0 || err < 0) throw std::runtime_error("cannot capture the child's output");

  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    if (::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ChildFails("dup2 failed\n");
    if (::chdir(run.workingDir.c_str()) != 0) ChildFails("chdir failed\n");
    if (run.removeWorkingDir && ::rmdir(run.workingDir.c_str()) != 0) ChildFails("rmdir failed\n");
    if (run.fileSizeLimit) {
      ::signal(SIGXFSZ, SIG_IGN);  // inherited through exec, by the converter too
      // The soft limit only, as `ulimit -S -f` sets it: a child may lift it again.
      struct rlimit limit;
      if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) ChildFails("getrlimit failed\n");
      limit.rlim_cur = static_cast<rlim_t>(*run.fileSizeLimit);
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ChildFails("setrlimit failed\n");
    }
    if (run.withoutRoot && ::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
      ChildFails("cannot drop root\n");
    ::execve(argv[0], argv.data(), envp.data());
    ChildFails("exec failed\n");
  }
  ::close(out);
  ::close(err);
  int raw = 0;
  while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
  }
  ChildResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  result.out = ReadBytes(outPath);
  result.err = ReadBytes(errPath);
  return result;
}

}  // namespace ordwell::testing
