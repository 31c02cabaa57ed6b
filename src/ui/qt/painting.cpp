// SPDX-License-Identifier: MIT
#include "painting.h"

#include "ui/canvas.h"
#include "ui/container.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/runtime.h"
#include "ui/text_lines.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

namespace ui::qt {

QColor toQColor(Color c) {
    return QColor(c.r, c.g, c.b);
}

namespace {

// Arial is missing from most Linux desktops, where fontconfig stands Liberation Sans, its metric
// twin, in for it. Asking for the twin by name gives the same face without the sort of every
// installed font that a missing family costs on the first text of each run.
QString installedFamily(const std::string& family) {
    // The list of installed families, unlike hasFamily, is read without asking fontconfig for
    // aliases, which costs as much as the sort.
    static const bool twinStandsIn = [] {
        const QStringList installed = QFontDatabase::families();
        return !installed.contains("Arial") && installed.contains("Liberation Sans");
    }();
    if (family == "Arial" && twinStandsIn) return QStringLiteral("Liberation Sans");
    return QString::fromStdString(family);
}

} // namespace

QFont toQFont(const Font& f, double zoom) {
    QFont font(installedFamily(f.family));
    // Enlarged text keeps within the proportions of the designed layout, so that a caption that
    // just fits still fits: its size is rounded down, and hinting, which would round every
    // letter's advance to whole pixels, is left off.
    font.setPixelSize(std::max(1, static_cast<int>(std::floor(f.pixelSize() * zoom + 1e-9))));
    if (zoom != 1.0) font.setHintingPreference(QFont::PreferNoHinting);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    return font;
}

QFont zoomedFont(QFont font, double zoom) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * zoom);
    else
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * zoom))));
    return font;
}

QImage toQImage(const Picture& p) {
    if (p.isNull()) return {};
    return QImage(reinterpret_cast<const uchar*>(p.pixels.data()), p.width, p.height, p.width * 4,
                  QImage::Format_ARGB32);
}

namespace {

// The renderer's own knowledge of which window it draws smaller: the forms know nothing of it.
std::map<const Form*, double>& zoomLimits() {
    static std::map<const Form*, double> limits;
    return limits;
}

} // namespace

double zoomOf(const Form& form) {
    const double zoom = form.runtime().zoom() / 100.0;
    const auto it = zoomLimits().find(&form);
    return it == zoomLimits().end() ? zoom : std::min(zoom, it->second);
}

void limitZoom(const Form& form, double largest) {
    zoomLimits()[&form] = largest;
}

void liftZoomLimit(const Form& form) {
    zoomLimits().erase(&form);
}

double zoomOf(const Control& c) {
    return zoomOf(c.form());
}

QRectF pixelRect(const Control& c) {
    const Container& box = c.container();
    return {box.toPixelX(c.left()), box.toPixelY(c.top()), box.widthToPixels(c.width()),
            box.heightToPixels(c.height())};
}

QRect zoomedRect(const QRectF& designed, double zoom) {
    // The pixels of the designed layout, then their edges at the zoom: controls that touch at
    // 100 % touch at every zoom.
    const QRect at100(qRound(designed.x()), qRound(designed.y()), qRound(designed.width()),
                      qRound(designed.height()));
    const int left = qRound(at100.x() * zoom), top = qRound(at100.y() * zoom);
    return {left, top, qRound((at100.x() + at100.width()) * zoom) - left,
            qRound((at100.y() + at100.height()) * zoom) - top};
}

