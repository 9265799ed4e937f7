#include "host/buses/pipe_bus.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

extern char** environ;

namespace vlt::host {

namespace {

constexpr std::size_t kReadChunkBytes = 64 * 1024;
// Reads per Service call, so that a chatty program leaves the tools their turn.
constexpr int kReadBatch = 16;
// Bad lines reported one by one; after that they are only counted.
constexpr std::uint64_t kReportedBadLines = 10;
// Without a pidfd the loop looks for the program's end this often.
constexpr std::int64_t kReapPollMicros = 100'000;

std::string ExitText(int status) {
  if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return std::string("signal ") + ::strsignal(WTERMSIG(status));
  return "status " + std::to_string(status);
}

}  // namespace

PipeBus::PipeBus(const platform::Clock& clock, std::string command, BusReceiver receiver,
                 std::function<void(const std::string&)> report)
    : clock_(clock),
      command_(std::move(command)),
      receiver_(std::move(receiver)),
      report_(std::move(report)) {}

PipeBus::~PipeBus() {
  CloseStream();
  if (pid_ > 0) {
    // The host is going: nothing waits for a grace period any more.
    ::kill(-pid_, SIGKILL);
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
  }
  if (pidFd_ >= 0) ::close(pidFd_);
}

bool PipeBus::Start() {
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    report_(std::string("cannot make the pipe for the bus program: ") + std::strerror(errno));
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], 0);
  posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // Its own process group, so that power off reaches every process of a pipeline;
  // default signals, because the host ignores SIGPIPE and that would be inherited.
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGTERM);
  sigaddset(&defaults, SIGINT);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  std::string shell = "/bin/sh";
  std::string dashC = "-c";
  char* argv[] = {shell.data(), dashC.data(), command_.data(), nullptr};
  const int spawned = ::posix_spawn(&pid_, shell.c_str(), &actions, &attributes, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  ::close(ends[1]);
  if (spawned != 0) {
    ::close(ends[0]);
    pid_ = -1;
    report_(std::string("cannot start the bus program: ") + std::strerror(spawned));
    return false;
  }
  stream_ = ends[0];
  ::fcntl(stream_, F_SETFL, ::fcntl(stream_, F_GETFL) | O_NONBLOCK);
  // Through syscall(): glibc's own declaration lacks C linkage in C++.
  pidFd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
  splitter_ = CandumpLineSplitter();
  out_.clear();
  state_ = State::kRunning;
  ++counters_.starts;
  return true;
}

void PipeBus::CloseStream() {
  if (stream_ >= 0) ::close(stream_);
  stream_ = -1;
  out_.clear();
}

void PipeBus::SetPower(bool on, std::int64_t nowMicros) {
  if (on) {
    if (state_ == State::kOff) Start();
    if (state_ == State::kStopping) restart_ = true;
    return;
  }
  restart_ = false;
  if (state_ != State::kRunning) return;
  // A powered-off device says nothing more: its last lines are not read.
  CloseStream();
  ::kill(-pid_, SIGTERM);
  state_ = State::kStopping;
  killDeadline_ = nowMicros + kPipeKillGraceMicros;
}

bool PipeBus::Powered() const {
  return state_ == State::kRunning || (state_ == State::kStopping && restart_);
}

bool PipeBus::Shutdown(std::int64_t nowMicros) {
  SetPower(false, nowMicros);
  return state_ == State::kOff;
}

void PipeBus::Put(const BusFrame& frame) {
  if (stream_ < 0 || out_.size() >= kMaxPipeOutputBytes) {
    ++counters_.dropped;
    return;
  }
  out_ += FormatCandumpLine(frame, clock_.NowMicros());
  out_ += '\n';
  ++counters_.sent;
}

bool PipeBus::Act(DeviceAction action, std::int64_t /*nowMicros*/) {
  if (stream_ < 0 || out_.size() >= kMaxPipeOutputBytes) return false;
  // Candump readers skip comment lines; a device model reads them as the operator.
  out_ += "# ";
  out_ += ActionCommand(action);
  out_ += '\n';
  return true;
}

void PipeBus::AppendPollFds(std::vector<pollfd>& fds) {
  const short streamEvents = static_cast<short>(POLLIN | (out_.empty() ? 0 : POLLOUT));
  fds.push_back({stream_, streamEvents, 0});
  fds.push_back({pidFd_, POLLIN, 0});
}

