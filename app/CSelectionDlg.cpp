// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CSelectionDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "app/ControlIds.h"
#include "app/DialogBuilder.h"

namespace lumetra {

namespace {

inline constexpr DuRect kSelectionDialogSize{0, 0, 227, 76};
inline constexpr DuRect kLabelAt{15, 15, 195, 8};
inline constexpr DuRect kListAt{15, 25, 195, 145};  // height: the list when dropped down
inline constexpr DuRect kOkAt{55, 50, 50, 14};
inline constexpr DuRect kCancelAt{115, 50, 50, 14};
inline constexpr std::string_view kDefaultCaption = "Auswahl";

QRect pixels(const DuRect& du, DialogBaseUnits base) {
    return dialogUnitsToPixels(QRect(du.x, du.y, du.width, du.height), base);
}

}  // namespace

CSelectionDlg::CSelectionDlg(QWidget* parent) : QDialog(parent) {
    const DialogBaseUnits base = prepareDialog(*this, kDefaultCaption, kSelectionDialogSize);

    label_ = new QLabel(this);
    label_->setGeometry(pixels(kLabelAt, base));
    setControlId(label_, kSelectionLabelId);

    list_ = new QComboBox(this);
    list_->setEditable(false);
    const QRect listRect = pixels(kListAt, base);
    const int closedHeight = list_->sizeHint().height();
    list_->setGeometry(listRect.x(), listRect.y(), listRect.width(), closedHeight);
    // The dropped-down list takes the rest of the template's height.
    const int lineHeight = std::max(1, list_->fontMetrics().height() + 2);
    list_->setMaxVisibleItems(std::max(1, (listRect.height() - closedHeight) / lineHeight));
    setControlId(list_, kSelectionListId);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setGeometry(pixels(kOkAt, base));
    okButton_->setDefault(true);
    setControlId(okButton_, kOkId);

    cancelButton_ = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancelButton_->setGeometry(pixels(kCancelAt, base));
    setControlId(cancelButton_, kCancelId);

    setTabOrder(list_, okButton_);
    setTabOrder(okButton_, cancelButton_);

    connect(okButton_, &QPushButton::clicked, this, &CSelectionDlg::takeChoice);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void CSelectionDlg::setCaption(const QString& caption) {
    if (!caption.isEmpty()) {
        setWindowTitle(caption);
    }
}

void CSelectionDlg::setLabel(const QString& label) {
    if (!label.isEmpty()) {
        label_->setText(label);
    }
}

void CSelectionDlg::addEntry(const QString& text, int value) {
    entries_.push_back(Entry{text, value});
}

void CSelectionDlg::setSelectedIndex(int index) {
    selectedIndex_ = index;
}

bool CSelectionDlg::runModal() {
    return exec() == QDialog::Accepted;
}

void CSelectionDlg::showEvent(QShowEvent* event) {
    fillList();
    QDialog::showEvent(event);
    list_->setFocus(Qt::OtherFocusReason);
}

void CSelectionDlg::fillList() {
    list_->clear();
    for (const Entry& entry : entries_) {
        list_->addItem(entry.text, entry.value);
    }
    const int count = static_cast<int>(entries_.size());
    list_->setCurrentIndex(selectedIndex_ >= 0 && selectedIndex_ < count ? selectedIndex_
                           : count > 0                                   ? 0
                                                                         : -1);
}

void CSelectionDlg::takeChoice() {
    const int index = list_->currentIndex();
    if (index < 0 || index >= static_cast<int>(entries_.size())) {
        reject();  // an empty list offers nothing to choose
        return;
    }
    chosenIndex_ = index;
    chosenText_ = entries_[static_cast<std::size_t>(index)].text;
    chosenValue_ = entries_[static_cast<std::size_t>(index)].value;
    accept();
}

}  // namespace lumetra
