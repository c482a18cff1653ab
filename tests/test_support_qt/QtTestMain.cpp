// SPDX-License-Identifier: GPL-3.0-or-later
// main() of the tests that drive real Qt widgets: one QApplication for the whole program, on
// the platform given by QT_QPA_PLATFORM (the tests set "offscreen").
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
