// SPDX-License-Identifier: MIT
#include "bounded_file.h"
#include "help_viewer.h"
#include "viewer_processes.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QScrollBar>
#include <QTextBlock>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using vantrel_help::HelpViewer;

// Contents first, then enough filler that topic 70 lies well below the first screen.
QByteArray longHelp() {
    QByteArray html = "<html><body><h1>Contents</h1>";
    for (int i = 0; i < 200; ++i)
        html += "<p>Filler line " + QByteArray::number(i) + "</p>";
    html += "<h2><a name=\"70\"></a>Topic seventy</h2><p>Direction finding.</p>";
    for (int i = 0; i < 200; ++i)
        html += "<p>More filler " + QByteArray::number(i) + "</p>";
    return html + "</body></html>";
}

class HelpWindowTest : public HelpFileTest {
protected:
    static QString topLine(HelpViewer& viewer) {
        QApplication::processEvents();
        return viewer.browser().cursorForPosition(QPoint(10, 10)).block().text();
    }
    static int scroll(HelpViewer& viewer) { return viewer.browser().verticalScrollBar()->value(); }
};

TEST_F(HelpWindowTest, topicAndContentsScrollToTheirPlace) {
    write(longHelp());
    HelpViewer viewer(file_);
    viewer.showTopic(70);
    EXPECT_TRUE(viewer.browser().isVisible());
    EXPECT_EQ(topLine(viewer), "Topic seventy");

    viewer.showContents();
    EXPECT_EQ(scroll(viewer), 0);
    EXPECT_EQ(topLine(viewer), "Contents");

    viewer.showTopic(70);
    viewer.showTopic(12345); // no such anchor
    EXPECT_EQ(scroll(viewer), 0);
}

TEST_F(HelpWindowTest, linksJumpWithinTheFileOnly) {
    write(longHelp());
    HelpViewer viewer(file_);
    viewer.showTopic(70);
    const QString before = viewer.browser().toPlainText();
    const int at = scroll(viewer);
    emit viewer.browser().anchorClicked(QUrl("http://example.com/#1"));
    emit viewer.browser().anchorClicked(QUrl::fromLocalFile("/etc/passwd"));
    EXPECT_EQ(viewer.browser().toPlainText(), before);
    EXPECT_EQ(scroll(viewer), at);
}

TEST_F(HelpWindowTest, missingFileIsExplainedInTheWindow) {
    HelpViewer viewer(file_);
    viewer.showTopic(70);
    EXPECT_TRUE(viewer.browser().isVisible());
    EXPECT_TRUE(viewer.browser().toPlainText().contains(file_));
    EXPECT_TRUE(viewer.browser().toPlainText().contains("could not be read"));

    write(longHelp()); // appears later: the next command reads it
    viewer.showTopic(70);
    EXPECT_EQ(topLine(viewer), "Topic seventy");
}

TEST_F(HelpWindowTest, latinOneFileReadsAsLatinOne) {
    write("<html><body><p>Proc\xe9\x64ure</p></body></html>");
    HelpViewer viewer(file_);
    viewer.showContents();
    EXPECT_EQ(viewer.browser().toPlainText(), QString::fromUtf8("Procédure"));
}

TEST_F(HelpWindowTest, backForwardAndFindAsHelpViewersHave) {
    write(longHelp());
    HelpViewer viewer(file_);
    EXPECT_EQ(viewer.window().windowTitle(), "Vantrel Help Viewer"); // not the dialog's title
    viewer.showContents();
    emit viewer.browser().anchorClicked(QUrl("#70"));
    ASSERT_EQ(topLine(viewer), "Topic seventy");
    viewer.back();
    EXPECT_EQ(scroll(viewer), 0);
    viewer.forward();
    EXPECT_EQ(topLine(viewer), "Topic seventy");
    viewer.forward(); // nothing further: stays
    EXPECT_EQ(topLine(viewer), "Topic seventy");

    viewer.findBar().open();
    viewer.findBar().field().setText("Filler line 3");
    EXPECT_TRUE(viewer.findBar().findNext()); // past the end of the text, round to the start
    EXPECT_EQ(viewer.browser().textCursor().selectedText(), "Filler line 3");
    viewer.findBar().field().setText("no such words");
    EXPECT_FALSE(viewer.findBar().findNext());
    EXPECT_EQ(viewer.browser().textCursor().selectedText(), "Filler line 3");
}

