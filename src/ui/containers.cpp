#include "containers.h"

#include "controls.h"
#include "form.h"
#include "runtime.h"

namespace ui {

Host& PictureBox::canvasHost() const {
    return form().runtime().host();
}

void PictureBox::unitsRescaled(double fx, double fy) {
    for (auto& c : form().controls()) {
        if (c->parent() != this) continue;
        c->setGeometry(c->left() * fx, c->top() * fy, c->width() * fx, c->height() * fy);
        if (auto* line = dynamic_cast<LineControl*>(c.get()))
            line->setEnds(line->x1() * fx, line->y1() * fy, line->x2() * fx, line->y2() * fy);
    }
}

} // namespace ui
