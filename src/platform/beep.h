#pragma once
// The system beep, which tests replace to count the beeps they expect.

#include <functional>

namespace platform {

void beep();
// Replaces the beep (tests); an empty function restores the system beep.
void setBeepHandler(std::function<void()> handler);

} // namespace platform
