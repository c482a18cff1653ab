// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QBoxLayout;
class QWidget;

namespace lumetra {

// Makes every showing of `window` end wholly inside the available area of its screen: when it
// is shown (at whatever place and size it was given, placed by the toolkit or remembered from
// another screen), and again when the window manager has put its frame around it, the window
// moves, and shrinks where it must (not below its smallest size), until its frame fits. Once
// the frame is known, the user may move the window wherever they like.
void keepOnScreen(QWidget& window);

// The same for a window whose smallest size follows what it shows: when it is first shown, its
// contents filled in, and its smallest size does not fit the screen, `content` (an item of
// `layout`) moves into a scroll area named `scrollAreaName` that takes the rest of the room,
// while the other items of `layout` (the buttons) stay in sight.
void keepOnScreen(QWidget& window, QBoxLayout& layout, QWidget& content,
                  const QString& scrollAreaName);

// Moves `window`, and shrinks it where it must, so that its frame lies inside the available
// area of its screen.
void moveOntoScreen(QWidget& window);

}  // namespace lumetra
