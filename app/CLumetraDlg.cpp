// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CLumetraDlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <utility>

#include "app/AppResources.h"
#include "app/ChartPixmap.h"
#include "app/CloseQuestion.h"
#include "app/DataLocation.h"
#include "app/EvaluationAttachment.h"
#include "app/FileCommands.h"
#include "app/InfoDialogs.h"
#include "app/LocationCommand.h"
#include "app/PresetBox.h"
#include "app/ScreenFit.h"
#include "app/WindowTitle.h"
#include "calculator/ModuleFieldEditing.h"
#include "energy/MonthlyChart.h"
#include "widgets/screenfit/KeepOnScreen.h"
#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra {

CLumetraDlg::CLumetraDlg(QWidget* parent) : QDialog(parent), controls_(buildMainDialog(*this)) {
    tableControl_ = new CTreeListCtrl(this);
    table_ = std::make_unique<TreeListTable>(*tableControl_);
    // Posted calls run after the current event, as a posted message would.
    calculator_ = std::make_unique<Calculator>(*this, *table_, [this](std::function<void()> call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    });
    // The fields' two palettes are made once: copying and changing a palette for each field
    // showed in the start-up.
    for (const bool derived : {false, true}) {
        const Rgb rgb = derived ? kDerivedFieldColour : kEditableFieldColour;
        const QColor colour(rgb.r, rgb.g, rgb.b);
        QPalette& palette = fieldPalettes_[derived ? 1 : 0];
        palette = controls_.fields[0]->palette();
        palette.setColor(QPalette::Base, colour);
        palette.setColor(QPalette::Window, colour);
    }
    connect(controls_.loadButton, &QPushButton::clicked, this, &CLumetraDlg::OnLoadData);
    connect(controls_.saveButton, &QPushButton::clicked, this, &CLumetraDlg::OnSaveData);
    connect(controls_.chooseLocationButton, &QPushButton::clicked, this,
            &CLumetraDlg::OnChooseLocation);
    initDialog();
    showHeldFields();
    connectFields();
    evaluation_ = std::make_unique<EvaluationAttachment>(
        *this, *calculator_, *controls_.chartPicture, [this] { return dataFilePath_; });
    evaluation_->setPlaceName([this] { return QString::fromStdString(placeName_); });
    takeBaseline();
    updateWindowState();
    // On a screen smaller than the dialog its contents scroll in a window that fits, and the
    // window opens inside the screen.
    fitDialogToScreen(*this);
    keepOnScreen(*this);
}

CLumetraDlg::~CLumetraDlg() {
    evaluation_.reset();
    // The children outlive the calculator; their last events must not reach it.
    refreshTimer_.stop();
    disconnectFields();
}

void CLumetraDlg::showHeldFields() {
    // Not connected yet: the texts set here are no edits to solve from.
    fieldsHeld_ = false;
    for (int index = 0; index < kQuantityCount; ++index) {
        const auto q = static_cast<QuantityId>(index);
        QLineEdit* edit = controls_.fields[q];
        edit->setText(QString::fromStdString(fieldTexts_[q]));
        // Each setter tells the accessibility layer, even of no change.
        if (edit->isReadOnly() != heldFieldStates_[q].readOnly) {
            edit->setReadOnly(heldFieldStates_[q].readOnly);
        }
        if (controls_.boxes[q]->isChecked() != heldFieldStates_[q].checked) {
            controls_.boxes[q]->setChecked(heldFieldStates_[q].checked);
        }
        applyFieldColour(q);
    }
}

void CLumetraDlg::connectFields() {
    for (int index = 0; index < kQuantityCount; ++index) {
        const auto q = static_cast<QuantityId>(index);
        QLineEdit* edit = controls_.fields[q];
        connect(edit, &QLineEdit::textChanged, this, [this, q](const QString& text) {
            fieldTexts_[q] = text.toStdString();
            calculator_->onFieldTextChanged(q);
            noteChange();
        });
        edit->installEventFilter(this);
        connect(controls_.boxes[q], &QAbstractButton::clicked, this, [this, q] {
            calculator_->onPresetBoxClicked(q);
            noteChange();
        });
    }
}

