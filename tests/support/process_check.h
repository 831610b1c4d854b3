#pragma once
// Looking for processes that a test's program should have ended.

#include <string>

namespace vellumar::testing {

// Whether some process carries `text` in its environment ("NAME=value" entries). A killed
// process that was not the caller's child may take a moment to go, so this looks again for
// a few seconds before it says yes.
bool processWithEnvironmentAlive(const std::string& text);

}  // namespace vellumar::testing
