#include "support/host_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/run_dir.h"

extern char** environ;

namespace vlt::testing {

HostProcess::HostProcess() {
  char pattern[] = "/tmp/vlt-test.XXXXXX";
  if (::mkdtemp(pattern) != nullptr) {
    runDir_ = pattern;
    ::chmod(runDir_.c_str(), 0700);
    ::setenv("VLT_RUN_DIR", runDir_.c_str(), 1);
  }
}

HostProcess::~HostProcess() {
  Stop();
  std::error_code ec;
  if (!runDir_.empty()) std::filesystem::remove_all(runDir_, ec);
}

std::string HostProcess::BuiltProgram(const std::string& relative) {
  if (const char* build = std::getenv("VLT_BUILD_DIR"); build != nullptr && *build != '\0') {
    return std::string(build) + "/" + relative;
  }
  // Test programs live in <build>/tests.
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return (self.parent_path().parent_path() / relative).string();
}

bool HostProcess::Start(const std::vector<std::string>& args) {
  const std::string program = BuiltProgram("app/host/vlt-host");
  std::vector<std::string> all{program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  if (::posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
    pid_ = -1;
    return false;
  }
  // The control socket comes up after the tools' one: a test may talk to either at once.
  const std::string sockets[] = {platform::HostMailslotPath(runDir_),
                                 platform::HostControlPath(runDir_)};
  const auto isSocket = [](const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
  };
  for (int i = 0; i < 500; ++i) {
    if (isSocket(sockets[0]) && isSocket(sockets[1])) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

namespace {

pid_t Spawn(const std::string& relative, const std::vector<std::string>& args,
            const std::string& stdoutFile, const std::string& stderrFile) {
  const std::string program = HostProcess::BuiltProgram(relative);
  std::vector<std::string> all{program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  int pipeEnds[2] = {-1, -1};
  if (stdoutFile == kClosedPipe && ::pipe2(pipeEnds, O_CLOEXEC) == 0) {
    ::close(pipeEnds[0]);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
  }
  posix_spawn_file_actions_addopen(&actions, 2, stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (pipeEnds[1] >= 0) ::close(pipeEnds[1]);
  return spawned == 0 ? pid : -1;
}

// The exit status once `pid` ends within `limitMs` (negative: no limit); -1 otherwise.
int WaitFor(pid_t pid, int limitMs) {
  for (int waited = 0; limitMs < 0 || waited <= limitMs; waited += 10) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, limitMs < 0 ? 0 : WNOHANG);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
    if (done < 0) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return -1;
}

// Its exit status once `pid` ends within `limitMs` (then `pid` is -1); -1 while
// it runs on, or when it did not exit normally.
int Reap(pid_t& pid, int limitMs) {
  if (pid <= 0) return -1;
  const int status = WaitFor(pid, limitMs);
  if (status == -1) return -1;  // still running
  pid = -1;
  return status < 0 ? -1 : status;
}

}  // namespace

int HostProcess::RunProgram(const std::string& relative, const std::vector<std::string>& args,
                            const std::string& stdoutFile, const std::string& stderrFile) const {
  const pid_t pid = Spawn(relative, args, stdoutFile, stderrFile);
  if (pid <= 0) return -1;
  const int status = WaitFor(pid, -1);
  return status < 0 ? -1 : status;
}

BackgroundProgram::BackgroundProgram(const std::string& relative,
                                     const std::vector<std::string>& args,
                                     const std::string& stdoutFile, const std::string& stderrFile)
    : pid_(Spawn(relative, args, stdoutFile, stderrFile)) {}

BackgroundProgram::~BackgroundProgram() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  WaitFor(pid_, -1);
}

void BackgroundProgram::Signal(int signal) const {
  if (pid_ > 0) ::kill(pid_, signal);
}

int BackgroundProgram::Wait(int limitMs) {
  return Reap(pid_, limitMs);
}

int HostProcess::WaitForExit(int limitMs) {
  return Reap(pid_, limitMs);
}

void HostProcess::Kill() {
  EndWith(SIGKILL);
}

void HostProcess::Stop() {
  EndWith(SIGTERM);
}

void HostProcess::EndWith(int signal) {
  if (pid_ <= 0) return;
  ::kill(pid_, signal);
  WaitFor(pid_, -1);
  pid_ = -1;
}

}  // namespace vlt::testing
