// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <QMainWindow>

namespace bench {

// The floor every window measurement is held against: a plain main window with the game's
// client size at `zoom` percent and a menu bar much like the game's, and nothing drawn in it.
std::unique_ptr<QMainWindow> makeBareWindow(int zoom = 100);

// The bare window's client area, the counterpart of the game's drawing surface.
QWidget* bareClient(QMainWindow& window);

} // namespace bench
