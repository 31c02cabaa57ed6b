// SPDX-License-Identifier: MIT
#include "look.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace ui::qt {

namespace {

// A focus that can be seen from across the room: a dotted two-pixel rectangle in the text
// colour, where Fusion draws a faint one-pixel outline, or none.
void drawFocus(QPainter* painter, const QRect& rect, const QColor& colour) {
    painter->save();
    painter->setPen(QPen(colour, 2, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
    painter->restore();
}

// A push button's face in exactly its own colour, raised by a bevel of light and shadow, and
// pressed in while it is held down.
void drawButtonFace(QPainter* painter, const QStyleOption* option) {
    const QRect r = option->rect.adjusted(0, 0, -1, -1);
    const bool down = option->state & (QStyle::State_Sunken | QStyle::State_On);
    painter->save();
    painter->fillRect(option->rect, option->palette.button());
    const QColor light = Qt::white, shadow(128, 128, 128), dark = Qt::black;
    auto bevel = [&](QRect box, QColor topLeft, QColor bottomRight) {
        painter->setPen(topLeft);
        painter->drawLine(box.topLeft(), box.topRight());
        painter->drawLine(box.topLeft(), box.bottomLeft());
        painter->setPen(bottomRight);
        painter->drawLine(box.bottomLeft(), box.bottomRight());
        painter->drawLine(box.topRight(), box.bottomRight());
    };
    if (down) {
        bevel(r, dark, dark);
        bevel(r.adjusted(1, 1, -1, -1), shadow, option->palette.button().color());
    } else {
        bevel(r, light, dark);
        bevel(r.adjusted(1, 1, -1, -1), option->palette.button().color(), shadow);
    }
    painter->restore();
}

// Fusion, with push buttons and the focus drawn as above.
class GameStyle : public QProxyStyle {
public:
    GameStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {
        setObjectName(QStringLiteral("vantrel"));
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        switch (element) {
        case PE_FrameFocusRect:
            drawFocus(painter, option->rect, option->palette.color(QPalette::WindowText));
            return;
        case PE_PanelButtonCommand:
            drawButtonFace(painter, option);
            return;
        default:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        }
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_PushButtonBevel) {
            drawButtonFace(painter, option);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element == CE_PushButton && option->state & State_HasFocus)
            drawFocus(painter, option->rect.adjusted(3, 3, -3, -3),
                      option->palette.color(QPalette::ButtonText));
    }
};

} // namespace

void useGameLook() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app) return;
    // A style sheet from the command line or the desktop would paint over the forms' colours.
    if (!app->styleSheet().isEmpty()) app->setStyleSheet(QString());
    if (QApplication::style()->objectName() != QLatin1String("vantrel")) {
        auto* style = new GameStyle;
        QApplication::setStyle(style);
        QApplication::setPalette(style->standardPalette());
    }
}

} // namespace ui::qt
