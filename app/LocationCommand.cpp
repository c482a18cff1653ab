// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LocationCommand.h"

#include "app/CSelectionDlg.h"
#include "app/FileCommands.h"
#include "persistence/Messages.h"

namespace lumetra {

namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ChooseLocationOutcome chooseLocationCommand(QWidget* parent, Calculator& calculator,
                                            const std::filesystem::path& databasePath,
                                            std::string& lastLocationName) {
    const auto select = [parent](const std::vector<std::string>& placeNames,
                                 std::size_t preselected) -> std::optional<std::size_t> {
        CSelectionDlg dialog(parent);
        for (const std::string& name : placeNames) {
            dialog.addEntry(qText(name), 0);
        }
        dialog.setSelectedIndex(static_cast<int>(preselected));
        dialog.setCaption(qText(kLocationDialogCaption));
        dialog.setLabel(qText(kLocationDialogLabel));
        if (!dialog.runModal() || dialog.chosenIndex() < 0) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(dialog.chosenIndex());
    };
    const ChooseLocationOutcome outcome =
        chooseLocation(calculator, databasePath, lastLocationName, select);
    if (const std::string_view message = chooseLocationMessage(outcome); !message.empty()) {
        showFileError(parent, message);
    }
    return outcome;
}

}  // namespace lumetra
