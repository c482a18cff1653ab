// SPDX-License-Identifier: GPL-3.0-or-later
// A dialog's static text looks like a plain-text label, pixel for pixel, and screen readers
// read it as one.
#include "app/StaticText.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

#include "widgets/dialogunits/DialogUnits.h"

namespace lumetra::test {
namespace {

struct TextCase {
    const char* name;
    const char* text;
    Qt::Alignment alignment;
    QSize size;
};

class StaticTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(StaticTexts, LookLikeAPlainTextLabel) {
    const TextCase& c = GetParam();
    QWidget parent;
    parent.setFont(dialogFont());
    parent.resize(400, 100);
    auto* label = new QLabel(&parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromUtf8(c.text));
    label->setAlignment(c.alignment);
    label->setGeometry(QRect(QPoint(0, 0), c.size));
    auto* text = new StaticText(QString::fromUtf8(c.text), c.alignment, &parent);
    text->setGeometry(QRect(QPoint(0, 50), c.size));

    const QImage expected = label->grab().toImage();
    const QImage drawn = text->grab().toImage();
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(drawn, expected);
    // A test that compares two blank pictures proves nothing.
    bool drawnOn = false;
    for (int y = 0; y < expected.height() && !drawnOn; ++y) {
        for (int x = 0; x < expected.width() && !drawnOn; ++x) {
            drawnOn = expected.pixel(x, y) != expected.pixel(0, 0);
        }
    }
    EXPECT_TRUE(drawnOn) << "the label shows no text";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StaticTexts,
    ::testing::Values(
        TextCase{"Label", "Globahlstrahlung (Jahr) :", Qt::AlignLeft | Qt::AlignTop, {200, 16}},
        TextCase{"RightAlignedUnit", "Euro", Qt::AlignRight | Qt::AlignTop, {60, 16}},
        TextCase{"Umlauts", "Kühlleistung je m²  :", Qt::AlignLeft | Qt::AlignTop, {200, 16}},
        TextCase{"Tab", "Gelbe\tFelder", Qt::AlignLeft | Qt::AlignTop, {200, 16}},
        TextCase{"Centred", "kWh", Qt::AlignHCenter | Qt::AlignVCenter, {80, 30}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(StaticText, IsReadAsStaticTextByScreenReaders) {
    QWidget parent;
    auto* text = new StaticText(QStringLiteral("Breitengrad :"), Qt::AlignLeft, &parent);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(text);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::StaticText);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Breitengrad :"));
}

}  // namespace
}  // namespace lumetra::test
