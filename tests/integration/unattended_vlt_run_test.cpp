// `vlt run` left alone, as a lab script runs it, against a real vlt-host: the
// signals a supervisor sends, a host that dies or goes and comes back, a test
// that would wait for ever, and a device on the frame pipe that claims in its
// first line. Real processes, because signals and sockets are the point; each
// case takes a few seconds of real time.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/host_process.h"

namespace vlt {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kVlt = "app/cli/vlt";
// A-10 runs 10 s at least; by now it is past the claim and watching.
constexpr auto kIntoTheTest = 2500ms;
constexpr int kExitLimitMs = 20'000;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool Has(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

// The line `back` lines above the first `line` of a saved log; empty without it.
std::string LineAbove(const std::string& log, const std::string& line, std::size_t back) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = log.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(log.substr(at, end - at));
  }
  const auto it = std::find(lines.begin(), lines.end(), line);
  const auto index = static_cast<std::size_t>(it - lines.begin());
  return it == lines.end() || index < back ? std::string() : lines[index - back];
}

TEST(UnattendedVltRun, SigintSigtermAndSighupAbortTheTestSaveItsLogAndLeaveTheFolderUsable) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--dut", "static:253"}));
  const fs::path out = host.RunDir() + "/logs";
  const std::pair<int, std::string> signals[] = {
      {SIGINT, "SIGINT (Ctrl-C)."}, {SIGTERM, "SIGTERM."}, {SIGHUP, "SIGHUP: its terminal"}};
  for (const auto& [signal, named] : signals) {
    SCOPED_TRACE(signal);
    testing::BackgroundProgram vlt(
        kVlt, {"run", "A10", "A20", "--out", out.string(), "--set", "Product Name=Widget"});
    ASSERT_TRUE(vlt.Started());
    std::this_thread::sleep_for(kIntoTheTest);
    vlt.Signal(signal);
    EXPECT_EQ(vlt.Wait(kExitLimitMs), 2);
  }
  // Every aborted A-10 run is kept under a name of its own; A-20 never ran.
  // Each report names its signal, then what the run was waiting for.
  const std::vector<std::string> logs = Names(out);
  ASSERT_EQ(logs.size(), 3u);
  std::string signalLines;
  for (const std::string& name : logs) {
    EXPECT_TRUE(name.starts_with("Widget_A10_")) << name;
    const std::string log = ReadFile(out / name);
    const std::string waited = LineAbove(log, "Test A10 aborted.", 1);
    EXPECT_FALSE(waited.empty() || waited.starts_with("Waiting in ")) << log;
    signalLines += LineAbove(log, "Test A10 aborted.", 2) + "\n";
    EXPECT_TRUE(Has(log, "    ABORTED!!!\r\n"));
  }
  for (const auto& [signal, named] : signals) {
    EXPECT_TRUE(Has(signalLines, "The tester received " + named)) << signalLines;
  }

  // The tester lock and the host's tool table are free again.
  EXPECT_EQ(host.RunProgram(kVlt, {"run", "ND10", "--out", out.string()}), 0);
}

// A closed SSH session takes the tty operator with it: the aborted run keeps its
// report all the same.
TEST(UnattendedVltRun, ASighupWithNobodyAtTheTerminalStillKeepsTheReport) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--dut", "none"}));
  const fs::path out = host.RunDir() + "/logs";
  testing::BackgroundProgram vlt(kVlt, {"run", "A20", "--operator", "tty", "--out", out.string()});
  std::this_thread::sleep_for(1500ms);  // waiting for the DUT's traffic
  vlt.Signal(SIGHUP);
  EXPECT_EQ(vlt.Wait(kExitLimitMs), 2);
  ASSERT_EQ(Names(out).size(), 1u);
  const std::string log = ReadFile(out / Names(out)[0]);
  EXPECT_EQ(LineAbove(log, "Test A20 aborted.", 2),
            "The tester received SIGHUP: its terminal or session was closed.")
      << log;
  EXPECT_TRUE(Has(log, "    ABORTED!!!\r\n")) << log;
}

TEST(UnattendedVltRun, AHostKilledMidTestEndsTheRunWith69AndNoReportWithoutTheAbortMark) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--dut", "static:253"}));
  const fs::path out = host.RunDir() + "/logs";
  const std::string stderrFile = host.RunDir() + "/stderr.txt";
  testing::BackgroundProgram vlt(
      kVlt, {"run", "A10", "A20", "--out", out.string(), "--set", "Manufacturer ID=291"},
      "/dev/null", stderrFile);
  std::this_thread::sleep_for(kIntoTheTest);
  host.Kill();
  EXPECT_EQ(vlt.Wait(kExitLimitMs), 69) << ReadFile(stderrFile);
  const std::vector<std::string> logs = Names(out);
  ASSERT_EQ(logs.size(), 1u);  // A-20 was not started on a dead link
  const std::string log = ReadFile(out / logs[0]);
  EXPECT_TRUE(Has(log, "The link to the host is lost: no message from the host at " +
                           host.RunDir() + " for 5 s.\r\nTest A10 aborted.\r\n"))
      << log;
  EXPECT_TRUE(Has(log, "Static Addressing Bootup    ABORTED!!!\r\n"));
  EXPECT_TRUE(Has(ReadFile(stderrFile), "the link to the host was lost during A10"));

  // A new host on the same run folder, over the dead one's socket.
  ASSERT_TRUE(host.Start({"--dut", "static:253"}));
  EXPECT_EQ(host.RunProgram(kVlt, {"run", "ND10", "--out", out.string()}), 0);
}

