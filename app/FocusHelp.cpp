// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FocusHelp.h"

#include <QLabel>

#include "app/ControlIds.h"
#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra {

namespace {

bool isInside(const QWidget* widget, const QWidget* ancestor) {
    return ancestor != nullptr && (widget == ancestor || ancestor->isAncestorOf(widget));
}

}  // namespace

FocusHelpTarget focusHelpTarget(const QWidget* focus, const CTreeListCtrl* table) {
    if (isInside(focus, table)) {
        const int column = table->GetFocusColumn();
        if (column >= 1 && column <= kQuantityInfoCount - kQuantityCount) {
            return {tableFocusKey(column), column + kFirstColumnHelpIndex - 1};
        }
        return {tableFocusKey(8), kNoHelpIndex};
    }
    const int key = controlId(focus);
    if (const auto q = quantityFromEditId(key)) {
        return {key, *q};
    }
    if (const auto q = quantityFromBoxId(key)) {
        return {key, *q};
    }
    return {key, kNoHelpIndex};
}

FocusHelp::FocusHelp(QLabel* description, QLabel* picture, HelpPictures pictures)
    : description_(description), picture_(picture), pictures_(std::move(pictures)) {}

void FocusHelp::update(const QWidget* focus, const CTreeListCtrl* table) {
    if (focus == nullptr) {
        return;
    }
    const FocusHelpTarget target = focusHelpTarget(focus, table);
    if (target.key == focusKey_) {
        return;
    }
    if (target.helpIndex != shownHelpIndex_) {
        shownHelpIndex_ = target.helpIndex;
        const QPixmap& pixmap = pictures_.picture(target.helpIndex);
        if (pixmap.isNull()) {
            picture_->clear();
        } else {
            picture_->setPixmap(pixmap);
            // The picture control takes the bitmap's size on screen, not its device pixels.
            picture_->resize(pixmap.deviceIndependentSize().toSize());
        }
    }
    const std::string_view text = helpDescription(target.helpIndex);
    description_->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    focusKey_ = target.key;
}

}  // namespace lumetra
