// SPDX-License-Identifier: GPL-3.0-or-later
// The Auswertung plugin: the window, made from the program's own core.
#include <QObject>

#include "evaluation_port/EvaluationPlugin.h"
#include "evaluation_ui/EvaluationWindow.h"

namespace lumetra {

class EvaluationPluginEntry : public QObject, public EvaluationPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID LUMETRA_EVALUATION_PLUGIN_IID)
    Q_INTERFACES(lumetra::EvaluationPlugin)

  public:
    EvaluationWindowPort* createWindow(const EvaluationWindowContext& context) override {
        return createEvaluationWindow(context);
    }
};

}  // namespace lumetra

#include "EvaluationPluginEntry.moc"
