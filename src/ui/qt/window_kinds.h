// SPDX-License-Identifier: MIT
#pragma once

#include "ui/form.h"

#include <Qt>

namespace ui::qt {

bool onWayland();
// The kind of top-level window a form of this style is shown in.
Qt::WindowFlags flagsFor(WindowStyle style);

} // namespace ui::qt