void CLumetraDlg::disconnectFields() {
    for (int q = 0; q < kQuantityCount; ++q) {
        controls_.fields[q]->removeEventFilter(this);
        disconnect(controls_.fields[q], nullptr, this, nullptr);
        disconnect(controls_.boxes[q], nullptr, this, nullptr);
    }
    if (tableControl_ != nullptr) {
        tableControl_->setEndLabelEditHandler(nullptr);
        disconnect(tableControl_, nullptr, this, nullptr);
    }
}

void CLumetraDlg::initDialog() {
    chartArea_ = controls_.chartArea->size();
    helpArea_ = controls_.helpArea->size();
    focusHelp_ = std::make_unique<FocusHelp>(controls_.description, controls_.helpPicture,
                                             HelpPictures(helpArea_, devicePixelRatioF()));
    createTable();
    calculator_->openDialog();
    refreshTimer_.setObjectName(QStringLiteral("refreshTimer"));
    connect(&refreshTimer_, &QTimer::timeout, this, &CLumetraDlg::refreshTick);
    refreshTimer_.start(kRefreshPeriodMs);
}

void CLumetraDlg::createTable() {
    tableControl_->CreateOnPlaceholder(WS_EX_CLIENTEDGE,
                                       TVS_EDITLABELS | TVS_FULLROWSELECT | WS_TABSTOP,
                                       controls_.tableFrame, this, kTableControlId);
    setUpModuleFieldColumns(*tableControl_);
    // The table is a Tab stop where it stands: after the module fields above it, before the
    // installation's fields below it.
    QWidget::setTabOrder(controls_.fields[Efficiency], tableControl_);
    QWidget::setTabOrder(tableControl_, controls_.fields[SystemLosses]);

    tableControl_->setEndLabelEditHandler([this](const TreeListEndEdit& edit) {
        std::string text;
        if (edit.text != nullptr) {
            text = edit.text->toStdString();
        }
        const bool typedIntoPlaceholder = edit.item == calculator_->state().placeholderRow &&
                                          !text.empty() && (edit.mask & TLIF_TEXTCHANGED) != 0;
        if (typedIntoPlaceholder && !canAddModuleField(*calculator_)) {
            // Told once the edit has ended, not from within the table's notification.
            QMetaObject::invokeMethod(
                this, [this] { showFileError(this, kModuleFieldLimitMessage); },
                Qt::QueuedConnection);
        }
        const bool store = endCellEdit(*calculator_, edit.item, edit.column,
                                       edit.text != nullptr ? &text : nullptr,
                                       (edit.mask & TLIF_TEXTCHANGED) != 0);
        noteChange();
        return store ? 0 : 1;
    });
    connect(tableControl_, &CTreeListCtrl::contextMenuRequested, this, &CLumetraDlg::showTableMenu);
    // Delete on a field row does what "Zeile löschen" does, without asking; the focus stays in
    // the row that takes its place.
    connect(tableControl_, &CTreeListCtrl::deleteKeyPressed, this, [this](HTREEITEM row) {
        if (!canDeleteRow(*calculator_, row)) {
            return;
        }
        const HTREEITEM next = tableControl_->GetNextItem(row, TVGN_NEXT);
        const int column = tableControl_->GetFocusColumn();
        deleteRowCommand(*calculator_, row);
        tableControl_->SetFocusCell(next, column);
        noteChange();
    });
}

void CLumetraDlg::OnLoadData() {
    const std::optional<evaluation::DataSetLoad> load =
        loadDataCommand(this, *calculator_, dataFilePath_);
    // A refused file changed nothing, the Auswertung inputs neither.
    if (load && load->evaluationLines) {
        evaluation_->dataFileLoaded(load->evaluationLines->inputs);
    }
    noteChange();
    // A file that was not read, or not recognised, is not the data set's file.
    if (load && load->outcome == DataFileOutcome::Done) {
        documentPath_ = dataFilePath_;
        takeBaseline();
    }
    updateWindowState();
}

