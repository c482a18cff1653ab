// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog templates as placed: ids, texts, states, sizes and the tab order.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

#include "MainDialogSupport.h"
#include "app/ControlIds.h"
#include "app/DialogLayout.h"
#include "app/EvaluationAttachment.h"
#include "app/InfoDialogs.h"
#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra::test {
namespace {

TEST(DialogLayoutTable, TabOrderListsEveryFieldBoxAndButtonOnce) {
    std::multiset<int> listed(kTabOrder.begin(), kTabOrder.end());
    for (const QuantityControls& controls : kQuantityControls) {
        EXPECT_EQ(listed.count(controls.editId), 1u) << controls.editId;
        EXPECT_EQ(listed.count(controls.boxId), 1u) << controls.boxId;
    }
    for (const int id : {kLoadButtonId, kSaveButtonId, kChooseLocationButtonId, kCancelId}) {
        EXPECT_EQ(listed.count(id), 1u) << id;
    }
}

class MainDialogTemplate : public ::testing::Test {
  protected:
    CLumetraDlg dialog;
};

TEST_F(MainDialogTemplate, HasAllTheTemplateControls) {
    // 11 group boxes, 39 labels, 42 fields, 36 units, 42 boxes and 13 other controls.
    int count = 0;
    for (QWidget* child : dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        // The status line under the template's content is no control of the template.
        if (child != dialog.tableControl() && child != dialog.evaluation().statusLine()) {
            ++count;
        }
    }
    EXPECT_EQ(count, 183);
    // Shown as "Lumetra"; the mark stands where unsaved changes are shown.
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Lumetra[*]"));
    EXPECT_FALSE(dialog.isWindowModified());
}

TEST_F(MainDialogTemplate, FieldsAreRightAlignedAndBoxesSayVorgabe) {
    for (const QuantityControls& row : kQuantityControls) {
        auto* edit = qobject_cast<QLineEdit*>(findControl(&dialog, row.editId));
        ASSERT_NE(edit, nullptr) << row.editId;
        EXPECT_TRUE(edit->alignment() & Qt::AlignRight) << row.editId;
        auto* box = qobject_cast<QCheckBox*>(findControl(&dialog, row.boxId));
        ASSERT_NE(box, nullptr) << row.boxId;
        EXPECT_EQ(box->text(), QStringLiteral("Vorgabe"));
        EXPECT_EQ(box->isEnabled(), row.box != PresetBoxKind::Disabled) << row.boxId;
        EXPECT_EQ(box->isVisibleTo(&dialog), row.box != PresetBoxKind::Hidden) << row.boxId;
    }
}

TEST_F(MainDialogTemplate, NoButtonIsADefaultButton) {
    const auto buttons = dialog.findChildren<QPushButton*>();
    EXPECT_EQ(buttons.size(), 4);
    for (const QPushButton* button : buttons) {
        EXPECT_FALSE(button->isDefault()) << button->text().toStdString();
        EXPECT_FALSE(button->autoDefault()) << button->text().toStdString();
    }
}

TEST_F(MainDialogTemplate, TextsAreThoseOfTheTemplate) {
    std::set<QString> labels;
    for (const ShownText& shown : shownTexts(dialog)) {
        labels.insert(shown.text);
    }
    for (const char* text :
         {"Breitengrad :", "Globahlstrahlung (Jahr) :", "Nenleistung je Fläsche :",
          "Wasseverbr. je Jahr:", "Kühlleistung je m²  :", "kWh/m²", "m³/Jahr",
          "Installierte Module :", "kWh", "Euro", "Anlagenverluste :"}) {
        EXPECT_EQ(labels.count(QString::fromUtf8(text)), 1u) << text;
    }
    std::set<QString> groups;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        groups.insert(group->title());
    }
    for (const GroupBoxLayout& group : kGroupBoxes) {
        EXPECT_EQ(groups.count(qText(group.text)), 1u) << group.text;
    }
}

TEST_F(MainDialogTemplate, EveryTextFitsItsControl) {
    for (const ShownText& shown : shownTexts(dialog)) {
        if (shown.wraps) {
            continue;
        }
        const QWidget* label = shown.widget;
        EXPECT_LE(label->fontMetrics().horizontalAdvance(shown.text), label->width())
            << shown.text.toStdString();
        EXPECT_GE(label->height(), label->fontMetrics().height()) << shown.text.toStdString();
    }
    for (const QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
        EXPECT_GE(box->width(), box->sizeHint().width());
    }
}

TEST_F(MainDialogTemplate, VisibleControlsDoNotOverlap) {
    std::vector<QWidget*> controls;
    for (QWidget* child : dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isVisibleTo(&dialog) && qobject_cast<QGroupBox*>(child) == nullptr &&
            child != dialog.tableControl() && controlId(child) != kHelpPictureId &&
            controlId(child) != kChartPictureId) {
            controls.push_back(child);
        }
    }
    for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << controls[i]->metaObject()->className() << " " << controlId(controls[i])
                << " and " << controls[j]->metaObject()->className() << " "
                << controlId(controls[j]);
        }
    }
}

