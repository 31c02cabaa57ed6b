// SPDX-License-Identifier: MIT
#include "containers.h"

#include "controls.h"
#include "form.h"
#include "runtime.h"

namespace ui {

Host& PictureBox::canvasHost() const {
    return form().runtime().host();
}

void PictureBox::unitsRescaled(double factorX, double factorY) {
    for (auto& c : form().controls()) {
        if (c->parent() != this) continue;
        c->setGeometry(c->left() * factorX, c->top() * factorY, c->width() * factorX,
                       c->height() * factorY);
        if (auto* line = dynamic_cast<LineControl*>(c.get()))
            line->setEnds(line->x1() * factorX, line->y1() * factorY, line->x2() * factorX,
                          line->y2() * factorY);
    }
}

} // namespace ui
