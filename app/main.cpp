// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstdlib>

#include "app/CLumetraApp.h"

namespace {

// Qt aborts with a terse message when there is no display; say what is missing instead.
bool hasDisplay() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    if (!hasDisplay()) {
        std::fputs(
            "Lumetra needs a graphical desktop: no DISPLAY or WAYLAND_DISPLAY is set.\n"
            "Start it from a desktop session, or set QT_QPA_PLATFORM=offscreen to run without "
            "one.\n",
            stderr);
        return 1;
    }
    lumetra::CLumetraApp application(argc, argv);
    return application.initInstance() ? application.exec() : 0;
}
