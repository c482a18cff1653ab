// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The borderless list under the file-name box that offers the names of the current folder
// beginning with the typed text. It never takes the focus: typing goes on in the box.

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace lumetra {

// The popup is this much narrower than the box, and this high.
constexpr int kSuggestionWidthShrink = 20;
constexpr int kSuggestionHeight = 120;

// Display order of suggestions: without regard to case, ties by exact text.
bool suggestionLess(const QString& left, const QString& right);

class SuggestionPopup : public QListWidget {
    Q_OBJECT

  public:
    explicit SuggestionPopup(QWidget* parent);

    void clearSuggestions();
    // Adds a name in display order.
    void addSuggestion(const QString& name);
    QStringList suggestions() const;

    // Moves the selection by `step` rows (kept inside the list) and returns the selected name;
    // empty when the list is empty.
    QString moveSelection(int step);

    // Shows the popup under `box`, kSuggestionWidthShrink narrower than it.
    void showUnder(const QWidget* box);

  signals:
    void suggestionChosen(const QString& name);
};

}  // namespace lumetra
