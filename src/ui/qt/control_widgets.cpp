// SPDX-License-Identifier: MIT
#include "control_widgets.h"

#include "chart_widget.h"
#include "grid_widget.h"
#include "painting.h"
#include "surface_widget.h"
#include "ui/chart.h"
#include "ui/containers.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/grid.h"
#include "ui/runtime.h"

#include <algorithm>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

namespace ui::qt {

namespace {

constexpr const char* kControlProperty = "vantrelControl";

// An image; one with a click handler acts as a button.
class ImageWidget : public QAbstractButton {
public:
    ImageWidget(const Image& image, QWidget* parent) : QAbstractButton(parent), image_(image) {
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QImage picture = toQImage(image_.picture());
        if (picture.isNull()) return;
        // Pixel art grows by whole copies of its pixels, never blurred.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (image_.stretch())
            painter.drawImage(rect(), picture);
        else
            painter.drawImage(QRectF(QPointF(0, 0), QSizeF(picture.size()) * zoomOf(image_)),
                              picture);
    }

private:
    const Image& image_;
};

// A line or a filled shape on a window or frame, painted as the surfaces paint them.
class LightweightWidget : public QWidget {
public:
    LightweightWidget(const Control& c, QWidget* parent) : QWidget(parent), control_(c) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.translate(-pos());
        painter.scale(zoomOf(control_), zoomOf(control_));
        paintLightweight(painter, control_);
    }

private:
    const Control& control_;
};

// A push button that Enter presses as well as Space, as on every desktop.
class PushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (!enter || event->modifiers() & ~Qt::KeypadModifier) {
            QPushButton::keyPressEvent(event);
            return;
        }
        if (!event->isAutoRepeat()) click();
    }
};

// A drop-down list on which Enter, while the list is closed, does what the form binds to it
// (a dialog's OK), as it does on the text boxes beside it.
class ListWidget : public QComboBox {
public:
    ListWidget(Runtime& runtime, Control& control, QWidget* parent, std::function<void()> after)
        : QComboBox(parent), runtime_(runtime), control_(control), after_(std::move(after)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && runtime_.keyPress(control_, Key::Enter)) {
            after_();
            return;
        }
        QComboBox::keyPressEvent(event);
    }

private:
    Runtime& runtime_;
    Control& control_;
    std::function<void()> after_;
};

// A check box or option button never changes itself: a click asks the form, and what the form
// then holds is what is drawn, also when the click changed nothing.
template <class Button>
class ModelButton : public Button {
public:
    using Button::Button;

protected:
    void nextCheckState() override {}
};

// An option button is one tab stop with its group; the arrow keys select the next or the
// previous option of the group, as they do on the toolkits the game comes from.
class OptionWidget : public ModelButton<QRadioButton> {
public:
    using ModelButton::ModelButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        int step = 0;
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            step = -1;
            break;
        case Qt::Key_Down:
        case Qt::Key_Right:
            step = 1;
            break;
        default:
            QRadioButton::keyPressEvent(event);
            return;
        }
        const std::vector<QAbstractButton*> group = groupOf(this);
        const auto at = std::find(group.begin(), group.end(), this) - group.begin();
        const auto n = static_cast<std::ptrdiff_t>(group.size());
        for (std::ptrdiff_t i = 1; i < n; ++i) {
            QAbstractButton* next = group[static_cast<std::size_t>((at + step * i + n) % n)];
            if (!next->isEnabled() || !next->isVisible()) continue;
            next->setFocus(Qt::TabFocusReason);
            next->click();
            return;
        }
    }

private:
    // The option buttons of one container, in the order they were placed.
    static std::vector<QAbstractButton*> groupOf(QWidget* option) {
        std::vector<QAbstractButton*> group;
        for (QObject* sibling : option->parentWidget()->children())
            if (auto* w = dynamic_cast<OptionWidget*>(sibling)) group.push_back(w);
        return group;
    }
};

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// A frame as form designers draw it: an etched border whose top line runs through the middle
// of the caption, so the controls inside keep the places given in twips from its corner.
class FrameWidget : public QWidget {
public:
    explicit FrameWidget(QWidget* parent, const Control& control)
        : QWidget(parent), control_(control) {}