namespace {

struct Mapper {
    const Canvas& canvas;
    QPointF operator()(double x, double y) const {
        return {canvas.toPixelX(x), canvas.toPixelY(y)};
    }
};

QPen pen(Color c, int width) {
    QPen p(toQColor(c));
    p.setWidthF(width);
    p.setCapStyle(Qt::FlatCap);
    return p;
}

// Straight lines stay crisp; slanted lines and circles are smoothed.
void drawLine(QPainter& painter, QPointF a, QPointF b, const QPen& p) {
    const bool straight = a.x() == b.x() || a.y() == b.y();
    painter.setRenderHint(QPainter::Antialiasing, !straight);
    painter.setPen(p);
    painter.drawLine(a, b);
}

void drawText(QPainter& painter, QPointF topLeft, const std::string& text, const Font& font,
              Color color) {
    painter.setFont(toQFont(font));
    painter.setPen(toQColor(color));
    const QFontMetrics metrics(painter.font());
    double y = topLeft.y() + metrics.ascent();
    for (auto line : splitLines(text)) {
        painter.drawText(QPointF(topLeft.x(), y),
                         QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
        y += metrics.height();
    }
}

} // namespace

void paintDrawing(QPainter& painter, const Canvas& canvas) {
    const Mapper at{canvas};
    for (const auto& item : canvas.drawing().items()) {
        if (const auto* l = std::get_if<LineItem>(&item)) {
            QPen p = pen(l->color, l->penWidth);
            if (l->style == DrawStyle::Dot) p.setStyle(Qt::DotLine);
            drawLine(painter, at(l->x1, l->y1), at(l->x2, l->y2), p);
        } else if (const auto* b = std::get_if<BoxItem>(&item)) {
            const QRectF r = QRectF(at(b->x1, b->y1), at(b->x2, b->y2)).normalized();
            painter.setRenderHint(QPainter::Antialiasing, false);
            if (b->filled) {
                painter.fillRect(r, toQColor(b->color));
            } else {
                painter.setPen(pen(b->color, b->penWidth));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(r);
            }
        } else if (const auto* c = std::get_if<CircleItem>(&item)) {
            // The radius counts in horizontal units, so the circle stays round on screen.
            const double r = canvas.widthToPixels(c->radius);
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(pen(c->color, c->penWidth));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at(c->x, c->y), r, r);
        } else if (const auto* t = std::get_if<TextItem>(&item)) {
            painter.setRenderHint(QPainter::TextAntialiasing, true);
            drawText(painter, at(t->x, t->y), t->text, t->font, t->color);
        } else if (const auto* p = std::get_if<PictureItem>(&item)) {
            painter.drawImage(at(p->x, p->y), toQImage(p->picture));
        }
    }
}

QRectF designedArea(const Control& c) {
    if (c.kind() != ControlKind::Line) return pixelRect(c);
    // A line covers the box its ends span, and its pen's width around it.
    const auto& line = static_cast<const LineControl&>(c);
    const Container& box = c.container();
    const double pad = line.penWidth();
    return QRectF(QPointF(box.toPixelX(line.x1()), box.toPixelY(line.y1())),
                  QPointF(box.toPixelX(line.x2()), box.toPixelY(line.y2())))
        .normalized()
        .adjusted(-pad, -pad, pad, pad);
}

QRect paintedArea(const Control& c) {
    return zoomedRect(designedArea(c), zoomOf(c)).adjusted(-2, -2, 2, 2);
}

void paintLightweight(QPainter& painter, const Control& c) {
    if (!c.visible()) return;
    const QRectF r = pixelRect(c);
    switch (c.kind()) {
    case ControlKind::Label: {
        const auto& label = static_cast<const Label&>(c);
        painter.fillRect(r, toQColor(label.backColor()));
        painter.setFont(toQFont(label.font()));
        painter.setPen(toQColor(label.foreColor()));
        const auto h = label.alignment() == Alignment::Center  ? Qt::AlignHCenter
                       : label.alignment() == Alignment::Right ? Qt::AlignRight
                                                               : Qt::AlignLeft;
        painter.drawText(r, int(h | Qt::AlignTop | Qt::TextWordWrap),
                         QString::fromStdString(label.caption()));
        break;
    }
    case ControlKind::Image: {
        const auto& image = static_cast<const Image&>(c);
        const QImage picture = toQImage(image.picture());
        if (picture.isNull()) break;
        if (image.stretch())
            painter.drawImage(r, picture);
        else
            painter.drawImage(r.topLeft(), picture);
        break;
    }
    case ControlKind::Line: {
        const auto& line = static_cast<const LineControl&>(c);
        const Container& box = c.container();
        drawLine(painter, {box.toPixelX(line.x1()), box.toPixelY(line.y1())},
                 {box.toPixelX(line.x2()), box.toPixelY(line.y2())},
                 pen(line.color(), line.penWidth()));
        break;
    }
    case ControlKind::Shape: {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(r, toQColor(static_cast<const Shape&>(c).fillColor()));
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        break;
    }
    default:
        break;
    }
}

} // namespace ui::qt
