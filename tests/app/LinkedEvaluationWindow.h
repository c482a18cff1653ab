// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDoubleSpinBox>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include "MainDialogSupport.h"
#include "app/EvaluationAttachment.h"
#include "evaluation_ui/EvaluationWindow.h"

namespace lumetra::test {

// The Auswertung window's tests make the window of `attachment` from the code linked into them
// rather than from the plugin: only so do they reach the window's parts by their types.
inline void useLinkedEvaluationWindow(EvaluationAttachment& attachment) {
    attachment.setWindowFactory([](const EvaluationWindowContext& context, QString*) {
        return createEvaluationWindow(context);
    });
}

// The window of `attachment` once it was opened.
inline EvaluationWindow* linkedWindow(const EvaluationAttachment& attachment) {
    return dynamic_cast<EvaluationWindow*>(attachment.window());
}

// The window made from the linked code, opened from the main window once the hourly balance has
// its first result (the climate tables are read in the background).
inline EvaluationWindow& openedWindow(ShownMainDialog& shown) {
    EvaluationAttachment& attachment = shown.dialog().evaluation();
    useLinkedEvaluationWindow(attachment);
    attachment.openWindow();
    EXPECT_TRUE(shown.waitFor([&] { return attachment.evaluation().hourlyResult() != nullptr; }));
    return *linkedWindow(attachment);
}

// Selects the text of one of the window's number inputs and types `keys` over it, key by key.
inline void typeOverEditor(QDoubleSpinBox& editor, const QString& keys) {
    editor.setFocus();
    editor.selectAll();
    QTest::keyClicks(&editor, keys);
}

}  // namespace lumetra::test
