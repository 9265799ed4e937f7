// The DUT's NAME as the profile keeps it ("Full ADDRESS_CLAIM Value"): which
// tests depend on it, whether it was ever read from the DUT, and the
// manufacturer code it carries. Both front ends ask here, so they warn alike.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/test_context.h"

namespace vlt::settings {
class SettingManager;
}

namespace vlt::engine {

class Test;

// Whether a run of `test` reads the DUT's NAME: one of its elements compares
// the DUT's claims with it or claims with it.
bool NeedsDutName(const Test& test);

// Whether the NAME text is the all-zero default: nothing was read from the DUT.
bool DutNameUnread(std::string_view nameText);

// What to tell the operator before `test` starts on a profile whose NAME was
// never read; empty when the test does not need it or a NAME is there.
std::string UnreadNameWarning(const Test& test);

// The manufacturer code the NAME text carries, as the tests decode it ("291");
// nothing for a text that is no NAME, or without a dictionary.
std::optional<std::string> ManufacturerOfName(const TestContext& context,
                                              std::string_view nameText);

struct ManufacturerMismatch {
  std::string inName;     // the code the profile's NAME carries
  std::string inProfile;  // the profile's "Manufacturer ID"
};

// Set when the profile's NAME carries another manufacturer code than its
// "Manufacturer ID" says, which the tests compare the DUT's claims with.
std::optional<ManufacturerMismatch> ManufacturerMismatchOf(const TestContext& context);

}  // namespace vlt::engine
