// SPDX-License-Identifier: MIT
// make-icons OUTDIR: writes the desktop icons (hicolor PNGs and an SVG) from the transmitter
// picture, the same art as the window icon (run by the build).
// make-icons --check OUTDIR: reads them back and says what is missing or wrong (a test).
#include "assets/pictures/pictures.h"
#include "icon_art.h"

#include <cstdio>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QXmlStreamReader>

namespace {

constexpr const char* appId = "org.vantrel.Vantrel";
constexpr int sizes[] = {32, 48, 64, 128, 256};

QString pngPath(const QString& dir, int size) {
    return QStringLiteral("%1/hicolor/%2x%2/apps/%3.png").arg(dir).arg(size).arg(appId);
}

QString svgPath(const QString& dir) {
    return QStringLiteral("%1/hicolor/scalable/apps/%2.svg").arg(dir, appId);
}

bool complain(const QString& path, const char* what) {
    std::fprintf(stderr, "make-icons: %s: %s\n", qPrintable(path), what);
    return false;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).path())) return complain(path, "cannot make the folder");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return complain(path, "cannot write");
    return true;
}

bool writeIcons(const QString& dir) {
    const ui::Picture& picture = assets::transmitterImage();
    bool ok = true;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) ||
            !packaging::iconImage(picture, size).save(&buffer, "PNG"))
            ok = complain(pngPath(dir, size), "cannot encode");
        else
            ok = writeFile(pngPath(dir, size), png) && ok;
    }
    return writeFile(svgPath(dir), packaging::svgDocument(picture)) && ok;
}

// A square icon of the named size that a desktop can load.
bool checkPng(const QString& path, int size) {
    QImage image;
    if (!image.load(path, "PNG")) return complain(path, "missing or not a PNG");
    if (image.width() != size || image.height() != size) return complain(path, "wrong size");
    return true;
}

// Well-formed SVG whose drawing is square and holds at least one rectangle.
bool checkSvg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return complain(path, "missing");
    QXmlStreamReader xml(&file);
    bool square = false;
    int rects = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"svg") {
            const auto box = xml.attributes().value(QLatin1String("viewBox")).split(u' ');
            square = box.size() == 4 && box[2] == box[3] && box[2].toInt() > 0;
        } else if (xml.name() == u"rect") {
            ++rects;
        }
    }
    if (xml.hasError()) return complain(path, "not well-formed XML");
    if (!square) return complain(path, "no square viewBox on the svg element");
    if (rects == 0) return complain(path, "draws nothing");
    return true;
}

bool checkIcons(const QString& dir) {
    bool ok = checkSvg(svgPath(dir));
    for (int size : sizes)
        ok = checkPng(pngPath(dir, size), size) && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && QByteArray(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fputs("usage: make-icons OUTDIR\n       make-icons --check OUTDIR\n", stderr);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[argc - 1]);
    return (check ? checkIcons(dir) : writeIcons(dir)) ? 0 : 1;
}