// The help text is as large as the game's: the sizes the help file sets itself included,
// whether the zoom comes before the file is read or while it is shown.
TEST_F(HelpWindowTest, textGrowsWithTheGamesZoom) {
    write("<html><head><style>body { font-size: 10pt; } p.small { font-size: 8pt; }</style>"
          "</head><body><h1>Contents</h1><p>Plain words</p><p class=\"small\">Small words</p>"
          "</body></html>");
    const auto sizes = [](HelpViewer& viewer) {
        QList<qreal> found;
        for (const char* words : {"Contents", "Plain words", "Small words"}) {
            QTextCursor at = viewer.browser().document()->find(words);
            found << at.charFormat().font().pointSizeF();
        }
        return found;
    };
    HelpViewer plain(file_);
    plain.showContents();
    const QList<qreal> at100 = sizes(plain);
    ASSERT_EQ(at100[1], 10);
    ASSERT_EQ(at100[2], 8);

    HelpViewer zoomedFirst(file_);
    zoomedFirst.setZoom(150);
    zoomedFirst.showContents();
    HelpViewer zoomedLater(file_);
    zoomedLater.showContents();
    zoomedLater.setZoom(200);
    zoomedLater.setZoom(150);
    for (HelpViewer* viewer : {&zoomedFirst, &zoomedLater}) {
        const QList<qreal> at150 = sizes(*viewer);
        for (int i = 0; i < at100.size(); ++i)
            EXPECT_NEAR(at150[i], 1.5 * at100[i], 0.01) << i;
        EXPECT_NEAR(viewer->findBar().font().pointSizeF(),
                    1.5 * plain.findBar().font().pointSizeF(), 0.01);
    }

    // Text grown to the size of the text right after it still leaves that text to grow, and
    // sizes come back as they were from any way round the levels.
    write("<html><body><p><span style=\"font-size: 8pt\">Small words</span>"
          "<span style=\"font-size: 10pt\">Plain words</span></p>"
          "<p style=\"font-size: 13px\">Pixel words</p></body></html>");
    HelpViewer side(file_);
    side.showContents();
    side.setZoom(125);
    const QTextDocument& document = *side.browser().document();
    EXPECT_NEAR(document.find("Small").charFormat().fontPointSize(), 10, 0.01);
    EXPECT_NEAR(document.find("Plain").charFormat().fontPointSize(), 12.5, 0.01);
    for (const int level : {100, 150, 200, 100})
        side.setZoom(level);
    EXPECT_EQ(document.find("Pixel").charFormat().intProperty(QTextFormat::FontPixelSize), 13);
}

// A help file that is no regular file, or is too large, is explained in the window at once.
TEST_F(HelpWindowTest, onlyRegularFilesOfBoundedSizeAreShown) {
    ASSERT_EQ(::mkfifo(file_.toUtf8().constData(), 0600), 0);
    HelpViewer fifo(file_); // with no writer: must not wait for one
    fifo.showContents();
    EXPECT_TRUE(fifo.browser().toPlainText().contains("not a regular file"));

    ASSERT_TRUE(QFile::remove(file_));
    write({});
    ASSERT_EQ(::truncate(file_.toUtf8().constData(), vantrel_help::kLargestHelpFile + 1), 0);
    HelpViewer large(file_);
    large.showContents();
    EXPECT_TRUE(large.browser().toPlainText().contains("larger than 16 MB"));
}

// Pictures come only from regular files of bounded size inside the help file's folder. Any other
// shows a placeholder, never nothing: given nothing, Qt would open the name itself.
TEST_F(HelpWindowTest, picturesComeOnlyFromTheHelpFilesFolder) {
    const QString inside = dir_.filePath("help");
    ASSERT_TRUE(QDir().mkpath(inside));
    file_ = inside + "/qr64.HLP";
    write("<html><body><p>Pictures</p></body></html>");
    ASSERT_TRUE(QImage(3, 2, QImage::Format_RGB32).save(inside + "/map.png", "PNG"));
    QFile garbled(inside + "/garbled.png");
    ASSERT_TRUE(garbled.open(QIODevice::WriteOnly));
    garbled.write("no picture");
    garbled.close();
    QFile outside(dir_.filePath("outside.png"));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.write("outside bytes");
    outside.close();
    ASSERT_TRUE(QFile::link(dir_.filePath("outside.png"), inside + "/link.png"));
    ASSERT_EQ(::mkfifo((inside + "/fifo.png").toUtf8().constData(), 0600), 0);

    HelpViewer viewer(file_);
    const struct {
        QString source;
        bool loads;
    } cases[] = {
        {"map.png", true},
        {"./sub/../map.png", true},
        {"../outside.png", false},
        {QUrl::fromLocalFile(dir_.filePath("outside.png")).toString(), false},
        {"link.png", false},
        {"/dev/zero", false},
        {"fifo.png", false},
        {"missing.png", false},
        {"garbled.png", false},
        {"http://example.com/map.png", false},
    };
    for (const auto& c : cases) {
        const QVariant got =
            viewer.browser().loadResource(QTextDocument::ImageResource, QUrl(c.source));
        ASSERT_EQ(got.typeId(), QMetaType::QImage) << c.source.toStdString();
        EXPECT_EQ(got.value<QImage>().size() == QSize(3, 2), c.loads) << c.source.toStdString();
    }
}

} // namespace
