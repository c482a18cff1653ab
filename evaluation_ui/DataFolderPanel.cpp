// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/DataFolderPanel.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "evaluation/Evaluation.h"
#include "evaluation_ui/ChoicePanelLayout.h"
#include "persistence/FileAccess.h"

namespace lumetra {

namespace {

constexpr int kShipped = 0;
constexpr int kFromFolder = 1;

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

DataFolderPanel::DataFolderPanel(evaluation::Evaluation& evaluation, QWidget* parent)
    : QGroupBox(QStringLiteral("Datenordner"), parent), evaluation_(evaluation) {
    setObjectName(QStringLiteral("dataFolderPanel"));
    choice_ = new QComboBox(this);
    choice_->setObjectName(QStringLiteral("dataFolderChoice"));
    choice_->addItems({QStringLiteral("mitgeliefert"), QStringLiteral("aus Ordner")});
    choice_->setToolTip(QStringLiteral(
        "mitgeliefert: die Klimatabellen und das Lastprofil, die mit Lumetra installiert "
        "sind.\naus Ordner: die Tabellen eines eigenen Ordners (MonthlyIrradiation.csv, "
        "MonthlyTemperature.csv, LoadProfileH25.csv), soweit er sie enthält."));
    folderButton_ = new QPushButton(QStringLiteral("Ordner..."), this);
    folderButton_->setObjectName(QStringLiteral("dataFolderButton"));
    folderButton_->setAutoDefault(false);
    // The paths can be long: the list never widens the window, it shortens them in the middle
    // and shows each whole in its tooltip.
    sources_ = new QListWidget(this);
    sources_->setObjectName(QStringLiteral("dataSources"));
    sources_->setTextElideMode(Qt::ElideMiddle);
    sources_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sources_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    sources_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    sources_->setSelectionMode(QAbstractItemView::NoSelection);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("dataFolderNote"));
    note_->setWordWrap(true);
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    layOutChoicePanel(*this, QStringLiteral("&Tabellen:"), choice_, folderButton_,
                      {sources_, note_});

    connect(choice_, &QComboBox::activated, this, &DataFolderPanel::choiceChanged);
    connect(folderButton_, &QPushButton::clicked, this, &DataFolderPanel::askForFolder);
    refresh();
}

void DataFolderPanel::refresh() {
    const QSignalBlocker blocker(choice_);
    choice_->setCurrentIndex(evaluation_.inputs().dataFolder.empty() ? kShipped : kFromFolder);

    sources_->clear();
    // The file's name says which table it is; the tooltip says it in words as well.
    for (const simulation::DataSource& source : evaluation_.dataSources()) {
        const QString path = QString::fromStdString(utf8Path(source.path));
        auto* item = new QListWidgetItem(path, sources_);
        item->setToolTip(qText(source.kind.label) + QStringLiteral(": ") + path);
    }
    sources_->setVisible(sources_->count() > 0);

    const std::string& problem = !evaluation_.tablesError().empty() ? evaluation_.tablesError()
                                                                    : evaluation_.tablesProblem();
    note_->setText(QString::fromStdString(problem));
    note_->setVisible(!problem.empty());
}

bool DataFolderPanel::chooseFolder(const QString& path) {
    const std::string message = evaluation_.useDataFolder(path.toStdString());
    if (!message.empty()) {
        showWarning(this, QStringLiteral("Datenordner"), QString::fromStdString(message));
        refresh();
        return false;
    }
    emit inputsEdited();
    refresh();
    return true;
}

void DataFolderPanel::choiceChanged(int index) {
    if (index == kShipped) {
        evaluation_.useShippedTables();
        emit inputsEdited();
        refresh();
    } else if (evaluation_.inputs().dataFolder.empty()) {
        askForFolder();  // "aus Ordner" without a folder: which one?
        refresh();
    }
}

void DataFolderPanel::askForFolder() {
    QFileDialog dialog(this, QStringLiteral("Datenordner wählen"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    const QString current = QString::fromStdString(evaluation_.inputs().dataFolder);
    if (!current.isEmpty()) {
        dialog.setDirectory(current);
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        chooseFolder(dialog.selectedFiles().first());
    }
}

}  // namespace lumetra