    void setCaption(const QString& caption) {
        caption_ = caption;
        setAccessibleName(caption);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int lineY = metrics.height() / 2;
        const QColor dark = palette().color(QPalette::Window).darker(160);
        // The etched lines are a pixel of the designed layout wide, so they grow with the zoom.
        const double zoom = zoomOf(control_);
        const int px = std::max(1, qRound(zoom));
        const QRect box = rect().adjusted(0, lineY, 0, 0);
        auto outline = [&](QRect r, const QColor& colour) {
            painter.fillRect(r.left(), r.top(), r.width(), px, colour);
            painter.fillRect(r.left(), r.top(), px, r.height(), colour);
            painter.fillRect(r.left(), r.bottom() - px + 1, r.width(), px, colour);
            painter.fillRect(r.right() - px + 1, r.top(), px, r.height(), colour);
        };
        outline(box.adjusted(0, 0, -px, -px), dark);
        outline(box.adjusted(px, px, 0, 0), Qt::white);
        if (caption_.isEmpty()) return;
        const QRect label(qRound(7 * zoom), 0,
                          metrics.horizontalAdvance(caption_) + qRound(4 * zoom), metrics.height());
        painter.fillRect(label, palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(label, Qt::AlignCenter, caption_);
    }

private:
    const Control& control_;
    QString caption_;
};

Qt::Alignment alignmentOf(Alignment a) {
    switch (a) {
    case Alignment::Center:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// The control's own colours for its face and text. A check box or option button keeps a
// white indicator with a black mark inside, so that it reads on any face.
void setColors(QWidget* w, Color back, Color fore, bool indicator = false) {
    w->setAutoFillBackground(true);
    const QColor backColor = toQColor(back), foreColor = toQColor(fore);
    QPalette p = w->palette();
    for (auto role : {QPalette::Window, QPalette::Button})
        p.setColor(role, backColor);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText})
        p.setColor(role, foreColor);
    p.setColor(QPalette::Base, indicator ? QColor(Qt::white) : backColor);
    p.setColor(QPalette::Text, indicator ? QColor(Qt::black) : foreColor);
    // A control that cannot be used says so with grey words, as on every desktop.
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        p.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    if (p != w->palette()) w->setPalette(p); // a new palette costs more than the comparison
}

} // namespace

QWidget* createControlWidget(Runtime& runtime, Control& c, QWidget* parent,
                             std::function<void()> afterEvent) {
    QWidget* w = nullptr;
    switch (c.kind()) {
    case ControlKind::Label: {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        w = label;
        break;
    }
    case ControlKind::Button:
        w = new PushButton(parent);
        break;
    case ControlKind::CheckBox:
        w = new ModelButton<QCheckBox>(parent);
        break;
    case ControlKind::OptionButton: {
        // The forms keep the group's selection; the widgets only show it.
        auto* option = new OptionWidget(parent);
        option->setAutoExclusive(false);
        w = option;
        break;
    }
    case ControlKind::Frame:
        w = new FrameWidget(parent, c);
        break;
    case ControlKind::Image: {
        auto* image = new ImageWidget(static_cast<Image&>(c), parent);
        if (!c.hasClickHandler()) image->setAttribute(Qt::WA_TransparentForMouseEvents);
        w = image;
        break;
    }
    case ControlKind::Line:
    case ControlKind::Shape:
        w = new LightweightWidget(c, parent);
        break;
    case ControlKind::PictureBox: {
        auto& box = static_cast<PictureBox&>(c);
        w = new SurfaceWidget(runtime, c.form(), box, &box, parent);
        break;
    }
    case ControlKind::Grid:
        w = new GridWidget(runtime, static_cast<Grid&>(c), parent, afterEvent);
        break;
    case ControlKind::Chart:
        w = new ChartWidget(static_cast<Chart&>(c), parent);
        break;
    case ControlKind::TextBox: {
        auto& box = static_cast<TextBox&>(c);
        auto* edit = new QLineEdit(parent);
        // Typing goes straight into the model: a handler reading the box sees what is shown.
        QObject::connect(edit, &QLineEdit::textEdited, edit,
                         [&runtime, &box, afterEvent](const QString& typed) {
                             runtime.type(box, typed.toStdString());
                             afterEvent();
                         });
        QObject::connect(edit, &QLineEdit::returnPressed, edit, [&runtime, &box, afterEvent] {
            if (runtime.keyPress(box, Key::Enter)) afterEvent();
        });
        w = edit;
        break;
    }
    case ControlKind::ComboBox: {
        auto& list = static_cast<ComboBox&>(c);
        auto* combo = new ListWidget(runtime, c, parent, afterEvent);
        QObject::connect(combo, &QComboBox::activated, combo,
                         [&runtime, &list, afterEvent](int index) {
                             runtime.choose(list, index);
                             afterEvent();
                         });
        w = combo;
        break;
    }
    case ControlKind::Timer:
    case ControlKind::Multimedia:
        return nullptr;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [&runtime, &c, afterEvent = std::move(afterEvent)] {
                             runtime.click(c);
                             afterEvent();
                         });
    }
    w->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(&c)));
    w->setObjectName(text(c.qualifiedName()));
    syncControlWidget(c, w);
    return w;
}

