// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The additions to one widget-based QFileDialog: the file-name box with the folder history,
// the name suggestions from a background scan of the current folder, the context menu of the
// dialog's background with "Kopiere aktuellen Pfad", and dropped files. The extension is a
// child of its dialog and lives as long as the dialog.

#include "widgets/filedialog/DirectoryScanner.h"
#include "widgets/filedialog/FolderHistory.h"
#include "widgets/filedialog/HistoryStore.h"
#include "widgets/filedialog/SuggestionPopup.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <cstdint>

class QDropEvent;
class QFileDialog;
class QKeyEvent;
class QLineEdit;
class QMenu;

namespace lumetra {

class FileNameBox;

constexpr char kCopyPathText[] = "Kopiere aktuellen Pfad";

class DialogExtension : public QObject, private ScanSink {
    Q_OBJECT

  public:
    // The extension of `dialog`, created on first use; nullptr when the dialog has no
    // file-name editor of its own (a native dialog).
    static DialogExtension* attach(QFileDialog* dialog);
    // The extension already attached to `dialog`, or nullptr.
    static DialogExtension* of(const QFileDialog* dialog);

    ~DialogExtension() override;

    // The dialog is being shown: reads the history, gives the box the focus and starts the
    // scan of the current folder.
    void dialogShown();

    FileNameBox* fileNameBox() const { return box_; }
    SuggestionPopup* suggestionPopup() const { return popup_; }
    bool isScanning() const { return scanner_.isRunning(); }
    // The menu of the dialog's background; the caller shows it.
    QMenu* createContextMenu(QWidget* parent);
    // The folder the dialog shows, with native separators.
    QString currentFolder() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    DialogExtension(QFileDialog* dialog, QLineEdit* editor);

    void dialogHidden();
    void folderEntered(const QString& folder);
    void textEdited(const QString& text);
    void returnPressed();
    void okPressed();
    void filesSelected(const QStringList& files);
    void historyChosen(const QString& entry);
    void suggestionChosen(const QString& name);
    void copyCurrentPath();
    void recordTaken(const QString& taken);
    void hideSuggestions();
    bool handleBoxKey(QKeyEvent* event);
    bool handleDrop(QDropEvent* event);

    // Scan reports, called on the scan thread; each is forwarded as a queued call.
    void resetSuggestions(std::uint64_t generation) override;
    bool offerSuggestion(std::uint64_t generation, const QString& name) override;
    void showSuggestions(std::uint64_t generation) override;

    QFileDialog* dialog_;
    QLineEdit* editor_;
    FileNameBox* box_;
    QPointer<SuggestionPopup> popup_;
    DialogKind kind_{DialogKind::Open};
    QString fileKind_;
    HistoryLocation location_;
    QString folder_;
    std::uint64_t generation_{0};
    DirectoryScanner scanner_;
};

}  // namespace lumetra
