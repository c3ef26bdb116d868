#pragma once

// How long a test waits, at most, for something that comes in its own time (a window becoming
// active, a timer's ticks, a folder read for a dialog, a program ending), in milliseconds. Only
// a hang reaches it: the wait then fails the test instead of stalling the run. Not a measure of
// speed, and never asserted on.
constexpr int kWaitBound = 30000;
