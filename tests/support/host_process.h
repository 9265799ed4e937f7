// A real vlt-host in a private run folder, for tests over real sockets.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vlt::testing {

// `vlt run` of a test that ends about a second after it finds a DUT in normal
// operation and judges nothing (ND-10 with every DGN slot "not used"), then `extra`.
inline std::vector<std::string> QuickRun(std::vector<std::string> extra = {}) {
  std::vector<std::string> args = {"run", "ND10"};
  for (const char* slot : {"Supported DGN 1", "Supported DGN 2", "Supported DGN 3",
                           "Unsupported DGN 1", "Unsupported DGN 2", "Unsupported DGN 3"}) {
    args.push_back("--set");
    args.push_back(std::string(slot) + "=0");
  }
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

// As a stdout file: a pipe whose reader has already gone (`vlt run ... | head`).
inline constexpr const char* kClosedPipe = "|closed";

class HostProcess {
 public:
  // Makes a private run folder (mode 0700) and points VLT_RUN_DIR at it.
  HostProcess();
  // Stops the host (SIGTERM) and removes the folder.
  ~HostProcess();
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  // Starts vlt-host from the build folder with the arguments; true once its
  // socket is there.
  bool Start(const std::vector<std::string>& args);
  // SIGTERM: the host says goodbye to its tools and ends.
  void Stop();
  // SIGKILL: the host ends without a word, its socket left behind.
  void Kill();
  // Waits for the host to end by itself; its exit status, or -1 when it still runs
  // after `limitMs` or did not exit normally.
  int WaitForExit(int limitMs);
  const std::string& RunDir() const { return runDir_; }
  // The path of a program built by this build (relative to the build folder).
  static std::string BuiltProgram(const std::string& relative);
  // Runs a built program to its end with this run folder; its exit status, -1 when
  // it could not run. Standard output and error go to the files when given.
  int RunProgram(const std::string& relative, const std::vector<std::string>& args,
                 const std::string& stdoutFile = "/dev/null",
                 const std::string& stderrFile = "/dev/null") const;

 private:
  void EndWith(int signal);
  std::string runDir_;
  pid_t pid_ = -1;
};

// A built program running in the background (with the test's run folder), for
// tests that signal it while it works.
class BackgroundProgram {
 public:
  BackgroundProgram(const std::string& relative, const std::vector<std::string>& args,
                    const std::string& stdoutFile = "/dev/null",
                    const std::string& stderrFile = "/dev/null");
  // Kills it if it still runs.
  ~BackgroundProgram();
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;

  bool Started() const { return pid_ > 0; }
  void Signal(int signal) const;
  // Its exit status once it ends within `limitMs`; -1 when it still runs (or
  // did not exit normally).
  int Wait(int limitMs);

 private:
  pid_t pid_ = -1;
};

}  // namespace vlt::testing
