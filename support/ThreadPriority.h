// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra {

// Lowers the calling thread's priority: its niceness on Linux, 0 normal to 19 lowest; elsewhere
// nothing. Where the processors are busy the window's events come first, then the work whose
// result the user waits for, then the rest.
void lowerCallingThreadPriority(int niceness);

// The hourly balance and its battery sizes: the key figures wait for them.
inline constexpr int kAwaitedWorkNiceness = 10;
// The spread of simulated homes: shown beside the key figures, after them.
inline constexpr int kBackgroundWorkNiceness = 19;

}  // namespace lumetra
