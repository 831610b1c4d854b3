#pragma once
// On Windows 6.x desktops the program paints its forms, tool bars, group boxes and panels silver.
// Everywhere else the toolkit's colours stay.

namespace vellumar {

// Whether the running system is of the NT family with major version 6 (any minor version).
bool isNt6System();

// Walks every window of the application and, depth first, every widget inside it, and gives each
// form, tool bar, group box and panel a silver background (192, 192, 192).
void setSilverColours();

}  // namespace vellumar
