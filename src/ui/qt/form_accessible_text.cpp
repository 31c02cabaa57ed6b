// SPDX-License-Identifier: MIT
#include "form_window.h"
#include "surface_widget.h"
#include "ui/canvas.h"
#include "ui/form.h"

#include <string>

namespace ui::qt {

void FormWindow::syncAccessibleText() {
    // A window that speaks through what is printed on it, like a note, is read out by it.
    std::string printed;
    for (const auto& item : form_.drawing().items())
        if (const auto* text = std::get_if<TextItem>(&item)) printed += text->text;
    const std::string& name = form_.accessibleName.empty() ? form_.caption() : form_.accessibleName;
    // Qt tells listeners of every setting, changed or not.
    if (const QString n = QString::fromStdString(name); client_->accessibleName() != n)
        client_->setAccessibleName(n);
    if (const QString d = QString::fromStdString(printed).simplified();
        client_->accessibleDescription() != d)
        client_->setAccessibleDescription(d);
}

} // namespace ui::qt
