// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/filedialog/FileDialogExtension.h"

#include "widgets/filedialog/DialogExtension.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QStyle>

#include <algorithm>

namespace lumetra {

namespace {

// Size of the first dialog of a run, for large icons of 32 pixels; larger icons scale it.
constexpr int kFirstDialogWidth = 600;
constexpr int kFirstDialogHeight = 450;
constexpr int kReferenceIconSize = 32;
constexpr char kWatcherName[] = "lumetraFileDialogWatcher";

// Notices every file dialog being polished or shown and attaches the extension to it.
class FileDialogWatcher : public QObject {
  public:
    explicit FileDialogWatcher(QObject* parent) : QObject(parent) {
        setObjectName(QString::fromLatin1(kWatcherName));
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::Polish && type != QEvent::Show) {
            return false;
        }
        auto* dialog = qobject_cast<QFileDialog*>(watched);
        if (dialog == nullptr) {
            return false;
        }
        DialogExtension* extension = DialogExtension::attach(dialog);
        if (extension == nullptr || type != QEvent::Show) {
            return false;
        }
        // Sized once it is shown, when the dialog has given itself its own size.
        if (!firstDialogEnlarged_) {
            firstDialogEnlarged_ = true;
            enlarge(dialog);
        }
        extension->dialogShown();
        return false;
    }

  private:
    static void enlarge(QFileDialog* dialog) {
        const int icon = dialog->style()->pixelMetric(QStyle::PM_LargeIconSize, nullptr, dialog);
        const double scale = std::max(1.0, static_cast<double>(icon) / kReferenceIconSize);
        dialog->resize(static_cast<int>(kFirstDialogWidth * scale),
                       static_cast<int>(kFirstDialogHeight * scale));
    }

    bool firstDialogEnlarged_{false};
};

}  // namespace

bool InstallFileDialogExtension() {
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr ||
        application->findChild<QObject*>(QString::fromLatin1(kWatcherName),
                                         Qt::FindDirectChildrenOnly) != nullptr) {
        return true;
    }
    application->installEventFilter(new FileDialogWatcher(application));
    return true;
}

}  // namespace lumetra
