// SPDX-License-Identifier: MIT
#include "find_bar.h"

#include <QAction>
#include <QTextBrowser>
#include <QTextDocument>

namespace vantrel_help {

FindBar::FindBar(QTextBrowser& browser, QWidget* parent)
    : QToolBar(QStringLiteral("Find"), parent), browser_(browser) {
    setMovable(false);
    field_.setPlaceholderText(QStringLiteral("Find"));
    field_.setClearButtonEnabled(true);
    addWidget(&field_);
    QAction* previous = addAction(QStringLiteral("Previous"), this, [this] { findNext(true); });
    previous->setShortcut(QKeySequence::FindPrevious);
    QAction* next = addAction(QStringLiteral("Next"), this, [this] { findNext(); });
    next->setShortcut(QKeySequence::FindNext);
    addWidget(&notFound_);
    QAction* close = addAction(QStringLiteral("Close"), this, [this] { hide(); });
    close->setShortcut(Qt::Key_Escape);
    connect(&field_, &QLineEdit::returnPressed, this, [this] { findNext(); });
    connect(&field_, &QLineEdit::textChanged, &notFound_, &QLabel::clear);
    hide();
}

void FindBar::open() {
    show();
    field_.setFocus();
    field_.selectAll();
}

bool FindBar::findNext(bool backward) {
    const QString text = field_.text();
    if (text.isEmpty()) return false;
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = browser_.find(text, flags);
    if (!found) {
        // Round the end of the text, once.
        const QTextCursor here = browser_.textCursor();
        browser_.moveCursor(backward ? QTextCursor::End : QTextCursor::Start);
        found = browser_.find(text, flags);
        if (!found) browser_.setTextCursor(here);
    }
    notFound_.setText(found ? QString() : QStringLiteral("Not found"));
    return found;
}

} // namespace vantrel_help
