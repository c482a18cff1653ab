// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

namespace lumetra::bench {

// A plain dialog with as many widgets as the main dialog, of the same kinds at similar places,
// and nothing behind them: what the main dialog's start-up is measured against.
std::unique_ptr<QDialog> bareDialog();

}  // namespace lumetra::bench
