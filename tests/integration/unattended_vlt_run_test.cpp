// `vlt run` left alone, as a lab script runs it, against a real vlt-host: the
// signals a supervisor sends, a host that dies or goes and comes back, a test
// that would wait for ever, a device on the frame pipe that claims in its first
// line, a closed standard output and paths no file can take. Real processes,
// because signals, sockets and paths are the point; each case takes a few
// seconds of real time.
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

TEST(UnattendedVltRun, SigintSigtermAndSighupAbortTheTestSaveItsLogAndLeaveTheFolderUsable) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--dut", "static:253"}));
  const fs::path out = host.RunDir() + "/logs";
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    // After SIGHUP the tty operator's terminal is gone: nobody answers.
    testing::BackgroundProgram vlt(
        kVlt, {"run", "A10", "A20", "--out", out.string(), "--set", "Product Name=Widget",
               "--operator", signal == SIGHUP ? "tty" : "auto"});
    ASSERT_TRUE(vlt.Started());
    std::this_thread::sleep_for(kIntoTheTest);
    vlt.Signal(signal);
    EXPECT_EQ(vlt.Wait(kExitLimitMs), 2);
  }
  // Each aborted A-10 run is kept, its report naming the signal and, in words,
  // what it waited for; A-20 never ran.
  const std::vector<std::string> logs = Names(out);
  ASSERT_EQ(logs.size(), 3u);
  std::string all;
  for (const std::string& name : logs) {
    const std::string log = ReadFile(out / name);
    EXPECT_TRUE(name.starts_with("Widget_A10_") && Has(log, "    ABORTED!!!\r\n")) << name;
    all += log;
  }
  for (const char* why : {"SIGINT (Ctrl-C).", "SIGTERM.", "SIGHUP: its terminal or session"}) {
    EXPECT_TRUE(Has(all, std::string("\r\nThe tester received ") + why)) << all;
  }
  EXPECT_FALSE(Has(all, "Waiting in ")) << all;

  // The tester lock and the host's tool table are free again.
  EXPECT_EQ(host.RunProgram(kVlt, testing::QuickRun({"--out", out.string()})), 0);
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
  EXPECT_EQ(host.RunProgram(kVlt, testing::QuickRun({"--out", out.string()})), 0);
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
  const std::string json = host.RunDir() + "/vlt.json";
  // As `vlt run ... | head` once head has had its lines.
  EXPECT_EQ(
      host.RunProgram(kVlt, testing::QuickRun({"--out", host.RunDir() + "/logs", "--json", json}),
                      testing::kClosedPipe),
      0);
  EXPECT_EQ(Names(host.RunDir() + "/logs").size(), 1u);
  EXPECT_TRUE(Has(ReadFile(json), "\"code\": \"ND10\""));
}

