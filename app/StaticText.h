// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

namespace lumetra {

// A dialog's plain text that never changes: a field's label or unit, a line of a small dialog.
// It is drawn as a plain-text label draws it and read by screen readers as static text, at
// about half a label's cost to build and show: the main dialog has 76 of them.
class StaticText : public QWidget {
    Q_OBJECT

  public:
    // `alignment` as a label's: horizontal and vertical flags.
    StaticText(const QString& text, Qt::Alignment alignment, QWidget* parent);

    const QString& text() const { return text_; }
    Qt::Alignment alignment() const { return alignment_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    Qt::Alignment alignment_;
};

}  // namespace lumetra
