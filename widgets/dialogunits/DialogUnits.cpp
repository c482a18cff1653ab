// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dialogunits/DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
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
    // Listing the families costs more than building a dialog's fields; the fonts a program
    // sees do not change while it runs.
    static const bool hasTemplateFamily = QFontDatabase::families().contains(kTemplateFamily);
    QFont font;
    if (hasTemplateFamily) {
        font = QFont(kTemplateFamily);
    } else {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSize(8);
    return font;
}

DialogBaseUnits dialogBaseUnits(const QFont& font) {
    // Every dialog asks for the units of the same font: the last answer is kept, by the font's
    // key and the resolution it is measured at, so that shaping the letters happens once.
    thread_local QString lastKey;
    thread_local DialogBaseUnits lastUnits;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QString key = font.key() + QLatin1Char('@') +
                        QString::number(screen != nullptr ? screen->logicalDotsPerInch() : 0.0);
    if (key == lastKey) {
        return lastUnits;
    }
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    lastUnits = DialogBaseUnits{(letters / 26 + 1) / 2, metrics.height()};
    lastKey = key;
    return lastUnits;
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
