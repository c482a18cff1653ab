// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtPlugin>

#include "evaluation_port/BuildIdentity.h"
#include "evaluation_port/EvaluationPort.h"

namespace lumetra {

// What the Auswertung plugin offers the program that loads it. The plugin holds the window,
// its charts and exports, and no copy of the core: it calls the core of the program it was
// built with, which exports it (see evaluation_port/CMakeLists.txt).
class EvaluationPlugin {
  public:
    virtual ~EvaluationPlugin() = default;

    // A new window, owned by the context's parent (and deleted with it).
    virtual EvaluationWindowPort* createWindow(const EvaluationWindowContext& context) = 0;
};

}  // namespace lumetra

// The interface's id names the build: a plugin of another build, even of the same version, has
// another id and is refused before any of its code runs for the program.
#define LUMETRA_EVALUATION_PLUGIN_IID \
    "org.lumetra.EvaluationPlugin/" LUMETRA_VERSION "/" LUMETRA_BUILD_IDENTITY
Q_DECLARE_INTERFACE(lumetra::EvaluationPlugin, LUMETRA_EVALUATION_PLUGIN_IID)
