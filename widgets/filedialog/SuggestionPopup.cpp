// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/filedialog/SuggestionPopup.h"

#include <algorithm>

namespace lumetra {

bool suggestionLess(const QString& left, const QString& right) {
    const int folded = left.compare(right, Qt::CaseInsensitive);
    if (folded != 0) {
        return folded < 0;
    }
    return left.compare(right, Qt::CaseSensitive) < 0;
}

SuggestionPopup::SuggestionPopup(QWidget* parent) : QListWidget(parent) {
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setObjectName(QStringLiteral("fileNameSuggestions"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    // Hovering an entry selects it, as in the box's own list.
    setMouseTracking(true);
    connect(this, &QListWidget::itemEntered, this,
            [this](QListWidgetItem* item) { setCurrentItem(item); });
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit suggestionChosen(item->text()); });
}

void SuggestionPopup::clearSuggestions() {
    clear();
}

void SuggestionPopup::addSuggestion(const QString& name) {
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (suggestionLess(item(middle)->text(), name)) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    insertItem(low, name);
}

QStringList SuggestionPopup::suggestions() const {
    QStringList names;
    for (int i = 0; i < count(); ++i) {
        names.append(item(i)->text());
    }
    return names;
}

QString SuggestionPopup::moveSelection(int step) {
    if (count() == 0) {
        return {};
    }
    const int row = std::clamp(currentRow() + step, 0, count() - 1);
    setCurrentRow(row);
    scrollToItem(item(row));
    return item(row)->text();
}

void SuggestionPopup::showUnder(const QWidget* box) {
    const QPoint origin = box->mapToGlobal(QPoint(0, box->height()));
    setGeometry(origin.x(), origin.y(), std::max(box->width() - kSuggestionWidthShrink, 1),
                kSuggestionHeight);
    show();
    raise();
}

}  // namespace lumetra
