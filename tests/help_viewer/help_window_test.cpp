#include "help_viewer.h"
#include "ui/qt/help_protocol.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>

namespace {

using vantrel_help::HelpViewer;
namespace help = ui::qt::help;

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

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        file_ = dir_.filePath("qr64.HLP");
    }
    void write(const QByteArray& bytes) {
        QFile out(file_);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    static QString topLine(HelpViewer& viewer) {
        QApplication::processEvents();
        return viewer.window().cursorForPosition(QPoint(10, 10)).block().text();
    }
    static int scroll(HelpViewer& viewer) { return viewer.window().verticalScrollBar()->value(); }

    QTemporaryDir dir_;
    QString file_;
};

TEST_F(HelpWindowTest, TopicAndContentsScrollToTheirPlace) {
    write(longHelp());
    HelpViewer viewer(file_);
    viewer.showTopic(70);
    EXPECT_TRUE(viewer.window().isVisible());
    EXPECT_EQ(topLine(viewer), "Topic seventy");

    viewer.showContents();
    EXPECT_EQ(scroll(viewer), 0);
    EXPECT_EQ(topLine(viewer), "Contents");

    viewer.showTopic(70);
    viewer.showTopic(12345); // no such anchor
    EXPECT_EQ(scroll(viewer), 0);
}

TEST_F(HelpWindowTest, LinksJumpWithinTheFileOnly) {
    write(longHelp());
    HelpViewer viewer(file_);
    viewer.showContents();
    emit viewer.window().anchorClicked(QUrl("#70"));
    EXPECT_EQ(topLine(viewer), "Topic seventy");

    const QString before = viewer.window().toPlainText();
    const int at = scroll(viewer);
    emit viewer.window().anchorClicked(QUrl("http://example.com/#1"));
    emit viewer.window().anchorClicked(QUrl::fromLocalFile("/etc/passwd"));
    EXPECT_EQ(viewer.window().toPlainText(), before);
    EXPECT_EQ(scroll(viewer), at);
}

TEST_F(HelpWindowTest, MissingFileIsExplainedInTheWindow) {
    HelpViewer viewer(file_);
    viewer.showTopic(70);
    EXPECT_TRUE(viewer.window().isVisible());
    EXPECT_TRUE(viewer.window().toPlainText().contains(file_));
    EXPECT_TRUE(viewer.window().toPlainText().contains("could not be read"));

    write(longHelp()); // appears later: the next command reads it
    viewer.showTopic(70);
    EXPECT_EQ(topLine(viewer), "Topic seventy");
}

TEST_F(HelpWindowTest, LatinOneFileReadsAsLatinOne) {
    write("<html><body><p>Proc\xe9\x64ure</p></body></html>");
    HelpViewer viewer(file_);
    viewer.showContents();
    EXPECT_EQ(viewer.window().toPlainText(), QString::fromUtf8("Procédure"));
}

TEST(HelpSocketName, OnePerFileWhateverItsSpelling) {
    const QString file = QDir::temp().filePath("a/qr64.HLP");
    EXPECT_EQ(help::socketName(file), help::socketName(QDir::temp().filePath("a/./b/../qr64.HLP")));
    EXPECT_NE(help::socketName(file), help::socketName(QDir::temp().filePath("b/qr64.HLP")));
    EXPECT_LT(help::socketName(file).size(), 60); // within the Unix socket path limit
}

} // namespace
