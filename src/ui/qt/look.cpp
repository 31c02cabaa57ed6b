// SPDX-License-Identifier: MIT
#include "look.h"

#include "control_widgets.h"
#include "painting.h"
#include "ui/control.h"

#include <algorithm>
#include <optional>
#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace ui::qt {

namespace {

// The zoom the widget's window is drawn at; a widget of no form's, such as a menu, is drawn
// at the desktop's size.
double zoomOfWidget(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget())
        if (const Control* c = controlOf(widget)) return zoomOf(*c);
    return 1.0;
}

// A line a pixel of the designed layout wide, on the screen.
int linePixels(const QWidget* widget) {
    return std::max(1, qRound(zoomOfWidget(widget)));
}

// A focus that can be seen from across the room: a dotted two-pixel rectangle in the text
// colour, where Fusion draws a faint one-pixel outline, or none.
void drawFocus(QPainter* painter, const QRect& rect, const QColor& colour, int px) {
    painter->save();
    painter->setPen(QPen(colour, 2 * px, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(rect).adjusted(px, px, -px, -px));
    painter->restore();
}

// A push button's face in exactly its own colour, raised by a bevel of light and shadow, and
// pressed in while it is held down.
void drawButtonFace(QPainter* painter, const QStyleOption* option, int px) {
    const QRect r = option->rect;
    const bool down = option->state & (QStyle::State_Sunken | QStyle::State_On);
    painter->save();
    painter->fillRect(option->rect, option->palette.button());
    const QColor light = Qt::white, shadow(128, 128, 128), dark = Qt::black;
    // Each edge a band `px` wide: the bottom and right bands go over the top and left ones.
    auto bevel = [&](QRect box, QColor topLeft, QColor bottomRight) {
        painter->fillRect(box.left(), box.top(), box.width(), px, topLeft);
        painter->fillRect(box.left(), box.top(), px, box.height(), topLeft);
        painter->fillRect(box.left(), box.bottom() - px + 1, box.width(), px, bottomRight);
        painter->fillRect(box.right() - px + 1, box.top(), px, box.height(), bottomRight);
    };
    const QRect inner = r.adjusted(px, px, -px, -px);
    if (down) {
        bevel(r, dark, dark);
        bevel(inner, shadow, option->palette.button().color());
    } else {
        bevel(r, light, dark);
        bevel(inner, option->palette.button().color(), shadow);
    }
    painter->restore();
}

// A style's icon read from its pictures only when it is first drawn or measured. Reading the
// first picture of a run has Qt load every image format plugin to ask whether it reads it, the
// longest single wait before the first frame; the menu bar's overflow button, which asks for its
// icon as the menu bar is made, is seldom ever shown.
class IconReadWhenDrawn : public QIconEngine {
public:
    IconReadWhenDrawn(QStyle* style, QStyle::StandardPixmap which, const QStyleOption* option,
                      const QWidget* widget)
        : style_(style), which_(which), widget_(const_cast<QWidget*>(widget)) {
        if (option) option_ = *option;
    }

    QIconEngine* clone() const override { return new IconReadWhenDrawn(*this); }
    QString key() const override { return QStringLiteral("IconReadWhenDrawn"); }
    bool isNull() override { return false; }
    // Drawn as a picture icon draws itself: its picture for the rectangle's device pixels.
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio =
            painter->device() ? painter->device()->devicePixelRatio() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }

private:
    const QIcon& icon() {
        if (!icon_)
            icon_ = style_ ? style_->standardIcon(which_, option_ ? &*option_ : nullptr, widget_)
                           : QIcon();
        return *icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    std::optional<QStyleOption> option_;
    QPointer<QWidget> widget_;
    std::optional<QIcon> icon_;
};

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
            drawFocus(painter, option->rect, option->palette.color(QPalette::WindowText),
                      linePixels(widget));
            return;
        case PE_PanelButtonCommand:
            drawButtonFace(painter, option, linePixels(widget));
            return;
        default:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        }
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const int px = linePixels(widget);
        if (element == CE_PushButtonBevel) {
            drawButtonFace(painter, option, px);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element == CE_PushButton && option->state & State_HasFocus)
            drawFocus(painter, option->rect.adjusted(3 * px, 3 * px, -3 * px, -3 * px),
                      option->palette.color(QPalette::ButtonText), px);
    }

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton ||
            which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new IconReadWhenDrawn(baseStyle(), which, option, widget));
        return QProxyStyle::standardIcon(which, option, widget);
    }

    // A message box's buttons carry words only, whatever icons the desktop's theme offers.
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    // Check boxes and option buttons grow with their window's zoom, marks and all.
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int size = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
            return qRound(size * zoomOfWidget(widget));
        default:
            return size;
        }
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
