#pragma once

#include <functional>

// True for the first copy of the program in this user session; a later copy asks the first to
// come forward and gets false. When no lock can be set up at all, the program runs rather than
// never starting. Needs no application object: it is the first thing the program does.
bool EnsureSingleInstance();
// The first copy runs `comeForward` each time a later copy asks.
void ListenForLaterCopies(std::function<void()> comeForward);
