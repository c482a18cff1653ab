// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

namespace lumetra::bench {

// The texts a bare dialog shows instead of its placeholders, and whether it has a table: with
// the main dialog's own texts and a table it shows as much as the main dialog does.
struct BareDialogContent {
    QStringList groupTitles;  // 11
    QStringList labels;       // 39
    QStringList units;        // 36
    bool table = false;       // a table of 7 columns and 2 rows where the module fields are
};

// A plain dialog with as many widgets as the main dialog, of the same kinds at similar places,
// and nothing behind them: what the main dialog's start-up is measured against.
std::unique_ptr<QDialog> bareDialog(const BareDialogContent& content = {});

}  // namespace lumetra::bench
