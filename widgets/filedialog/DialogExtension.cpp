// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/filedialog/DialogExtension.h"

#include "widgets/filedialog/FileNameBox.h"
#include "widgets/filedialog/SuggestionPopup.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace lumetra {

namespace {

constexpr char kExtensionName[] = "lumetraFileDialogExtension";
constexpr char kFileNameBoxName[] = "fileNameBox";
constexpr char kContextMenuName[] = "folderContextMenu";

QString firstDroppedPath(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls()) {
        return {};
    }
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) {
            return QDir::toNativeSeparators(url.toLocalFile());
        }
    }
    return {};
}

}  // namespace

DialogExtension* DialogExtension::of(const QFileDialog* dialog) {
    return dialog->findChild<DialogExtension*>(QString::fromLatin1(kExtensionName),
                                               Qt::FindDirectChildrenOnly);
}

DialogExtension* DialogExtension::attach(QFileDialog* dialog) {
    if (DialogExtension* existing = of(dialog)) {
        return existing;
    }
    auto* editor = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (editor == nullptr || editor->parentWidget() == nullptr) {
        return nullptr;
    }
    return new DialogExtension(dialog, editor);
}

DialogExtension::DialogExtension(QFileDialog* dialog, QLineEdit* editor)
    : QObject(dialog), dialog_(dialog), editor_(editor), scanner_(*this) {
    setObjectName(QString::fromLatin1(kExtensionName));

    // The box takes the editor's place in the layout; the editor itself moves into the box, so
    // the dialog keeps reading and writing the name through the very same editor.
    QWidget* holder = editor->parentWidget();
    box_ = new FileNameBox(holder);
    box_->setObjectName(QString::fromLatin1(kFileNameBoxName));
    box_->setFont(editor->font());
    box_->setSizePolicy(editor->sizePolicy());
    if (QLayout* layout = holder->layout()) {
        delete layout->replaceWidget(editor, box_);
    }
    const QString text = editor->text();
    box_->setLineEdit(editor);
    // The dialog's own completer would open a second list beside the suggestions.
    editor->setCompleter(nullptr);
    if (editor->text() != text) {
        editor->setText(text);
    }
    editor->setAcceptDrops(true);
    box_->setAcceptDrops(true);
    if (auto* label = holder->findChild<QLabel*>(QStringLiteral("fileNameLabel"))) {
        label->setBuddy(box_);
    }
    box_->show();

    popup_ = new SuggestionPopup(dialog);

    connect(editor, &QLineEdit::textEdited, this, &DialogExtension::textEdited);
    connect(box_, &FileNameBox::historyOpening, this, &DialogExtension::hideSuggestions);
    connect(box_, &FileNameBox::historyChosen, this, &DialogExtension::historyChosen);
    connect(popup_, &SuggestionPopup::suggestionChosen, this, &DialogExtension::suggestionChosen);
    connect(dialog, &QFileDialog::directoryEntered, this, &DialogExtension::folderEntered);
    connect(dialog, &QFileDialog::filesSelected, this, &DialogExtension::filesSelected);
    if (auto* model = dialog->findChild<QFileSystemModel*>()) {
        connect(model, &QFileSystemModel::rootPathChanged, this, &DialogExtension::folderEntered);
    }
    if (auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))) {
        // The box reports a click before the dialog acts on it, so the name is still the one
        // the user confirmed.
        connect(buttons, &QDialogButtonBox::clicked, this,
                [this, buttons](QAbstractButton* button) {
                    if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) {
                        okPressed();
                    }
                });
    }

    dialog->installEventFilter(this);
    box_->installEventFilter(this);
    editor->installEventFilter(this);
}

DialogExtension::~DialogExtension() {
    scanner_.stop();
}

void DialogExtension::dialogShown() {
    kind_ = dialog_->acceptMode() == QFileDialog::AcceptSave ? DialogKind::Save : DialogKind::Open;
    fileKind_ = fileKindFromSuffix(dialog_->defaultSuffix());
    location_ = historyLocation(QCoreApplication::applicationName());
    box_->setHistory(readHistory(location_, fileKind_));
    box_->setFocus(Qt::OtherFocusReason);
    scanner_.start();
    folder_.clear();
    folderEntered(dialog_->directory().absolutePath());
}

void DialogExtension::dialogHidden() {
    hideSuggestions();
    scanner_.stop();
    folder_.clear();
    generation_ = 0;
}

QString DialogExtension::currentFolder() const {
    return QDir::toNativeSeparators(dialog_->directory().absolutePath());
}

void DialogExtension::folderEntered(const QString& folder) {
    if (folder == folder_ || !scanner_.isRunning()) {
        return;
    }
    folder_ = folder;
    hideSuggestions();
    popup_->clearSuggestions();
    generation_ = scanner_.setFolder(folder);
}

void DialogExtension::textEdited(const QString& text) {
    if (!scanner_.isRunning()) {
        return;
    }
    generation_ = scanner_.setTypedText(text);
    if (text.isEmpty()) {
        hideSuggestions();
    }
}

void DialogExtension::hideSuggestions() {
    if (popup_ != nullptr) {
        popup_->hide();
    }
}

void DialogExtension::okPressed() {
    hideSuggestions();
    recordTaken(editor_->text());
}