bool CLumetraDlg::OnSaveData() {
    const bool saved =
        saveDataCommand(this, *calculator_, dataFilePath_, evaluation_->dataFileLines());
    if (saved) {
        documentPath_ = dataFilePath_;
        rememberSavedDataSet();
    }
    // Refresh ticks ran inside the file dialog and the overwrite question: whatever they
    // checked, the mark is checked again against the data set as it is now.
    noteChange();
    updateWindowState();
    return saved;
}

void CLumetraDlg::OnChooseLocation() {
    const ChooseLocationOutcome outcome = chooseLocationCommand(
        this, *calculator_, findDataFile(defaultDataSearch(), kLocationDatabaseName),
        lastLocationName_);
    noteChange();
    if (outcome == ChooseLocationOutcome::Chosen) {
        placeName_ = lastLocationName_;
        placeCoordinates_ = {fieldText(Latitude), fieldText(Longitude)};
    }
    updateWindowState();
}

bool CLumetraDlg::hasUnsavedChanges() const {
    // The Auswertung's inputs travel in the data file too: changing one is a change to save.
    return savedDataSet_.differs(*calculator_) ||
           evaluation_->dataFileLines() != savedEvaluationLines_;
}

void CLumetraDlg::rememberSavedDataSet() {
    savedDataSet_.take(*calculator_);
    savedEvaluationLines_ = evaluation_->dataFileLines();
    // A new baseline changes the comparison as a change of the data set does.
    noteChange();
}

void CLumetraDlg::takeBaseline() {
    rememberSavedDataSet();
    // Solves that the load or the opening posted run before this call, which takes the data
    // set again once they are done.
    QMetaObject::invokeMethod(
        this,
        [this] {
            rememberSavedDataSet();
            updateWindowState();
        },
        Qt::QueuedConnection);
}

void CLumetraDlg::updateWindowState() {
    if (!placeName_.empty() && (fieldText(Latitude) != placeCoordinates_[0] ||
                                fieldText(Longitude) != placeCoordinates_[1])) {
        placeName_.clear();  // the coordinates are no longer the place's
    }
    const QString title = mainWindowTitle(QString::fromStdString(placeName_), documentPath_);
    if (title != windowTitle()) {
        setWindowTitle(title);
    }
    if (changeCheckPending_) {
        changeCheckPending_ = false;
        setWindowModified(hasUnsavedChanges());
    }
}

void CLumetraDlg::reject() {
    // A cell being edited is taken over first, as a click elsewhere would take it.
    if (tableControl_ != nullptr && tableControl_->GetEditControl() != nullptr) {
        tableControl_->EndEditLabelNow(false);
    }
    if (hasUnsavedChanges()) {
        switch (askToSaveChanges(this)) {
            case CloseAnswer::Save:
                if (!OnSaveData()) {
                    return;  // cancelled or failed: nothing is lost
                }
                break;
            case CloseAnswer::Discard:
                break;
            case CloseAnswer::Cancel:
                return;
        }
    }
    QDialog::reject();
}

void CLumetraDlg::refreshTick() {
    // The icon's pictures are decoded at the first tick rather than before the first paint,
    // which they are not part of; the window manager shows the icon a moment later.
    if (!iconSet_) {
        iconSet_ = true;
        setWindowIcon(applicationIcon());
    }
    // Relations that rewrite the table's cells set the refresh request; their solves need not
    // change a field's text, so the mark of unsaved changes is checked again.
    if (calculator_->state().tableRefreshPending) {
        noteChange();
    }
    // An Auswertung input changed since the last tick: the mark is checked again.
    if (std::string lines = evaluation_->dataFileLines(); lines != tickEvaluationLines_) {
        tickEvaluationLines_ = std::move(lines);
        noteChange();
    }
    if (savedDataSet_.refreshTick(*calculator_)) {
        drawChart();
    }
    updateWindowState();
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && focus->window() == this) {
        focusHelp_->update(focus, tableControl_);
    }
    if (evaluation_) {
        evaluation_->afterRefreshTick();
    }
}