void PipeBus::Service(std::span<const pollfd> fds, std::int64_t /*nowMicros*/) {
  if (fds.size() >= 1 && fds[0].fd >= 0 && fds[0].fd == stream_) {
    if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) ReadFrames();
    if (stream_ >= 0 && (fds[0].revents & POLLOUT) != 0) WriteFrames();
  }
  if (fds.size() >= 2 && fds[1].fd >= 0 && fds[1].fd == pidFd_ && fds[1].revents != 0) Reap();
}

void PipeBus::ReadFrames() {
  char chunk[kReadChunkBytes];
  for (int i = 0; i < kReadBatch && stream_ >= 0; ++i) {
    const ssize_t n = ::recv(stream_, chunk, sizeof(chunk), MSG_DONTWAIT);
    if (n > 0) {
      splitter_.Feed(
          std::string_view(chunk, static_cast<std::size_t>(n)),
          [this](std::string_view line) { HandleLine(line); },
          [this] {
            ++counters_.in.tooLong;
            if (++reportedLines_ <= kReportedBadLines) {
              report_("line from the bus program skipped: longer than " +
                      std::to_string(kMaxCandumpLineBytes) + " bytes");
            }
          });
      continue;
    }
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    // The program closed its output: nothing more comes, whether it runs on or not.
    splitter_.Finish([this](std::string_view line) { HandleLine(line); });
    CloseStream();
  }
}

void PipeBus::HandleLine(std::string_view text) {
  const CandumpLine line = ParseCandumpLine(text);
  counters_.in.Count(line.kind);
  if (line.kind == CandumpLine::Kind::kMalformed) {
    if (++reportedLines_ <= kReportedBadLines) {
      report_("line from the bus program skipped: " + line.error);
      if (reportedLines_ == kReportedBadLines) report_("further bad lines are only counted");
    }
    return;
  }
  if (line.kind != CandumpLine::Kind::kFrame) return;
  std::optional<std::int64_t> stamp;
  if (line.stampMicros) stamp = stamps_.ToHost(*line.stampMicros, clock_.NowMicros());
  receiver_(BusFrameOf(line), stamp);
}

void PipeBus::WriteFrames() {
  while (!out_.empty()) {
    const ssize_t n = ::send(stream_, out_.data(), out_.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    if (n > 0) {
      out_.erase(0, static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    // The program no longer reads: what it did not take is lost.
    counters_.dropped += static_cast<std::uint64_t>(std::count(out_.begin(), out_.end(), '\n'));
    out_.clear();
    return;
  }
}

void PipeBus::Reap() {
  if (pid_ <= 0) return;
  int status = 0;
  const pid_t done = ::waitpid(pid_, &status, WNOHANG);
  if (done != pid_) return;
  if (state_ == State::kRunning) {
    ++counters_.exits;
    report_("the bus program ended by itself (" + ExitText(status) +
            "); \"dut power on\" starts it again");
  }
  pid_ = -1;
  if (pidFd_ >= 0) ::close(pidFd_);
  pidFd_ = -1;
  CloseStream();
  state_ = State::kOff;
  if (restart_) {
    restart_ = false;
    Start();
  }
}

std::optional<std::int64_t> PipeBus::NextDeadlineMicros() const {
  std::optional<std::int64_t> next;
  if (state_ == State::kStopping && killDeadline_ > 0) next = killDeadline_;
  if (pid_ > 0 && pidFd_ < 0) {
    const std::int64_t reap = clock_.NowMicros() + kReapPollMicros;
    if (!next || reap < *next) next = reap;
  }
  return next;
}

void PipeBus::RunDue(std::int64_t nowMicros) {
  if (state_ == State::kStopping && killDeadline_ > 0 && nowMicros >= killDeadline_) {
    ::kill(-pid_, SIGKILL);
    killDeadline_ = 0;  // sent; now only its end is awaited
  }
  if (pid_ > 0 && pidFd_ < 0) Reap();
}

std::string PipeBus::StatsText() const {
  return counters_.in.Text("pipe_") + " pipe_sent=" + std::to_string(counters_.sent) +
         " pipe_dropped=" + std::to_string(counters_.dropped) +
         " pipe_starts=" + std::to_string(counters_.starts) +
         " pipe_exits=" + std::to_string(counters_.exits);
}

}  // namespace vlt::host
