// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/CLumetraDlg.h"
#include "app/PresetBox.h"
#include "model/Quantity.h"
#include "test_support_qt/Patience.h"

namespace lumetra::test {

// A text a dialog shows: a static text's or a label's (pictures have none), with the widget
// showing it and whether it wraps.
struct ShownText {
    const QWidget* widget = nullptr;
    QString text;
    bool wraps = false;
};
std::vector<ShownText> shownTexts(const QWidget& dialog);

// A main dialog shown on the offscreen platform, with its window active so that the keyboard
// focus behaves as on a desktop.
class ShownMainDialog {
  public:
    ShownMainDialog();
    ~ShownMainDialog();

    CLumetraDlg& dialog() { return *dialog_; }
    QLineEdit* field(QuantityId q) const { return dialog_->field(q); }
    QCheckBox* box(QuantityId q) const { return dialog_->presetBox(q); }
    QString text(QuantityId q) const { return field(q)->text(); }

    // Clicks into the field, selects its text and types `keys` over it, key by key.
    void typeInto(QuantityId q, const QString& keys);
    // Moves the focus on with the Tab key.
    void pressTab();

    // Processes events until `condition` holds or the patience of a GUI test runs out.
    template <typename Condition>
    bool waitFor(Condition condition);

  private:
    std::unique_ptr<CLumetraDlg> dialog_;
};

bool waitForCondition(const std::function<bool()>& condition);

template <typename Condition>
bool ShownMainDialog::waitFor(Condition condition) {
    return waitForCondition(condition);
}

// The field's background colour as the palette gives it.
Rgb fieldBackground(const QLineEdit* field);

QString qText(std::string_view text);

// Gives a child process a home and XDG folders of its own under `folder`, so that nothing one
// child remembers (the Auswertung's geometry, the file dialog's state) reaches another.
void giveOwnHome(QProcessEnvironment& environment, const std::filesystem::path& folder);

// This test program run again in a child process with `environment`, only the tests that match
// `filter` (tests that need their own screen, scale or home). The output is stdout and stderr.
struct ChildTestRun {
    bool started = false;
    bool finished = false;
    QProcess::ExitStatus exitStatus = QProcess::NormalExit;
    int exitCode = -1;
    QString output;
};
ChildTestRun runTestsInChild(const QProcessEnvironment& environment, const QString& filter);

// Checks that the child ran to its end and passed all `caseCount` of its tests.
void expectChildPassed(const ChildTestRun& child, int caseCount);

// Runs the tests that match `filter` in a child on an offscreen platform with one screen of
// `screen` pixels at 96 dpi and no scale factor, with `childVariable` set to `value`, and checks
// that all `caseCount` of them passed.
void expectChildPassesOnScreen(QSize screen, const char* childVariable, const QString& value,
                               const QString& filter, int caseCount);

}  // namespace lumetra::test
