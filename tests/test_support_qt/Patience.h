// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra::test {

// How long a GUI test waits for what happens asynchronously (the climate tables read in the
// background, the refresh tick, a layout or a dialog that comes up through posted events)
// before it gives up. Generous, so that a machine under load passes: the wait ends as soon as
// the awaited state is there, so only a failing test spends it.
inline constexpr int kPatienceMs = 60000;

}  // namespace lumetra::test
