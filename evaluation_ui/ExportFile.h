// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace lumetra {

// Writes the bytes of an export (report, chart, CSV, a report printed to a file) as the whole
// content of `path`, through the program's one writer (writeFileReplacing): special files and
// links to anything but a regular file are refused, the old file is replaced only once every
// byte is on the disk, and it keeps its owner and mode. False when it could not be written;
// the old file is then as it was.
bool writeExportFile(const QString& path, const QByteArray& bytes);

}  // namespace lumetra
