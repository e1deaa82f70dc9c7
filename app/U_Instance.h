#pragma once

#include <functional>

// True for the first copy of the program in this user session. A later copy asks the first
// to run `comeForward` and gets false. When no lock can be set up at all, the program runs
// rather than never starting.
bool EnsureSingleInstance(std::function<void()> comeForward);
