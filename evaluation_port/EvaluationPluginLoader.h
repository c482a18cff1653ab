// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lumetra {

class EvaluationPlugin;

// The plugin's file name, and where a program in `programFolder` looks for it: in the library
// folder of an installation beside the program's folder, beside the program, and, for a program
// of the build tree, where the build tree's plugin was built.
inline constexpr char kEvaluationPluginFileName[] = "lumetra-evaluation.so";
QStringList evaluationPluginCandidates(const QString& programFolder);

// The Auswertung plugin from the first of `candidates` that exists, loaded and never unloaded
// (windows made by it may live until the program ends). Nothing, with the reason in `error`,
// when no candidate exists, the file does not load, or it is no plugin of this build.
EvaluationPlugin* loadEvaluationPlugin(const QStringList& candidates, QString* error);

}  // namespace lumetra
