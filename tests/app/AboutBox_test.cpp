// SPDX-License-Identifier: GPL-3.0-or-later
// "Info über Lumetra": the template's texts stay where they are, and under them the box shows
// the version, the licence and, word for word, every attribution the README gives the data.
#include <QDialog>
#include <QFile>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include "app/InfoDialogs.h"
#include "evaluation_port/BuildIdentity.h"

namespace lumetra::test {
namespace {

// The bullets of the README's sections on the data's licences, without their Markdown.
QStringList readmeAttributions() {
    QFile readme(QStringLiteral(LUMETRA_SOURCE_DIR "/README.md"));
    EXPECT_TRUE(readme.open(QIODevice::ReadOnly));
    QStringList bullets;
    bool inSection = false;
    for (const QString& line : QString::fromUtf8(readme.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("## "))) {
            inSection = line.endsWith(QStringLiteral("licences"));
        } else if (inSection && line.startsWith(QStringLiteral("- "))) {
            bullets << line.mid(2);
        } else if (inSection && line.startsWith(QStringLiteral("  ")) && !bullets.isEmpty()) {
            bullets.last() += QLatin1Char(' ') + line;  // a bullet's next line
        }
    }
    for (QString& bullet : bullets) {
        bullet = bullet.remove(QLatin1Char('`')).simplified();
    }
    return bullets;
}

TEST(AboutBox, ShowsTheVersionTheLicenceAndEveryAttributionOfTheReadme) {
    const auto box = createAboutBox(nullptr);
    auto* information = box->findChild<QTextBrowser*>(QStringLiteral("aboutInformation"));
    ASSERT_NE(information, nullptr);
    const QString shown = information->toPlainText().simplified();
    EXPECT_TRUE(shown.contains(QStringLiteral("Version " LUMETRA_VERSION))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("GPL-3.0-or-later")));
    const QStringList attributions = readmeAttributions();
    EXPECT_EQ(attributions.size(), 5);
    for (const QString& attribution : attributions) {
        EXPECT_TRUE(shown.contains(attribution)) << attribution.toStdString();
    }
    // Their addresses are links that open in the browser.
    EXPECT_TRUE(information->openExternalLinks());
    EXPECT_TRUE(information->toHtml().contains(
        QStringLiteral(R"(href="https://creativecommons.org/licenses/by/4.0/")")));
    EXPECT_TRUE(information->isReadOnly());

    // Beside the template: its controls stay above the text, which lies inside the box.
    EXPECT_TRUE(box->rect().contains(information->geometry()));
    for (const QWidget* control : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != information) {
            EXPECT_LE(control->geometry().bottom(), information->geometry().top())
                << control->metaObject()->className();
        }
    }
}

}  // namespace
}  // namespace lumetra::test