Control* controlOf(const QWidget* widget) {
    if (!widget) return nullptr;
    return static_cast<Control*>(widget->property(kControlProperty).value<void*>());
}

void forgetControls(QWidget* window) {
    for (QWidget* w : window->findChildren<QWidget*>())
        w->setProperty(kControlProperty, QVariant());
}

void syncControlWidget(const Control& c, QWidget* w) {
    w->setGeometry(zoomedRect(designedArea(c), zoomOf(c)));
    // Only what changed is set: each setter costs events and, for names, accessibility updates.
    w->setEnabled(c.enabled());
    if (const QFont font = toQFont(c.font(), zoomOf(c)); w->font() != font) w->setFont(font);
    if (const QString tip = text(c.toolTip); w->toolTip() != tip) w->setToolTip(tip);
    if (const QString name = text(c.accessibleName); w->accessibleName() != name)
        w->setAccessibleName(name);
    if (const QString about = text(c.accessibleDescription); w->accessibleDescription() != about)
        w->setAccessibleDescription(about);

    switch (c.kind()) {
    case ControlKind::Label: {
        const auto& label = static_cast<const Label&>(c);
        auto* q = static_cast<QLabel*>(w);
        q->setText(text(label.caption()));
        q->setAlignment(alignmentOf(label.alignment()) | Qt::AlignTop);
        q->setFrameStyle(label.border() ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
        setColors(w, c.backColor(), c.foreColor());
        break;
    }
    case ControlKind::Button:
        static_cast<QPushButton*>(w)->setText(text(c.caption()));
        setColors(w, c.backColor(), c.foreColor());
        break;
    case ControlKind::CheckBox:
        static_cast<QCheckBox*>(w)->setText(text(c.caption()));
        static_cast<QCheckBox*>(w)->setChecked(static_cast<const CheckBox&>(c).value() != 0);
        setColors(w, c.backColor(), c.foreColor(), true);
        break;
    case ControlKind::OptionButton: {
        const bool selected = static_cast<const OptionButton&>(c).value();
        static_cast<QRadioButton*>(w)->setText(text(c.caption()));
        static_cast<QRadioButton*>(w)->setChecked(selected);
        // Tab reaches a group at its selected option; a click still gives any of them the focus.
        w->setFocusPolicy(selected ? Qt::StrongFocus : Qt::ClickFocus);
        setColors(w, c.backColor(), c.foreColor(), true);
        break;
    }
    case ControlKind::Frame:
        static_cast<FrameWidget*>(w)->setCaption(text(c.caption()));
        setColors(w, c.backColor(), c.foreColor());
        break;
    case ControlKind::TextBox: {
        const auto& box = static_cast<const TextBox&>(c);
        auto* edit = static_cast<QLineEdit*>(w);
        const auto mode = box.passwordChar().empty() ? QLineEdit::Normal : QLineEdit::Password;
        if (edit->echoMode() != mode) edit->setEchoMode(mode);
        // Setting the same text again would move the cursor to the end while the user types.
        if (const QString shown = text(box.text()); edit->text() != shown) edit->setText(shown);
        break;
    }
    case ControlKind::ComboBox: {
        const auto& list = static_cast<const ComboBox&>(c);
        auto* combo = static_cast<QComboBox*>(w);
        QStringList items;
        for (const auto& item : list.items())
            items << text(item);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        if (shown != items) {
            combo->clear();
            combo->addItems(items);
        }
        combo->setCurrentIndex(list.listIndex());
        break;
    }
    case ControlKind::Grid:
        static_cast<GridWidget*>(w)->sync();
        break;
    case ControlKind::Chart:
        static_cast<ChartWidget*>(w)->sync();
        break;
    default:
        w->update();
        break;
    }
    w->setVisible(c.visible());
}

} // namespace ui::qt