void CLumetraDlg::drawChart() {
    // Drawn at the chart area's own size and enlarged by whole pixels on a scaled screen, so
    // that the chart's pixel font keeps its height there; the label shows it at the area's size.
    const QPixmap pixmap = chartPixmap(
        drawMonthlyChart(calculator_->state().figures, chartArea_.width(), chartArea_.height()),
        devicePixelRatioF());
    if (pixmap.isNull()) {
        return;  // keep showing the previous chart
    }
    controls_.chartPicture->setPixmap(pixmap);
    controls_.chartPicture->resize(chartArea_);
    chartShown_ = true;
}

std::string CLumetraDlg::fieldText(QuantityId q) const {
    return fieldTexts_[q];
}

void CLumetraDlg::setFieldText(QuantityId q, std::string_view text) {
    if (fieldsHeld_) {
        fieldTexts_[q] = text;
        return;
    }
    controls_.fields[q]->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::optional<QuantityId> CLumetraDlg::focusedField() const {
    return fieldOf(QApplication::focusWidget());
}

void CLumetraDlg::setFieldReadOnly(QuantityId q, bool readOnly) {
    if (fieldsHeld_) {
        heldFieldStates_[q].readOnly = readOnly;
        return;
    }
    if (controls_.fields[q]->isReadOnly() != readOnly) {
        controls_.fields[q]->setReadOnly(readOnly);
        applyFieldColour(q);
    }
}

void CLumetraDlg::setPresetBoxChecked(QuantityId q, bool checked) {
    if (fieldsHeld_) {
        heldFieldStates_[q].checked = checked;
        return;
    }
    // Each toggle sets every box; a box set to what it shows would still be refreshed.
    if (controls_.boxes[q]->isChecked() != checked) {
        controls_.boxes[q]->setChecked(checked);
    }
}

void CLumetraDlg::applyFieldColour(QuantityId q) {
    QLineEdit* edit = controls_.fields[q];
    // Read-only is set from the derived flag only, so it tells the colour.
    edit->setPalette(fieldPalettes_[edit->isReadOnly() ? 1 : 0]);
}

std::optional<QuantityId> CLumetraDlg::fieldOf(const QObject* object) const {
    for (int q = 0; q < kQuantityCount; ++q) {
        if (controls_.fields[q] == object) {
            return static_cast<QuantityId>(q);
        }
    }
    return std::nullopt;
}

bool CLumetraDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const auto* focusEvent = static_cast<QFocusEvent*>(event);
        // A popup (the field's own context menu) takes the focus only for a moment.
        if (focusEvent->reason() != Qt::PopupFocusReason) {
            if (const auto q = fieldOf(watched)) {
                calculator_->onFieldFocusLost(*q);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CLumetraDlg::keyPressEvent(QKeyEvent* event) {
    // Enter never closes the main dialog and presses no button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CLumetraDlg::contextMenuEvent(QContextMenuEvent* event) {
    // The window menu of the platform cannot be extended here; the dialog's background offers
    // its entries instead.
    QMenu menu(this);
    evaluation_->addMenuEntry(menu);
    fillSystemMenu(menu, this);
    menu.exec(event->globalPos());
}

void CLumetraDlg::showTableMenu(const QPoint& globalPos) {
    int column = -1;
    const HTREEITEM row = tableControl_->HitTest(tableControl_->mapFromGlobal(globalPos), &column);
    showDeleteRowMenu(this, globalPos, canDeleteRow(*calculator_, row), [this, row] {
        deleteRowCommand(*calculator_, row);
        noteChange();
    });
}

}  // namespace lumetra
