// SPDX-License-Identifier: MIT
#include "icon_art.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace packaging {

namespace {

// At one and a half times (48 pixels from 32) half the source lines must be drawn two pixels
// wide and half one. Plain nearest-neighbour sampling picks them unevenly: the wave arcs come out
// thicker on one side and the box's edges differ. These were picked by eye for the transmitter
// ('2' marks a doubled line): columns mirror about the centre, and rows double both the top and
// the bottom edge of the box.
constexpr std::string_view doubledColumns = ".2.2.2.2.2.2.2.22.2.2.2.2.2.2.2.";
constexpr std::string_view doubledRows = ".2.2.2.2.2.2.2.2.2.2.2.2.2.22.2.";

// The source line each of the `to` output lines shows.
std::vector<int> sourceLines(int from, int to, std::string_view doubled) {
    std::vector<int> lines;
    if (to * 2 == from * 3 && int(doubled.size()) == from &&
        std::count(doubled.begin(), doubled.end(), '2') == from / 2) {
        for (int i = 0; i < from; ++i)
            lines.insert(lines.end(), doubled[i] == '2' ? 2 : 1, i);
    } else {
        // Sampling at pixel centres: at whole multiples each pixel is repeated exactly.
        for (int i = 0; i < to; ++i)
            lines.push_back((2 * i + 1) * from / (2 * to));
    }
    return lines;
}

struct Rect {
    int x, y, width, height;
    std::uint32_t argb;
};

// The fill attributes for a 0xAARRGGBB colour.
QByteArray fill(std::uint32_t argb) {
    QByteArray text =
        "fill=\"#" + QByteArray::number(argb & 0xffffffu, 16).rightJustified(6, '0') + "\"";
    const unsigned alpha = argb >> 24;
    if (alpha != 255) text += " fill-opacity=\"" + QByteArray::number(alpha / 255.0, 'g', 3) + "\"";
    return text;
}

// Runs of equal pixels along each row, joined with the identical run in the row above, so the
// antenna and the box's sides become one rectangle each rather than one per row.
std::vector<Rect> runs(const ui::Picture& picture, std::uint32_t background) {
    std::vector<Rect> rects;
    std::vector<std::size_t> above; // rectangles that reach the previous row
    for (int y = 0; y < picture.height; ++y) {
        std::vector<std::size_t> here;
        for (int x = 0; x < picture.width;) {
            const std::uint32_t argb = picture.pixel(x, y);
            int end = x + 1;
            while (end < picture.width && picture.pixel(end, y) == argb)
                ++end;
            if ((argb >> 24) != 0 && argb != background) {
                std::size_t index = rects.size();
                for (std::size_t a : above)
                    if (rects[a].x == x && rects[a].width == end - x && rects[a].argb == argb)
                        index = a;
                if (index == rects.size()) rects.push_back({x, y, end - x, 0, argb});
                ++rects[index].height;
                here.push_back(index);
            }
            x = end;
        }
        above = std::move(here);
    }
    return rects;
}

} // namespace

QImage iconImage(const ui::Picture& picture, int size) {
    const std::vector<int> columns = sourceLines(picture.width, size, doubledColumns);
    const std::vector<int> rows = sourceLines(picture.height, size, doubledRows);
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, picture.pixel(columns[x], rows[y]));
    return image;
}

QByteArray svgDocument(const ui::Picture& picture) {
    const QByteArray w = QByteArray::number(picture.width);
    const QByteArray h = QByteArray::number(picture.height);
    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
                     "\" viewBox=\"0 0 " + w + " " + h + "\" shape-rendering=\"crispEdges\">\n";
    // An opaque corner colour is the background: one rectangle under everything else.
    std::uint32_t background = picture.pixel(0, 0);
    if ((background >> 24) == 255)
        svg += "<rect width=\"" + w + "\" height=\"" + h + "\" " + fill(background) + "/>\n";
    else
        background = 0;
    for (const Rect& r : runs(picture, background)) {
        svg += "<rect x=\"" + QByteArray::number(r.x) + "\" y=\"" + QByteArray::number(r.y) +
               "\" width=\"" + QByteArray::number(r.width) + "\" height=\"" +
               QByteArray::number(r.height) + "\" " + fill(r.argb) + "/>\n";
    }
    return svg + "</svg>\n";
}

} // namespace packaging
