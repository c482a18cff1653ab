// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace lumetra {

// The sunken description box (control 1106). The help texts line up their tables with tab
// characters, so the text is drawn with one tab stop behind the longest text before a tab and
// wrapped at word boundaries, as a dialog's static text does.
class DescriptionText : public QLabel {
    Q_OBJECT

  public:
    explicit DescriptionText(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    qreal tabStop() const;
};

}  // namespace lumetra
