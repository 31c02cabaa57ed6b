// SPDX-License-Identifier: MIT
#include "window_kinds.h"

#include <QGuiApplication>

namespace ui::qt {

// A note belongs to the main window: above it, never above the game's boxes and dialogs or
// another program. On X11 that is a frameless tool window, transient for the main window, which
// the window manager stacks with it. Wayland lets no program place a window of its own, but
// places a popup relative to its parent, and a tool-tip window with a parent is such a popup
// there, one that takes no input grab and goes and comes with its parent.
bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

static Qt::WindowFlags noteFlags() {
    return (onWayland() ? Qt::ToolTip : Qt::Tool) | Qt::FramelessWindowHint;
}

Qt::WindowFlags flagsFor(WindowStyle style) {
    switch (style) {
    case WindowStyle::Main:
        return Qt::Window | Qt::MSWindowsFixedSizeDialogHint;
    case WindowStyle::Dialog:
        return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
               Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    case WindowStyle::Companion:
        return Qt::Window | Qt::MSWindowsFixedSizeDialogHint;
    case WindowStyle::Note:
        return noteFlags();
    }
    return Qt::Window;
}

} // namespace ui::qt
