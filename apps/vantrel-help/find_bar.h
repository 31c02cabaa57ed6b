// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

class QTextBrowser;

namespace vantrel_help {

// Find in the help text (Ctrl+F): Enter or F3 finds the next place, Shift+F3 the one before,
// both going round the end of the text; Escape closes the bar.
class FindBar : public QToolBar {
public:
    explicit FindBar(QTextBrowser& browser, QWidget* parent = nullptr);

    void open();
    // Selects the next (or previous) place of the text in the field. False when there is none.
    bool findNext(bool backward = false);
    QLineEdit& field() { return field_; }

private:
    QTextBrowser& browser_;
    QLineEdit field_;
    QLabel notFound_;
};

} // namespace vantrel_help
