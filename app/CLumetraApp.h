// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

namespace lumetra {

// The application object. It has no data of its own; its start routine runs the main dialog.
class CLumetraApp : public QApplication {
    Q_OBJECT

  public:
    CLumetraApp(int& argc, char** argv);

    // Installs the file dialog extension, then builds the main dialog and runs it modally
    // until it is closed. Returns false: no event loop follows, the process ends.
    bool initInstance();
};

}  // namespace lumetra
