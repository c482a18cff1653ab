// SPDX-License-Identifier: GPL-3.0-or-later
// Only the first file dialog of a run is enlarged; this program opens no other dialog first.

#include "FileDialogTestSupport.h"

#include "widgets/filedialog/FileDialogExtension.h"

#include <QFileDialog>
#include <QStyle>

#include <gtest/gtest.h>

#include <algorithm>

namespace lumetra {
namespace {

TEST(FirstDialogSize, TheFirstDialogOfARunOpensAtSixHundredByFourHundredFifty) {
    test::TemporarySettings settings;
    test::FolderTree tree;
    EXPECT_TRUE(InstallFileDialogExtension());
    EXPECT_TRUE(InstallFileDialogExtension());  // a second call changes nothing

    QFileDialog first(nullptr, QStringLiteral("Daten laden"), tree.path());
    first.setOption(QFileDialog::DontUseNativeDialog);
    const QPoint position(40, 30);
    first.move(position);
    first.show();
    const int icon = first.style()->pixelMetric(QStyle::PM_LargeIconSize, nullptr, &first);
    const double scale = std::max(1.0, icon / 32.0);
    EXPECT_EQ(first.size(), QSize(static_cast<int>(600 * scale), static_cast<int>(450 * scale)));
    EXPECT_EQ(first.pos(), position);
    first.resize(700, 520);
    first.reject();

    QFileDialog second(nullptr, QStringLiteral("Daten speichern"), tree.path());
    second.setOption(QFileDialog::DontUseNativeDialog);
    second.resize(500, 400);
    second.show();
    EXPECT_EQ(second.size(), QSize(500, 400));
    second.reject();

    // The first dialog shown again keeps the size the user gave it.
    first.show();
    EXPECT_EQ(first.size(), QSize(700, 520));
}

}  // namespace
}  // namespace lumetra
