// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ThreadPriority.h"

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace lumetra {

void lowerCallingThreadPriority(int niceness) {
#ifdef __linux__
    // On Linux a thread has a niceness of its own, set through its thread id.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), niceness);
#else
    (void)niceness;
#endif
}

}  // namespace lumetra
