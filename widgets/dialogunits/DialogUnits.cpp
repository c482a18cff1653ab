// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dialogunits/DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace lumetra {

namespace {
// a x b / c rounded half away from zero, as dialog templates scale their units.
int mulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}
}  // namespace

QFont dialogFont() {
    static const QString kTemplateFamily = QStringLiteral("MS Sans Serif");
    QFont font;
    if (QFontDatabase::families().contains(kTemplateFamily)) {
        font = QFont(kTemplateFamily);
    } else {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSize(8);
    return font;
}

DialogBaseUnits dialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogBaseUnits{(letters / 26 + 1) / 2, metrics.height()};
}

int dialogUnitsToPixelsX(int du, DialogBaseUnits base) {
    return mulDiv(du, base.x, 4);
}
int dialogUnitsToPixelsY(int du, DialogBaseUnits base) {
    return mulDiv(du, base.y, 8);
}

QRect dialogUnitsToPixels(const QRect& du, DialogBaseUnits base) {
    return QRect(dialogUnitsToPixelsX(du.x(), base), dialogUnitsToPixelsY(du.y(), base),
                 dialogUnitsToPixelsX(du.width(), base), dialogUnitsToPixelsY(du.height(), base));
}

}  // namespace lumetra
