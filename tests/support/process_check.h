#pragma once
// Looking for processes that a test's program should have ended.

#include <string>

namespace vellumar::testing {

// Whether some process carries `text` in its environment ("NAME=value" entries). A killed
// process that was not the caller's child may take a moment to go, so this looks again for
// a few seconds before it says yes.
bool processWithEnvironmentAlive(const std::string& text);

// Whether this system lets a process have a network of its own (root, or user namespaces
// allowed), as the LibreOffice runner asks for.
bool networkOfItsOwnPossible();

}  // namespace vellumar::testing