TEST(UnattendedVltRun, AMonitorRegistersAgainWithAHostStartedAfterTheFirstOneStopped) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--dut", "static:128", "--dut-off"}));
  const std::string stdoutFile = host.RunDir() + "/monitor.txt";
  testing::BackgroundProgram monitor(kVlt, {"monitor", "--seconds", "4"}, stdoutFile);
  std::this_thread::sleep_for(500ms);
  host.Stop();  // the host says goodbye
  std::this_thread::sleep_for(300ms);
  ASSERT_TRUE(host.Start({"--dut", "static:128"}));  // its DUT talks every 500 ms
  EXPECT_EQ(monitor.Wait(kExitLimitMs), 0);
  const std::string text = ReadFile(stdoutFile);
  const std::size_t again = text.find("Registered again with the host at " + host.RunDir() + ".");
  ASSERT_NE(again, std::string::npos) << text;
  EXPECT_NE(text.find("19FFFF80", again), std::string::npos) << text;
}

TEST(UnattendedVltRun, TheTimeoutAbortsATestThatWaitsAndSaysWhatItWaitedFor) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--dut", "static:253"}));  // its status is DGN 1FFFF
  const fs::path out = host.RunDir() + "/logs";
  const std::string stdoutFile = host.RunDir() + "/stdout.txt";
  EXPECT_EQ(host.RunProgram(kVlt,
                            {"run", "A110", "--timeout", "2", "--out", out.string(), "--set",
                             "Identifying DGN=1FFF7", "--set", "Identifying Instance=1"},
                            stdoutFile),
            2);
  const std::string text = ReadFile(stdoutFile);
  EXPECT_TRUE(Has(text,
                  "The test ran longer than --timeout 2 s.\n"
                  "No frame of DGN 1FFF7 instance 1 heard: is the DUT in normal operation?\n"
                  "Test A110 aborted.\n"))
      << text;
  ASSERT_EQ(Names(out).size(), 1u);
}

TEST(UnattendedVltRun, AClosedStandardOutputLosesOnlyThePrinting) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--dut", "static:253"}));
  const fs::path out = host.RunDir() + "/logs";
  const std::string json = host.RunDir() + "/vlt.json";
  const std::string stderrFile = host.RunDir() + "/stderr.txt";
  // As `vlt run ... | head` once head has its lines and has gone.
  EXPECT_EQ(host.RunProgram(kVlt, {"run", "ND10", "--out", out.string(), "--json", json},
                            testing::kClosedPipe, stderrFile),
            0)
      << ReadFile(stderrFile);
  EXPECT_EQ(Names(out).size(), 1u);
  EXPECT_TRUE(Has(ReadFile(json), "\"code\": \"ND10\""));
}

// The names a log saved now takes, and the SVG beside it, are its own: a file
// already under the SVG's name is kept and the command says so with 73; a
// product name with a leading dot never hides the log, and the report names its
// profile by its one absolute path.
TEST(UnattendedVltRun, ATimelineNeverReplacesAFileAndTheLogIsNeitherHiddenNorVague) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--dut", "static:253"}));
  const fs::path out = host.RunDir() + "/logs";
  fs::create_directories(out);
  const std::string profile = host.RunDir() + "/bench.zcf";
  ASSERT_EQ(host.RunProgram(kVlt, {"profile", "new", profile}), 0);
  // Whichever minute the run saves its log in.
  const std::time_t now = std::time(nullptr);
  for (const std::time_t at : {now, now + 60}) {
    std::tm local{};
    localtime_r(&at, &local);
    char stamp[16];
    std::strftime(stamp, sizeof(stamp), "%y%m%d%H%M", &local);
    std::ofstream(out / ("_hidden_A110_" + std::string(stamp) + ".svg")) << "someone's";
  }
  const std::string stderrFile = host.RunDir() + "/stderr.txt";
  EXPECT_EQ(host.RunProgram(kVlt,
                            {"run", "A110", "--out", out.string(), "--timeline", "--profile",
                             out.string() + "/./../bench.zcf", "--set", "Product Name=.hidden"},
                            "/dev/null", stderrFile),
            73);
  const std::vector<std::string> names = Names(out);
  ASSERT_EQ(names.size(), 3u);
  for (const std::string& name : names) {
    EXPECT_TRUE(name.starts_with("_hidden_A110_")) << name;
    if (name.ends_with(".svg")) {
      EXPECT_EQ(ReadFile(out / name), "someone's");
    }
  }
  const auto log = std::find_if(names.begin(), names.end(),
                                [](const std::string& n) { return n.ends_with(".txt"); });
  ASSERT_NE(log, names.end());
  EXPECT_TRUE(Has(ReadFile(out / *log), ": " + profile + "\r\n")) << ReadFile(out / *log);
  EXPECT_TRUE(Has(ReadFile(stderrFile), "another file has that name")) << ReadFile(stderrFile);
}

