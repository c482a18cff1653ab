// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPalette>
#include <QTimer>

#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "app/DialogBuilder.h"
#include "app/FocusHelp.h"
#include "app/TreeListTable.h"
#include "calculator/Calculator.h"
#include "model/FieldPanel.h"
#include "persistence/DataSetBaseline.h"
#include "support/Rgb.h"

class QLineEdit;

namespace lumetra {

class CTreeListCtrl;
class EvaluationAttachment;
class PresetBox;

// Background of a field the user fills in (preset or free) and of a computed (derived) one.
inline constexpr Rgb kEditableFieldColour{255, 255, 200};
inline constexpr Rgb kDerivedFieldColour{220, 220, 255};

// The refresh tick's period.
inline constexpr int kRefreshPeriodMs = 250;

// The main dialog: the 42 fields with their "Vorgabe" boxes, the module-field table, the help
// text and picture that follow the focus, and the monthly chart. It owns the calculator, which
// holds the model state, and implements the calculator's field port with its widgets.
//
// Construction builds the widgets and the model state and then initialises the dialog (help
// pictures, table, first solves, refresh timer), so a constructed dialog shows the opening
// state; exec() runs it. Enter does nothing; Escape, "Abbrechen" and the window's close button
// close it, after asking whether to save when the data set has unsaved changes.
class CLumetraDlg : public QDialog, public FieldPanel {
    Q_OBJECT

  public:
    explicit CLumetraDlg(QWidget* parent = nullptr);
    ~CLumetraDlg() override;

    Calculator& calculator() { return *calculator_; }
    QLineEdit* field(QuantityId q) const { return controls_.fields[q]; }
    PresetBox* presetBox(QuantityId q) const { return controls_.boxes[q]; }
    CTreeListCtrl* tableControl() const { return tableControl_; }
    const FocusHelp& focusHelp() const { return *focusHelp_; }
    QSize chartArea() const { return chartArea_; }
    QSize helpPictureArea() const { return helpArea_; }
    // Whether a chart has been drawn since start-up.
    bool hasChart() const { return chartShown_; }
    // The Auswertung: status line, menu entry, its window and inputs.
    EvaluationAttachment& evaluation() const { return *evaluation_; }

    // "Laden", "Speichern" and "Ort auswählen". OnSaveData returns true when the file was
    // written.
    void OnLoadData();
    bool OnSaveData();
    void OnChooseLocation();

    // Whether the data set (what a save would write) differs from what was last loaded or
    // saved, or from the opening state.
    bool hasUnsavedChanges() const;
    // The data file the data set was last loaded from or saved to; empty before.
    const QString& documentPath() const { return documentPath_; }
    // The place the title names: the one last chosen, until the coordinates are edited.
    const std::string& titlePlaceName() const { return placeName_; }

    // The cancel command (Escape, "Abbrechen", the close button): with unsaved changes it asks
    // first; "Speichern" runs "Speichern", and the window stays open when that is cancelled or
    // fails, as it does for "Abbrechen".
    void reject() override;

    // The last data file chosen in a file dialog and the last place chosen, kept for the run.
    const QString& dataFilePath() const { return dataFilePath_; }
    const std::string& lastLocationName() const { return lastLocationName_; }

    // One refresh tick: the table's display form and the chart when pending, the title and its
    // mark of unsaved changes, then the focus help. The timer calls it every 250 ms.
    void refreshTick();

    // FieldPanel
    std::string fieldText(QuantityId q) const override;
    void setFieldText(QuantityId q, std::string_view text) override;
    std::optional<QuantityId> focusedField() const override;
    void setFieldReadOnly(QuantityId q, bool readOnly) override;
    void setPresetBoxChecked(QuantityId q, bool checked) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void showHeldFields();
    void connectFields();
    void disconnectFields();
    void initDialog();
    void createTable();
    void drawChart();
    void applyFieldColour(QuantityId q);
    void showTableMenu(const QPoint& globalPos);
    std::optional<QuantityId> fieldOf(const QObject* object) const;
    void noteChange() { changeCheckPending_ = true; }
    void updateWindowState();
    // What a save would write now becomes what the mark of unsaved changes compares with.
    void rememberSavedDataSet();
    // The same after a load or at the opening, and once more after the solves they posted.
    void takeBaseline();

    MainDialogControls controls_;
    // The fields' palettes: editable, derived.
    std::array<QPalette, 2> fieldPalettes_;
    // Each field's text as UTF-8, kept by its textChanged signal: the calculator reads every
    // field after each solve, and converting 42 texts each time cost more than the solve.
    std::array<std::string, kQuantityCount> fieldTexts_;
    // While the dialog is built, the calculator's opening solves (some twenty of them) set the
    // texts and states here; the fields show only the last ones (showHeldFields).
    struct HeldFieldState {
        bool readOnly = false;
        bool checked = false;
    };
    bool fieldsHeld_ = true;
    std::array<HeldFieldState, kQuantityCount> heldFieldStates_{};
    CTreeListCtrl* tableControl_ = nullptr;
    std::unique_ptr<TreeListTable> table_;
    std::unique_ptr<Calculator> calculator_;
    std::unique_ptr<FocusHelp> focusHelp_;
    QTimer refreshTimer_{this};  // a child, so that tests find it by its name
    QSize chartArea_;
    QSize helpArea_;
    bool chartShown_ = false;
    bool iconSet_ = false;
    QString dataFilePath_;
    std::string lastLocationName_;

    DataSetBaseline savedDataSet_;
    std::string savedEvaluationLines_;  // the Auswertung inputs' lines of the baseline
    std::string tickEvaluationLines_;   // the same lines at the last refresh tick
    bool changeCheckPending_ = true;
    QString documentPath_;
    std::string placeName_;
    std::array<std::string, 2> placeCoordinates_;  // latitude and longitude field texts
    std::unique_ptr<EvaluationAttachment> evaluation_;
};

}  // namespace lumetra
