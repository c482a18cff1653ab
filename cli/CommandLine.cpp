// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"

#include <charconv>
#include <stdexcept>
#include <string>

namespace lumetra::cli {
namespace {

std::optional<int> parseInt(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

Command makeCommand(Command::Kind kind, QuantityId quantity = Latitude) {
    Command command;
    command.kind = kind;
    command.quantity = quantity;
    return command;
}

[[noreturn]] void fail(const std::string& message) {
    throw std::invalid_argument(message);
}

}  // namespace

std::string usageText() {
    std::string text =
        "Aufruf: lumetra-cli [Befehl ...] [--json] [--hourly-csv DATEI] [--chart DATEI.png]\n"
        "                   [--chart-size BxH] [--report DATEI.pdf] [--weather DATEI]\n"
        "                   [--csv-format de|en]\n"
        "                   [--data-dir ORDNER] [--demand-profile simulated|standard|DATEI]\n"
        "                   [--demand-column NAME|N] [--spread N]\n"
        "        lumetra-cli --list-locations | --version | --help\n"
        "\n"
        "Beginnt im Zustand des geöffneten Fensters und führt die Befehle der Reihe nach aus:\n"
        "  --load DATEI         lädt eine Datendatei wie \"Laden\"\n"
        "  --save DATEI         speichert wie \"Speichern\" (ohne Rückfrage)\n"
        "  --type Q=TEXT        tippt TEXT in das Feld der Größe Q (0..41 oder Name, z.B.\n"
        "                       Latitude) und verlässt das Feld\n"
        "  --toggle Q           klickt die Vorgabe-Box der Größe Q\n"
        "  --cell R,C=TEXT      bearbeitet Zeile R (ab 1, die leere letzte Zeile zählt mit)\n"
        "                       und Spalte C (1..5) der Modulfeld-Tabelle; leerer TEXT löscht\n"
        "  --delete-row R       \"Zeile löschen\" auf Zeile R\n"
        "  --location NAME      wählt den Ort NAME aus SolarDatabase.csv wie \"Ort auswählen\"\n"
        "                       (gesucht im aktuellen Ordner, dann in der installierten Kopie,\n"
        "                       dann im Datenordner des Quellbaums); Groß- und Kleinschreibung\n"
        "                       und ä/ae, ö/oe, ü/ue, ß/ss gelten gleich, ein eindeutiger\n"
        "                       Anfang genügt\n"
        "  --chart DATEI.png    schreibt das Monatsdiagramm des aktuellen Zustands\n"
        "  --set NAME=WERT      setzt eine Eingabe der Auswertung, NAME wie ihre Zeile in der\n"
        "                       Datendatei (z.B. \"Speicher Stundenbilanz=4\",\n"
        "                       \"Einspeisegrenze=60\", \"Ladeleistung Speicher=3 kW\",\n"
        "                       \"Strompreis Auswertung=wie Hauptfenster\"); ein unbekannter\n"
        "                       NAME oder ein Wert außerhalb des Bereichs wird abgelehnt\n"
        "\n"
        "Ausgabe: die Bytes, die Speichern jetzt schreiben würde; mit --json ein JSON-Objekt,\n"
        "  das unter \"hourly\" auch die Viertelstunden-Bilanz des Referenzjahres trägt und\n"
        "  unter \"evaluation\" die Wirtschaftlichkeit und den Vergleich ohne und mit Speicher.\n"
        "  Alle Ausgaben rechnen mit dem Speicher, den Preisen und Grenzen der Auswertung.\n"
        "  --hourly-csv DATEI   schreibt die 35040 Viertelstunden des Referenzjahres als CSV\n"
        "                       (kWh je Viertelstunde)\n"
        "  --csv-format de|en   de: Semikolon und Dezimalkomma wie in deutschen\n"
        "                       Tabellenprogrammen; en (voreingestellt): Komma und Dezimalpunkt\n"
        "  --chart-size BxH     Größe des Diagramms in Pixeln (sonst die Diagrammfläche des\n"
        "                       Fensters)\n"
        "  --report DATEI.pdf   schreibt den Bericht der Auswertung (nach allen Befehlen)\n"
        "  --weather DATEI      rechnet die Viertelstunden-Bilanz mit dem Wetterjahr der Datei\n"
        "                       (typisches Jahr von PVGIS als CSV oder JSON, EPW-Datei)\n"
        "  --data-dir ORDNER    rechnet die Viertelstunden-Bilanz mit den Tabellen des Ordners\n"
        "                       (MonthlyIrradiation.csv, MonthlyTemperature.csv,\n"
        "                       LoadProfileH25.csv) statt mit den mitgelieferten, soweit er\n"
        "                       sie enthält; Tabellen im aktuellen Ordner gelten nur mit\n"
        "                       --data-dir .\n"
        "  --demand-profile simulated|standard|DATEI\n"
        "                       Verlauf des Haushaltsstroms in der Viertelstunden-Bilanz:\n"
        "                       simulated (voreingestellt) ein simulierter Einzelhaushalt mit\n"
        "                       den \"Personen im Haushalt\", standard das Standardlastprofil\n"
        "                       H25, DATEI ein gemessenes Jahr (CSV, wie gemessen; mit\n"
        "                       --set \"Lastgang Skalierung=auf Jahresverbrauch\" auf den\n"
        "                       Stromverbrauch skaliert); \"Anderer Haushalt=N\" mit --set\n"
        "                       wählt einen anderen simulierten Haushalt\n"
        "  --demand-column NAME|N  die Spalte der gemessenen Werte: ihr Name oder ihre Nummer\n"
        "                       (ab 1, die Zeit ist 1); ohne: die einzige Wertespalte\n"
        "  --spread N           fügt dem JSON unter hourly.spread und dem Bericht die\n"
        "                       Streuung über N simulierte Haushalte hinzu (10., 50.,\n"
        "                       90. Perzentil)\n"
        "  --list-locations     listet die Orte der Datenbank, einen je Zeile\n"
        "  --version            zeigt Version und Lizenz\n"
        "  --help               zeigt diesen Text\n"
        "\n"
        "Meldungen stehen auf der Standardfehlerausgabe, je eine Zeile \"lumetra-cli: DATEI:\n"
        "Meldung\" für die Datei, die sie betrifft. Rückgabewert: 0 ohne Meldung, 1 mit Meldung,\n"
        "2 bei falschem Aufruf.\n"
        "\n"
        "Größen Q (Nummer, Name, Bezeichnung und Einheit):\n";
    for (int index = 0; index < kQuantityCount; ++index) {
        const auto q = static_cast<QuantityId>(index);
        const std::string_view identifier = quantityIdentifier(q);
        std::string line = index < 10 ? "   " : "  ";
        line += std::to_string(index);
        line += "  ";
        line += identifier;
        // Identifiers are ASCII, so their length in bytes is their width.
        line.append(identifier.size() < 26 ? 26 - identifier.size() : 1, ' ');
        line += kQuantityInfo[index].name;
        line += " [";
        line += kQuantityInfo[index].unit;
        line += "]\n";
        text += line;
    }
    return text;
}

std::string wrongCommandLineText(std::string_view message) {
    return programMessage(message) + "\nMehr dazu: lumetra-cli --help\n";
}

std::string versionText() {
    return "lumetra-cli (Lumetra) " LUMETRA_CLI_VERSION
           "\n"
           "Lizenz: GPL-3.0-or-later, GNU General Public License Version 3 oder später\n"
           "<https://www.gnu.org/licenses/gpl-3.0.html>. Dies ist freie Software: Sie darf\n"
           "verändert und weitergegeben werden. Es gibt keine Gewährleistung, soweit das Gesetz\n"
           "es zulässt. Die Daten tragen ihre eigenen Lizenzen (siehe SOURCES.md).\n";
}

std::string programMessage(std::string_view message) {
    std::string text = "lumetra-cli: ";
    text += message;
    return text;
}

std::string fileMessage(std::string_view path, std::string_view message) {
    std::string text(path);
    text += ": ";
    text += message;
    return programMessage(text);
}

std::optional<QuantityId> parseQuantity(std::string_view text) {
    if (const auto index = parseInt(text)) {
        if (*index >= 0 && *index < kQuantityCount) {
            return static_cast<QuantityId>(*index);
        }
        return std::nullopt;
    }
    return quantityFromIdentifier(text);
}

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) {
                fail(option + " erwartet einen Wert");
            }
            return arguments[++i];
        };
        if (option == "--help" || option == "-h") {
            line.help = true;
        } else if (option == "--version") {
            line.version = true;
        } else if (option == "--list-locations") {
            line.listLocations = true;
        } else if (option == "--json") {
            line.json = true;
        } else if (option == "--load" || option == "--save" || option == "--chart" ||
                   option == "--location") {
            Command command = makeCommand(option == "--load"    ? Command::Kind::Load
                                          : option == "--save"  ? Command::Kind::Save
                                          : option == "--chart" ? Command::Kind::Chart
                                                                : Command::Kind::Location);
            command.text = value();
            if (command.text.empty()) {
                fail(option + " erwartet einen nicht leeren Wert");
            }
            line.commands.push_back(std::move(command));
        } else if (option == "--type") {
            const std::string& argument = value();
            const std::size_t equals = argument.find('=');
            const auto quantity = parseQuantity(std::string_view(argument).substr(0, equals));
            if (equals == std::string::npos || !quantity) {
                fail("--type erwartet Q=TEXT mit einer Größe 0..41 oder ihrem Namen: " + argument);
            }
            Command command = makeCommand(Command::Kind::Type, *quantity);
            command.text = argument.substr(equals + 1);
            line.commands.push_back(std::move(command));
        } else if (option == "--toggle") {
            const std::string& argument = value();
            const auto quantity = parseQuantity(argument);
            if (!quantity) {
                fail("--toggle erwartet eine Größe 0..41 oder ihren Namen: " + argument);
            }
            line.commands.push_back(makeCommand(Command::Kind::Toggle, *quantity));
        } else if (option == "--cell") {
            const std::string& argument = value();
            const std::size_t comma = argument.find(',');
            const std::size_t equals = argument.find('=');
            std::optional<int> row;
            std::optional<int> column;
            if (comma != std::string::npos && equals != std::string::npos && comma < equals) {
                row = parseInt(std::string_view(argument).substr(0, comma));
                column = parseInt(std::string_view(argument).substr(comma + 1, equals - comma - 1));
            }
            if (!row || !column || *row < 1 || *column < 1 || *column > 5) {
                fail("--cell erwartet R,C=TEXT mit Zeile ab 1 und Spalte 1..5: " + argument);
            }
            Command command = makeCommand(Command::Kind::Cell);
            command.row = *row;
            command.column = *column;
            command.text = argument.substr(equals + 1);
            line.commands.push_back(std::move(command));
        } else if (option == "--delete-row") {
            const std::string& argument = value();
            const auto row = parseInt(argument);
            if (!row || *row < 1) {
                fail("--delete-row erwartet eine Zeile ab 1: " + argument);
            }
            Command command = makeCommand(Command::Kind::DeleteRow);
            command.row = *row;
            line.commands.push_back(std::move(command));
        } else if (option == "--set") {
            Command command = makeCommand(Command::Kind::Set);
            command.text = value();
            if (command.text.find('=') == std::string::npos) {
                fail("--set erwartet NAME=WERT: " + command.text);
            }
            line.commands.push_back(std::move(command));
        } else if (option == "--csv-format") {
            const std::string& argument = value();
            if (argument != "de" && argument != "en") {
                fail("--csv-format erwartet de oder en: " + argument);
            }
            line.germanCsv = argument == "de";
        } else if (option == "--hourly-csv") {
            line.hourlyCsvPath = value();
            if (line.hourlyCsvPath->empty()) {
                fail(option + " erwartet einen nicht leeren Wert");
            }
        } else if (option == "--report") {
            line.reportPath = value();
            if (line.reportPath->empty()) {
                fail(option + " erwartet einen nicht leeren Wert");
            }
        } else if (option == "--weather") {
            line.weatherPath = value();
            if (line.weatherPath->empty()) {
                fail(option + " erwartet einen nicht leeren Wert");
            }
        } else if (option == "--data-dir") {
            line.dataDir = value();
            if (line.dataDir->empty()) {
                fail(option + " erwartet einen nicht leeren Wert");
            }
        } else if (option == "--demand-profile") {
            line.demandProfile = value();
            if (line.demandProfile->empty()) {
                fail(option + " erwartet simulated, standard oder eine Datei");
            }
        } else if (option == "--demand-column") {
            line.demandColumn = value();
            if (line.demandColumn->empty()) {
                fail(option + " erwartet einen nicht leeren Wert");
            }
        } else if (option == "--spread") {
            const std::string& argument = value();
            const auto homes = parseInt(argument);
            if (!homes || *homes < 1 || *homes > kMaxSpreadHomes) {
                fail("--spread erwartet eine Zahl von 1 bis " + std::to_string(kMaxSpreadHomes) +
                     ": " + argument);
            }
            line.spreadHomes = homes;
        } else if (option == "--chart-size") {
            const std::string& argument = value();
            const std::size_t x = argument.find('x');
            std::optional<int> width;
            std::optional<int> height;
            if (x != std::string::npos) {
                width = parseInt(std::string_view(argument).substr(0, x));
                height = parseInt(std::string_view(argument).substr(x + 1));
            }
            if (!width || !height || *width < 1 || *height < 1 || *width > 8192 || *height > 8192) {
                fail("--chart-size erwartet BxH mit 1..8192 Pixeln: " + argument);
            }
            line.chartWidth = width;
            line.chartHeight = height;
        } else {
            fail("unbekannte Angabe: " + option);
        }
    }
    if (line.spreadHomes && !line.json && !line.reportPath) {
        fail(
            "--spread gibt die Streuung im JSON oder im Bericht aus und gilt nur mit --json "
            "oder --report");
    }
    return line;
}

}  // namespace lumetra::cli
