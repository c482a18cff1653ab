// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDialogSupport.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace lumetra::test {

QString qPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void typeFileNameAndAccept(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QAbstractButton* accept = nullptr;
    if (auto* box = dialog->findChild<QDialogButtonBox*>()) {
        for (QAbstractButton* button : box->buttons()) {
            if (box->buttonRole(button) == QDialogButtonBox::AcceptRole) {
                accept = button;
            }
        }
    }
    if (edit == nullptr || accept == nullptr) {
        ADD_FAILURE() << "the file dialog has no file-name box or no accept button";
        dialog->reject();
        return;
    }
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, name);
    QTest::mouseClick(accept, Qt::LeftButton);
}

}  // namespace lumetra::test
