// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/EvaluationAttachment.h"

#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>

#include "calculator/Calculator.h"
#include "evaluation/EvaluationFileLines.h"
#include "evaluation_ui/ClimateData.h"
#include "evaluation_ui/EvaluationWindow.h"
#include "persistence/FileAccess.h"
#include "simulation/ClimateTables.h"

namespace lumetra {

namespace {

std::filesystem::path fromQt(const QString& path) {
    const QByteArray encoded = QFile::encodeName(path);
    return std::filesystem::path(std::string(encoded.constData(), encoded.size()));
}

}  // namespace

EvaluationAttachment::EvaluationAttachment(QDialog& dialog, Calculator& calculator,
                                           QLabel& chartPicture,
                                           std::function<QString()> dataFilePath)
    : QObject(nullptr),
      dialog_(dialog),
      calculator_(calculator),
      chartPicture_(chartPicture),
      dataFilePath_(std::move(dataFilePath)) {
    evaluation_ = std::make_unique<evaluation::Evaluation>(nullptr);
    climateLoad_ = std::async(std::launch::async, [search = windowDataSearch()] {
        ClimateLoad load;
        load.tables = simulation::loadClimateTables(search, &load.error);
        return load;
    });
    addStatusLine();

    // The monthly chart is the way in: it looks and answers like a button.
    chartPicture_.setCursor(Qt::PointingHandCursor);
    chartPicture_.setToolTip(QStringLiteral("Klicken für die Auswertung (Strg+R)"));
    chartPicture_.installEventFilter(this);

    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), &dialog_);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, &EvaluationAttachment::openWindow);
}

EvaluationAttachment::~EvaluationAttachment() {
    chartPicture_.removeEventFilter(this);
    delete window_.data();
}

EvaluationWindow* EvaluationAttachment::window() const {
    return window_.data();
}

void EvaluationAttachment::addStatusLine() {
    // One line under the specified content: the dialog grows by its height, so every specified
    // control keeps its place.
    const QSize content = dialog_.size();
    const int height = dialog_.fontMetrics().height() + 8;
    statusLine_ = new QLabel(&dialog_);
    statusLine_->setObjectName(QStringLiteral("evaluationStatusLine"));
    statusLine_->setFrameShape(QFrame::StyledPanel);
    statusLine_->setFrameShadow(QFrame::Sunken);
    statusLine_->setContentsMargins(4, 0, 4, 0);
    statusLine_->setGeometry(0, content.height(), content.width(), height);
    statusLine_->setText(QStringLiteral("Stundenbilanz: wird berechnet ..."));
    dialog_.setFixedSize(content.width(), content.height() + height);
}

void EvaluationAttachment::takeClimateTables() {
    if (!climateLoad_.valid() ||
        climateLoad_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        return;
    }
    ClimateLoad load = climateLoad_.get();
    if (load.tables) {
        evaluation_->setClimate(std::move(load.tables));
    } else {
        climateError_ = QString::fromStdString(load.error);
        statusLine_->setText(QStringLiteral("Stundenbilanz nicht verfügbar: ") + climateError_);
    }
}

void EvaluationAttachment::afterRefreshTick() {
    takeClimateTables();
    if (!evaluation_->update(calculator_.state(), calculator_.table())) {
        return;
    }
    updateStatusLine();
    // A closed window catches up when it is opened again.
    if (window_ != nullptr && window_->isVisible()) {
        window_->refresh();
    }
}

void EvaluationAttachment::updateStatusLine() {
    if (const auto& hourly = evaluation_->hourlyFigures()) {
        statusLine_->setText(QString::fromStdString(evaluation::statusLineText(*hourly)));
    }
}

void EvaluationAttachment::addMenuEntry(QMenu& menu) {
    QAction* action = menu.addAction(QString::fromUtf8(kEvaluationMenuText), this,
                                     &EvaluationAttachment::openWindow);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
}

void EvaluationAttachment::openWindow() {
    if (window_ == nullptr) {
        window_ = new EvaluationWindow(*evaluation_, calculator_, dataFilePath_, &dialog_);
        connect(window_, &EvaluationWindow::inputsEdited, this, [this] {
            evaluation_->update(calculator_.state(), calculator_.table());
            updateStatusLine();
            window_->refresh();
        });
    }
    evaluation_->update(calculator_.state(), calculator_.table());
    updateStatusLine();
    window_->refresh();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

std::string EvaluationAttachment::dataFileLines() const {
    return evaluation::evaluationInputLines(evaluation_->inputs());
}

void EvaluationAttachment::dataFileLoaded(const QString& path) {
    if (const auto inputs = evaluation::readEvaluationInputsFile(fromQt(path))) {
        evaluation_->setInputs(*inputs);
    }
    if (window_ != nullptr) {
        window_->showInputs();
    }
}

bool EvaluationAttachment::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &chartPicture_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && chartPicture_.rect().contains(mouse->pos())) {
            openWindow();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace lumetra
