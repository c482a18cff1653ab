// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <filesystem>
#include <string>

class QFileDialog;

namespace lumetra::test {

QString qPath(const std::filesystem::path& path);

// A file's bytes; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// Types `name` into the file dialog's name box key by key and presses its Open/Save button, as
// a user does; a test failure when the dialog has no such box or button (it is then closed).
void typeFileNameAndAccept(QFileDialog* dialog, const QString& name);

}  // namespace lumetra::test