TEST_F(MainDialogTemplate, PicturesAreaAndChartAreaFollowTheFont) {
    const DialogBaseUnits base = dialogBaseUnits(dialog.font());
    EXPECT_EQ(dialog.helpPictureArea(), dialogUnitsToPixels(QRect(520, 115, 198, 93), base).size());
    EXPECT_EQ(dialog.chartArea(), dialogUnitsToPixels(QRect(520, 375, 200, 75), base).size());
    // The template's size, and under it the status line.
    const QSize templateSize = dialogUnitsToPixels(QRect(0, 0, 728, 476), base).size();
    const QRect status = dialog.evaluation().statusLine()->geometry();
    EXPECT_EQ(status.top(), templateSize.height());
    EXPECT_EQ(dialog.size(), templateSize + QSize(0, status.height()));
}

// Every dialog asks for the units of its font; asked in turn for two fonts, each keeps its own.
TEST(DialogBaseUnits, FollowEachFontAskedFor) {
    QFont small = dialogFont();
    QFont large = small;
    large.setPointSize(small.pointSize() * 2);
    const DialogBaseUnits smallUnits = dialogBaseUnits(small);
    const DialogBaseUnits largeUnits = dialogBaseUnits(large);
    EXPECT_GT(largeUnits.x, smallUnits.x);
    EXPECT_GT(largeUnits.y, smallUnits.y);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(dialogBaseUnits(small).x, smallUnits.x);
        EXPECT_EQ(dialogBaseUnits(small).y, smallUnits.y);
        EXPECT_EQ(dialogBaseUnits(large).x, largeUnits.x);
        EXPECT_EQ(dialogBaseUnits(large).y, largeUnits.y);
    }
}

// ---- the about box, the legend and the system menu ------------------------------------------

std::set<QString> labelTexts(const QDialog& dialog) {
    std::set<QString> texts;
    for (const ShownText& shown : shownTexts(dialog)) {
        texts.insert(shown.text);
    }
    return texts;
}

struct SmallDialogCase {
    const char* name;
    std::unique_ptr<QDialog> (*create)(QWidget*);
    const char* caption;
    std::span<const ControlLayout> controls;
};

class SmallDialogs : public ::testing::TestWithParam<SmallDialogCase> {};

TEST_P(SmallDialogs, ShowTheirTextsIconAndADefaultOk) {
    const SmallDialogCase& c = GetParam();
    auto dialog = c.create(nullptr);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(c.caption));
    const std::set<QString> texts = labelTexts(*dialog);
    int textCount = 0;
    for (const ControlLayout& control : c.controls) {
        if (control.kind == ControlKind::Label) {
            ++textCount;
            EXPECT_EQ(texts.count(qText(control.text)), 1u) << control.text;
        }
    }
    EXPECT_EQ(static_cast<int>(texts.size()), textCount);
    auto* ok = qobject_cast<QPushButton*>(findControl(dialog.get(), kOkId));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    const auto pictures = dialog->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(pictures.begin(), pictures.end(), [](const QLabel* l) {
        return !l->pixmap().isNull();
    })) << "the icon";
    dialog->show();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SmallDialogs,
    ::testing::Values(SmallDialogCase{"About", createAboutBox, "Info über Lumetra", kAboutControls},
                      SmallDialogCase{"Legend", createLegendDialog, "Beschreibung zu Lumetra",
                                      kLegendControls}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SystemMenu, EndsWithASeparatorAndTheTwoEntriesWhichOpenTheirDialogs) {
    QWidget owner;
    QMenu menu;
    fillSystemMenu(menu, &owner);
    const auto actions = menu.actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_TRUE(actions[0]->isSeparator());
    EXPECT_EQ(actions[1]->text(), QStringLiteral("Inf&o über Lumetra..."));
    EXPECT_EQ(actions[2]->text(), QStringLiteral("Informationen"));

    const std::pair<QAction*, const char*> expected[] = {{actions[1], "Info über Lumetra"},
                                                         {actions[2], "Beschreibung zu Lumetra"}};
    for (const auto& [action, caption] : expected) {
        QString seen;
        QTimer::singleShot(0, &owner, [&seen] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != nullptr) {
                seen = modal->windowTitle();
                static_cast<QDialog*>(modal)->accept();
            }
        });
        action->trigger();
        EXPECT_EQ(seen, QString::fromUtf8(caption));
    }
}

TEST(DeleteRowMenu, IsGreyedWhenNotAllowedAndRunsTheCommand) {
    for (const bool enabled : {false, true}) {
        QMenu menu;
        int runs = 0;
        fillDeleteRowMenu(menu, enabled, [&runs] { ++runs; });
        ASSERT_EQ(menu.actions().size(), 1);
        QAction* action = menu.actions().front();
        EXPECT_EQ(action->text(), QStringLiteral("Zeile löschen"));
        EXPECT_EQ(action->isEnabled(), enabled);
        action->trigger();
        EXPECT_EQ(runs, enabled ? 1 : 0);
    }
}

}  // namespace
}  // namespace lumetra::test
