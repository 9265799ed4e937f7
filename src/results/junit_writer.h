// JUnit XML of test runs, as GitLab, Jenkins and GitHub Actions read it: one
// testsuite per test run, one testcase per criterion (classname the test code,
// name the criterion text), "DNP " as a failure with the note and the evidence
// line, "____" as skipped, an aborted run as one more testcase in error with
// its abort line. system-out names the saved log.
#pragma once

#include <span>
#include <string>

#include "results/run_result.h"

namespace vlt::results {

// The whole file, UTF-8, LF line ends.
std::string WriteJUnit(std::span<const RunResult> runs);

}  // namespace vlt::results