void DialogExtension::returnPressed() {
    hideSuggestions();
    const QString text = withNativeSlashes(editor_->text());
    if (text != editor_->text()) {
        editor_->setText(text);
    }
    recordTaken(text);
}

void DialogExtension::filesSelected(const QStringList& files) {
    if (!files.isEmpty()) {
        recordTaken(files.front());
    }
}

void DialogExtension::recordTaken(const QString& taken) {
    const auto candidate = folderToRecord(taken, kind_, dialog_->directory().absolutePath());
    if (!candidate) {
        return;
    }
    // The stored list is read again: another dialog may have recorded in the meantime.
    QStringList history = readHistory(location_, fileKind_);
    recordFolder(history, candidate->folder);
    writeHistory(location_, fileKind_, history);
    box_->setHistory(history);
    if (!candidate->namedFile &&
        QFileInfo(QDir(dialog_->directory()), QDir::fromNativeSeparators(taken)).isDir()) {
        // A confirmed folder becomes the selected entry, which puts the same folder (ending
        // with the separator) into the box. A name that does not exist is left untouched.
        box_->setCurrentIndex(0);
    }
}

void DialogExtension::historyChosen(const QString& entry) {
    const QFileInfo info(QDir::fromNativeSeparators(entry));
    if (!info.isDir()) {
        return;
    }
    recordTaken(entry);
    dialog_->setDirectory(info.absoluteFilePath());
    editor_->clear();
}

void DialogExtension::suggestionChosen(const QString& name) {
    editor_->setText(name);
    hideSuggestions();
}

void DialogExtension::copyCurrentPath() {
    QGuiApplication::clipboard()->setText(currentFolder());
}

QMenu* DialogExtension::createContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QString::fromLatin1(kContextMenuName));
    QAction* copy = menu->addAction(QString::fromUtf8(kCopyPathText));
    copy->setObjectName(QStringLiteral("copyCurrentPath"));
    connect(copy, &QAction::triggered, this, &DialogExtension::copyCurrentPath);
    return menu;
}

bool DialogExtension::handleBoxKey(QKeyEvent* event) {
    const bool suggestionsShown = popup_ != nullptr && popup_->isVisible();
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (suggestionsShown && event->modifiers() == Qt::NoModifier) {
                const QString name = popup_->moveSelection(event->key() == Qt::Key_Up ? -1 : 1);
                if (!name.isEmpty()) {
                    editor_->setText(name);
                }
                return true;
            }
            return false;
        case Qt::Key_Escape:
            if (suggestionsShown) {
                hideSuggestions();
                return true;
            }
            return false;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            returnPressed();
            return false;
        default:
            return false;
    }
}

bool DialogExtension::handleDrop(QDropEvent* event) {
    const QString path = firstDroppedPath(event->mimeData());
    if (path.isEmpty()) {
        return false;
    }
    editor_->setText(path);
    editor_->setFocus(Qt::OtherFocusReason);
    textEdited(path);
    event->acceptProposedAction();
    return true;
}

bool DialogExtension::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dialog_) {
        switch (event->type()) {
            case QEvent::Hide:
                dialogHidden();
                break;
            case QEvent::Move:
                hideSuggestions();
                break;
            case QEvent::MouseButtonPress:
                if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                    hideSuggestions();
                }
                break;
            case QEvent::ContextMenu: {
                QMenu* menu = createContextMenu(dialog_);
                menu->setAttribute(Qt::WA_DeleteOnClose);
                menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
                return true;
            }
            default:
                break;
        }
        return false;
    }
    if (watched == box_ || watched == editor_) {
        switch (event->type()) {
            case QEvent::KeyPress:
                // The box forwards keys to its editor; handle each key once, where it arrives.
                if (watched == box_ || !box_->hasFocus()) {
                    return handleBoxKey(static_cast<QKeyEvent*>(event));
                }
                return false;
            case QEvent::FocusOut:
                hideSuggestions();
                return false;
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* drag = static_cast<QDropEvent*>(event);
                if (!firstDroppedPath(drag->mimeData()).isEmpty()) {
                    drag->acceptProposedAction();
                    return true;
                }
                return false;
            }
            case QEvent::Drop:
                return handleDrop(static_cast<QDropEvent*>(event));
            default:
                return false;
        }
    }
    return QObject::eventFilter(watched, event);
}

void DialogExtension::resetSuggestions(std::uint64_t generation) {
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation == generation_ && popup_ != nullptr) {
                popup_->clearSuggestions();
                hideSuggestions();
            }
        },
        Qt::QueuedConnection);
}

bool DialogExtension::offerSuggestion(std::uint64_t generation, const QString& name) {
    return QMetaObject::invokeMethod(
        this,
        [this, generation, name] {
            if (generation == generation_ && popup_ != nullptr &&
                popup_->count() < kScanMaxSuggestions) {
                popup_->addSuggestion(name);
            }
        },
        Qt::QueuedConnection);
}

void DialogExtension::showSuggestions(std::uint64_t generation) {
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation != generation_ || popup_ == nullptr || popup_->isVisible() ||
                popup_->count() == 0 || editor_->text().isEmpty() || box_->view()->isVisible()) {
                return;
            }
            popup_->showUnder(box_);
        },
        Qt::QueuedConnection);
}

}  // namespace lumetra