TEST(UnattendedVltRun, ADeviceWhoseFirstLineIsItsClaimIsReadAndItsNameKept) {
  testing::HostProcess host;
  // The device program claims 80h in the first line it writes, then listens.
  ASSERT_TRUE(host.Start(
      {"--bus",
       "pipe:printf '(0.000000) can0 18EEFF80#A5A5602400800000\\n'; exec cat >/dev/null"}));
  const std::string profile = host.RunDir() + "/bench.zcf";
  ASSERT_EQ(host.RunProgram(kVlt, {"profile", "new", profile}), 0);
  const std::string stderrFile = host.RunDir() + "/stderr.txt";
  EXPECT_EQ(host.RunProgram(kVlt,
                            {"run", "RAC", "--timeout", "20", "--profile", profile, "--out",
                             host.RunDir() + "/logs", "--set", "Product Name=Piped"},
                            "/dev/null", stderrFile),
            0)
      << ReadFile(stderrFile);
  const std::string kept = ReadFile(profile);
  EXPECT_TRUE(Has(kept, "Full ADDRESS_CLAIM Value=A5 A5 60 24 00 80 00 00")) << kept;
  // The --set held for the run only.
  EXPECT_FALSE(Has(kept, "Piped")) << kept;
  EXPECT_TRUE(Has(ReadFile(stderrFile), "hint: the NAME read carries manufacturer code 291"));

  // The profile holds the code: a --set for one run needs no advice.
  ASSERT_EQ(host.RunProgram(kVlt, {"profile", "set", profile, "Manufacturer ID=291"}), 0);
  EXPECT_EQ(host.RunProgram(kVlt,
                            {"run", "RAC", "--timeout", "20", "--profile", profile, "--out",
                             host.RunDir() + "/logs", "--set", "Manufacturer ID=7"},
                            "/dev/null", stderrFile),
            0);
  EXPECT_FALSE(Has(ReadFile(stderrFile), "hint:")) << ReadFile(stderrFile);
}

TEST(UnattendedVltRun, EveryCommandAnswersHelpAndVersionWithStatusZero) {
  testing::HostProcess folder;  // no host: none of these needs one
  const std::string stdoutFile = folder.RunDir() + "/stdout.txt";
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--version"},
                                               {"--help"},
                                               {"run", "--help"},
                                               {"run", "--list"},
                                               {"list"},
                                               {"demo", "--help"},
                                               {"monitor", "--help"},
                                               {"version-report", "--help"},
                                               {"decode", "--help"},
                                               {"profile", "--help"},
                                               {"profile", "new", "--help"},
                                               {"summary", "--help"},
                                               {"supersede", "--help"}}) {
    EXPECT_EQ(folder.RunProgram(kVlt, args, stdoutFile), 0) << args.back();
  }
  EXPECT_EQ(folder.RunProgram(kVlt, {"run", "--help"}, stdoutFile), 0);
  const std::string help = ReadFile(stdoutFile);
  EXPECT_TRUE(Has(help, "  A10   Static Addressing Bootup\n")) << help;
  EXPECT_TRUE(Has(help, "  RAC   Read ADDRESS_CLAIM")) << help;
  EXPECT_EQ(folder.RunProgram("app/host/vlt-host", {"--version"}, stdoutFile), 0);
  EXPECT_TRUE(ReadFile(stdoutFile).starts_with("vlt-host "));

  const std::string stderrFile = folder.RunDir() + "/stderr.txt";
  EXPECT_EQ(folder.RunProgram(kVlt, {"list", "extra"}, stdoutFile, stderrFile), 64);
  EXPECT_EQ(folder.RunProgram(kVlt, {"run", "ND10"}, stdoutFile, stderrFile), 69);
  EXPECT_TRUE(Has(ReadFile(stderrFile), "No host answers at " + folder.RunDir() +
                                            ": start vlt-host there, or set VLT_RUN_DIR"))
      << ReadFile(stderrFile);
}

}  // namespace
}  // namespace vlt
