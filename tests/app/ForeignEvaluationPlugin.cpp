// SPDX-License-Identifier: GPL-3.0-or-later
// A plugin that names the Auswertung's interface of this version but another build: the
// program must refuse it without running it.
#include <QObject>
#include <QtPlugin>

#include "evaluation_port/BuildIdentity.h"

class ForeignEvaluationPlugin : public QObject {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.lumetra.EvaluationPlugin/" LUMETRA_VERSION "/0000000000000000")
};

#include "ForeignEvaluationPlugin.moc"
