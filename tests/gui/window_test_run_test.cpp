// A whole session in the window against the in-process simulated host: read the
// DUT's ADDRESS_CLAIM into the profile, then run A-10 with it, on virtual time.
#include <QTest>
#include <fstream>
#include <sstream>

#include "compliance/static_dut_support.h"
#include "gui/menu_commands.h"
#include "gui_bench.h"

using namespace vlt;
using testing::GuiBench;

class WindowTestRunTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void readAddressClaimThenA10Passes();
};

void WindowTestRunTest::readAddressClaimThenA10Passes() {
  using namespace compliance::static_scenario;
  GuiBench::Options options;
  options.dut = Dut({});
  GuiBench bench(std::move(options));
  bench.Settings().SetValue("DSA For Address Claiming", std::to_string(kDsa));
  bench.Settings().SetValue("Manufacturer ID", "291");
  bench.window->Profiles().ClearModified();

  bench.prompter.answer = true;  // "Save for future tests?"
  bench.window->RunCommand(gui::kReadAddressClaim);
  QVERIFY(bench.window->TestRunning());
  QVERIFY(bench.RunUntilIdle(30'000));
  QCOMPARE(bench.prompter.decisions.size(), std::size_t{1});
  QCOMPARE(bench.prompter.decisions[0].first,
           std::string("ADDRESS_CLAIM packet\r\n[ ") + kDutName + " ]");
  QCOMPARE(bench.Settings().GetValue("Full ADDRESS_CLAIM Value", true), std::string(kDutName));
  QVERIFY(bench.window->Profiles().Modified());

  bench.window->RunCommand(32780);  // A-10 Static Boot
  const std::int64_t start = bench.clock.NowMicros();
  QVERIFY(bench.RunUntilIdle(60'000));
  QVERIFY(bench.clock.NowMicros() - start >= 10'000'000);  // the test's own time limits ran
  const std::string text = bench.Text();
  QVERIFY2(!Has(text, "DNP "), text.c_str());
  for (const char* criterion :
       {"Broadcasts Address Claim", "Arbitrary Address Capable bit is not zero.",
        "Claimed Address is not device type's DSA.", "Manufacturer ID does not match manufacturer.",
        "Multiple addresses are claimed."}) {
    QVERIFY2(Has(text, std::string("PASS : ") + criterion), criterion);
  }
  QVERIFY(Has(text, "Test A10 complete."));
  QVERIFY(!bench.window->Pane().Widget()->isReadOnly());

  // Saved as the operator would, the log is what the summary report reads.
  const std::string path = bench.Path(bench.window->LogFileName());
  bench.dialogs.files.push_back(path);
  bench.window->RunCommand(gui::kSaveLog);
  std::ifstream in(path, std::ios::binary);
  std::ostringstream saved;
  saved << in.rdbuf();
  QVERIFY(Has(saved.str(), "PASS : Broadcasts Address Claim"));
  QVERIFY(!Has(saved.str(), "\r\n\r\n"));
}

QTEST_MAIN(WindowTestRunTest)
#include "window_test_run_test.moc"
