// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CLumetraApp.h"

#include "app/CLumetraDlg.h"
#include "app/QtTranslations.h"
#include "evaluation_port/BuildIdentity.h"
#include "widgets/filedialog/FileDialogExtension.h"

namespace lumetra {

CLumetraApp::CLumetraApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Lumetra"));
    setOrganizationName(QStringLiteral("Vandrel"));
    setApplicationVersion(QStringLiteral(LUMETRA_VERSION));
    installGermanQtTranslations(*this);
}

bool CLumetraApp::initInstance() {
    InstallFileDialogExtension();
    CLumetraDlg dialog;
    dialog.exec();  // its result is not looked at
    return false;
}

}  // namespace lumetra
