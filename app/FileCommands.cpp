// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileCommands.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "persistence/FileAccess.h"
#include "persistence/Messages.h"

namespace lumetra {

namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QStringList fileDialogNameFilters(std::string_view pairs) {
    const QStringList parts = qText(pairs).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& text = parts[i];
        QString pattern = parts[i + 1];
        if (text.isEmpty() && pattern.isEmpty()) {
            break;  // the closing "|"
        }
        if (pattern == QLatin1String("*.*")) {
            pattern = QStringLiteral("*");
        }
        const bool namesPattern =
            text.trimmed().endsWith(QLatin1Char(')')) && text.contains(QLatin1Char('('));
        filters << (namesPattern ? text : text + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return filters;
}

std::filesystem::path toFilesystemPath(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    const QByteArray encoded = QFile::encodeName(path);
    return std::filesystem::path(std::string(encoded.constData(), encoded.size()));
#endif
}

namespace {

// A name with wildcards filters the folder's list on other systems' dialogs; Qt's dialog would
// hand it back as a file name and a file called "*.lumet" would be written.
bool isPattern(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

std::optional<QString> runDialogOnce(QWidget* parent, DataFileDialogKind kind,
                                     const QString& initialName) {
    const bool save = kind == DataFileDialogKind::Save;
    QFileDialog dialog(parent, qText(save ? kSaveDialogTitle : kLoadDialogTitle));
    // Qt's own dialog, so that the file dialog extension can join it; the overwrite question
    // is asked by the save command itself, and neither dialog insists on an existing file.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(fileDialogNameFilters(kDataFileFilter));
    dialog.setDefaultSuffix(qText(kDataFileExtension));
    dialog.setSizeGripEnabled(true);
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) {
        return std::nullopt;
    }
    return files.first();
}

}  // namespace

std::optional<QString> runDataFileDialog(QWidget* parent, DataFileDialogKind kind,
                                         const QString& lastPath) {
    QString initialName = lastPath.isEmpty() ? qText(kDataFileInitialName) : lastPath;
    for (;;) {
        std::optional<QString> chosen = runDialogOnce(parent, kind, initialName);
        if (!chosen || !isPattern(*chosen)) {
            return chosen;
        }
        // A pattern is no choice: the dialog opens again in its folder with the pattern.
        initialName = *chosen;
    }
}

void showFileError(QWidget* parent, std::string_view message) {
    QMessageBox box(QMessageBox::Critical, qText(kErrorCaption), qText(message), QMessageBox::Ok,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool confirmOverwrite(QWidget* parent) {
    QMessageBox box(QMessageBox::Question, qText(kErrorCaption), qText(kOverwriteQuestion),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<evaluation::DataSetLoad> loadDataCommand(QWidget* parent, Calculator& calculator,
                                                       QString& dataFilePath) {
    const std::optional<QString> path =
        runDataFileDialog(parent, DataFileDialogKind::Load, dataFilePath);
    if (!path) {
        return std::nullopt;
    }
    dataFilePath = *path;
    evaluation::DataSetLoad load = evaluation::loadDataSet(calculator, toFilesystemPath(*path));
    const std::string_view message = dataFileMessage(load.outcome);
    if (!message.empty()) {
        showFileError(parent, message);
    }
    if (load.evaluationLines && !load.evaluationLines->messages.empty()) {
        QStringList lines;
        for (const std::string& line : load.evaluationLines->messages) {
            lines << QString::fromStdString(line);
        }
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Auswertung"),
                        lines.join(QLatin1Char('\n')), QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
    return load;
}

bool saveDataCommand(QWidget* parent, const Calculator& calculator, QString& dataFilePath,
                     std::string_view extraLines) {
    const std::optional<QString> path =
        runDataFileDialog(parent, DataFileDialogKind::Save, dataFilePath);
    if (!path) {
        return false;
    }
    dataFilePath = *path;
    const std::filesystem::path target = toFilesystemPath(*path);
    if (isExistingFile(target) && !confirmOverwrite(parent)) {
        return false;
    }
    const DataFileOutcome outcome = saveDataFile(calculator, target, extraLines);
    const std::string_view message = dataFileMessage(outcome);
    if (!message.empty()) {
        showFileError(parent, message);
    }
    return outcome == DataFileOutcome::Done;
}

}  // namespace lumetra