// A file already under the timeline's name is kept (status 73), a leading dot
// never hides a log, and the report names its profile by one absolute path.
TEST(UnattendedVltRun, ATimelineNeverReplacesAFileAndTheLogIsNeitherHiddenNorVague) {
  testing::HostProcess host;
  ASSERT_TRUE(host.Start({"--dut", "static:253"}));
  const fs::path out = host.RunDir() + "/logs";
  fs::create_directories(out);
  const std::string profile = host.RunDir() + "/bench.zcf";
  ASSERT_EQ(host.RunProgram(kVlt, {"profile", "new", profile}), 0);
  std::vector<fs::path> taken;  // whichever minute the log is saved in
  for (const std::time_t at : {std::time(nullptr), std::time(nullptr) + 60}) {
    char name[40];
    std::strftime(name, sizeof(name), "_hidden_A110_%y%m%d%H%M.svg", std::localtime(&at));
    std::ofstream(taken.emplace_back(out / name)) << "someone's";
  }
  EXPECT_EQ(
      host.RunProgram(kVlt, {"run", "A110", "--out", out.string(), "--timeline", "--profile",
                             out.string() + "/./../bench.zcf", "--set", "Product Name=.hidden"}),
      73);
  for (const fs::path& svg : taken) EXPECT_EQ(ReadFile(svg), "someone's");
  const std::vector<std::string> names = Names(out);
  const auto txt = std::find_if(names.begin(), names.end(),
                                [](const std::string& n) { return n.ends_with(".txt"); });
  ASSERT_NE(txt, names.end());
  EXPECT_TRUE(txt->starts_with("_hidden_A110_")) << *txt;
  EXPECT_TRUE(Has(ReadFile(out / *txt), "Test Profile         : " + profile + "\r\n"));
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

// A device program of the lab's own, driven by `vlt run --operator auto`: the
// host passes the operator's actions to it as comment lines on its standard input.
TEST(UnattendedVltRun, APipeDeviceCausesAndRemovesItsFaultAsTheAutoOperatorSays) {
  testing::HostProcess host;
  const std::string fault = host.RunDir() + "/fault";
  // Its status every 500 ms, DM_RV every 5 s, or with each status while it has
  // the fault, which it reports at once when told.
  const std::string device =
      "pipe:echo 18EEFF80#A5A5602400800000; i=0; while :; do echo 19FFB780#01FFFFFFFFFFFFFF; "
      "if [ -e " +
      fault +
      " ]; then echo 19FECA80#15800000C081FFFF; "
      "elif [ $((i % 10)) = 0 ]; then echo 19FECA80#0580FFFFFFFFFFFF; fi; i=$((i + 1)); "
      "sleep 0.5; done & while read -r line; do case \"$line\" in "
      "'# dut fault on') touch " +
      fault +
      "; echo 19FECA80#15800000C081FFFF;; "
      "'# dut fault off') rm -f " +
      fault + "; echo 19FECA80#0580FFFFFFFFFFFF;; esac; done";
  ASSERT_TRUE(host.Start({"--bus", device}));
  const std::string out = host.RunDir() + "/logs";
  const std::string stdoutFile = host.RunDir() + "/stdout.txt";
  EXPECT_EQ(host.RunProgram(kVlt,
                            {"run", "ND60", "--operator", "auto", "--timeout", "60", "--out", out,
                             "--set", "Identifying DGN=1FFB7", "--set", "Identifying Instance=1"},
                            stdoutFile),
            0)
      << ReadFile(stdoutFile);
  const std::string text = ReadFile(stdoutFile);
  EXPECT_TRUE(Has(text, "PASS : More than 250ms elapsed before fault and DM_RV.")) << text;
  EXPECT_FALSE(Has(text, "DNP ")) << text;
  EXPECT_TRUE(Has(text, "remove the cause")) << text;
}

// Every path vlt takes, given one no file can take: its reason and the usage's
// status (64 before anything runs; 73 for a result file, written after the
// run), never an uncaught exception.
TEST(UnattendedVltRun, EveryPathTakingOptionRefusesAPathNoFileCanTakeWithItsReason) {
  testing::HostProcess folder;
  ASSERT_TRUE(folder.Start({"--dut", "static:253"}));
  const std::string dir = folder.RunDir();
  fs::create_symlink("loop", dir + "/loop");
  std::ofstream(dir + "/file") << "not a folder";
  std::string deep = dir;
  for (int i = 0; i < 25; ++i) deep += "/" + std::string(200, 'd');
  const std::string bad[] = {dir + "/loop/x", dir + "/" + std::string(300, 'n'), deep,
                             dir + "/file/x"};
  // The bad path goes in place of "@".
  const std::pair<std::vector<std::string>, int> commands[] = {
      {{"run", "ND10", "--out", "@"}, 64},
      {{"run", "ND10", "--profile", "@.zcf"}, 64},
      {testing::QuickRun({"--out", dir + "/logs", "--junit", "@/r.xml"}), 73},
      {testing::QuickRun({"--out", dir + "/logs", "--json", "@/r.json"}), 73},
      {{"demo", "--out", "@"}, 64},
      {{"summary", "@"}, 65},
      {{"supersede", "@", "--yes"}, 65},
      {{"summary", dir, "--profile", "@.zcf"}, 65}};
  const std::string stderrFile = dir + "/stderr.txt";
  for (const auto& [command, status] : commands) {
    for (const std::string& path : bad) {
      std::vector<std::string> args = command;
      for (std::string& arg : args) {
        if (arg.starts_with("@")) arg.replace(0, 1, path);
      }
      SCOPED_TRACE(command[0] + " " + command[command.size() - 2] + " " + path.substr(0, 80));
      EXPECT_EQ(folder.RunProgram(kVlt, args, "/dev/null", stderrFile), status);
      const std::string said = ReadFile(stderrFile);
      EXPECT_TRUE(said.starts_with("vlt: ") && said[said.find('\n') - 1] != ':') << said;
    }
  }
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
