// SPDX-License-Identifier: MIT
#include "qt_host.h"

#include "form_window.h"
#include "help_channel/help_protocol.h"
#include "painting.h"
#include "player_settings.h"
#include "program_folder.h"
#include "renderer.h"
#include "ui/form.h"
#include "ui/zoom.h"

#include <cmath>
#include <cstdio>
#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QTime>

namespace ui::qt {

namespace {

// A box is as large as the windows it speaks for: its text, and its icon, which the style gives
// at its own size, drawn from the largest picture the style has of it.
void zoomBox(QMessageBox& box, double zoom) {
    box.setFont(zoomedFont(QApplication::font("QMessageBox"), zoom));
    if (zoom == 1.0 || box.icon() == QMessageBox::NoIcon) return;
    const QStyle::StandardPixmap kind =
        box.icon() == QMessageBox::Information ? QStyle::SP_MessageBoxInformation
        : box.icon() == QMessageBox::Warning   ? QStyle::SP_MessageBoxWarning
        : box.icon() == QMessageBox::Critical  ? QStyle::SP_MessageBoxCritical
                                               : QStyle::SP_MessageBoxQuestion;
    const QIcon icon = box.style()->standardIcon(kind, nullptr, &box);
    const QSize side = (box.iconPixmap().deviceIndependentSize() * zoom).toSize();
    const qreal ratio = box.devicePixelRatioF();
    QSize largest;
    for (const QSize& s : icon.availableSizes())
        if (s.width() > largest.width()) largest = s;
    QPixmap pixmap = icon.pixmap(largest.isValid() ? largest : side * ratio)
                         .scaled(side * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    pixmap.setDevicePixelRatio(ratio);
    box.setIconPixmap(pixmap);
}

} // namespace

QtHost::QtHost(const QString& programFolder)
    : programFolder_(programFolder.isEmpty() ? executableFolder() : gamePath(programFolder)),
      help_(helpViewerIn(programFolder_),
            [this](const QString& message) { tellHelpTrouble(message); }) {}
QtHost::~QtHost() = default;

void QtHost::setRenderer(Renderer* renderer) {
    renderer_ = renderer;
    if (!renderer_) return;
    // An open help viewer follows the game's zoom.
    renderer_->zoomed = [this] {
        if (!helpShown_.isEmpty())
            help_.tellZoom(helpShown_, static_cast<int>(std::lround(zoom() * 100)));
    };
}

int QtHost::messageBox(const std::string& prompt, int buttons, const std::string& title) {
    // The windows show everything the handler did before the box appears.
    if (renderer_) renderer_->syncNow();
    QWidget* owner = dialogOwner();
    QString text = QString::fromStdString(prompt);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(owner);
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setIcon((buttons & 0x70) == msgbox::information ? QMessageBox::Information
                                                        : QMessageBox::NoIcon);
    if (renderer_) zoomBox(box, zoom());
    const int kind = buttons & 0xf;
    const QMessageBox::StandardButton first =
        kind == msgbox::retryCancel ? QMessageBox::Retry : QMessageBox::Ok;
    if (kind == msgbox::okCancel || kind == msgbox::retryCancel) {
        box.setStandardButtons(first | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    const bool second = (buttons & msgbox::defaultSecond) && kind != msgbox::okOnly;
    box.setDefaultButton(second ? QMessageBox::Cancel : first);
    const int chosen = box.exec();
    if (chosen == QMessageBox::Cancel) return msgbox::cancel;
    return chosen == QMessageBox::Retry ? msgbox::retry : msgbox::ok;
}

double QtHost::zoom() const {
    return renderer_ ? renderer_->runtime().zoom() / 100.0 : 1.0;
}

QWidget* QtHost::dialogOwner() const {
    // Over the window whose event asked, so a question from the logbook stands over the
    // logbook; the main window's own boxes, its timer's among them, stay over the main window.
    if (!renderer_) return nullptr;
    const Form* asking = renderer_->runtime().eventForm();
    if (asking && asking->visible() && asking->style() != WindowStyle::Main &&
        asking->style() != WindowStyle::Note)
        if (const FormWindow* window = renderer_->windowOf(*asking)) return window->window();
    return renderer_->mainWidget();
}

std::optional<std::string> QtHost::saveFileName(const std::string& title,
                                                const std::string& suggested,
                                                const std::string& filter) {
    if (renderer_) renderer_->syncNow();
    const QString start = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                              .filePath(QString::fromStdString(suggested));
    const QString kind = QString::fromStdString(filter);
    QFileDialog dialog(dialogOwner(), QString::fromStdString(title), start, kind);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an extension takes the filter's, "*.csv", before the dialog asks
    // whether to replace a file of that name: the one that will be written over.
    static const QRegularExpression extension(QStringLiteral(R"(\*\.(\w+))"));
    if (const auto found = extension.match(kind); found.hasMatch())
        dialog.setDefaultSuffix(found.captured(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

const QFontMetrics& QtHost::metrics(const Font& font) {
    const auto key = std::make_tuple(font.family, font.pixelSize(), font.bold, font.italic);
    auto it = metrics_.find(key);
    if (it == metrics_.end()) it = metrics_.emplace(key, QFontMetrics(toQFont(font))).first;
    return it->second;
}

double QtHost::textWidth(const Font& font, std::string_view line) {
    return metrics(font).horizontalAdvance(
        QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
}

double QtHost::lineHeight(const Font& font) {
    return metrics(font).height();
}

FrameMargins QtHost::frameMargins(const Form& form) {
    // The game sees the screen at its designed size: the frame, which does not zoom, counts
    // for less as the windows grow.
    const FrameMargins real = screenFrameMargins(form);
    auto designed = [zoom = zoom()](int pixels) {
        return static_cast<int>(std::lround(pixels / zoom));
    };
    return {designed(real.left), designed(real.top), designed(real.right), designed(real.bottom)};
}

double QtHost::largestZoom(const Form& form) {
    const FormWindow* window = renderer_ ? renderer_->windowOf(form) : nullptr;
    const QMainWindow* top = window ? window->window() : nullptr;
    QScreen* screen = top ? top->screen() : QGuiApplication::primaryScreen();
    if (!screen) return 1.0;
    const QRect area = screen->availableGeometry();
    // The menu bar grows with the window; the frame the desktop draws around it does not.
    FrameMargins frame = screenFrameMargins(form);
    const bool framed = top && top->isVisible() && top->frameGeometry() != top->geometry();
    const int menu = framed ? (top->menuWidget() ? top->menuWidget()->height() : 0)
                            : frame.top - usualFrameMargins(WindowStyle::Dialog).top;
    frame.top -= menu;
    const double designedMenu = std::ceil(menu / zoom()) + 1; // a pixel for the font's rounding
    return largestZoomFor({form.pixelWidth(), form.pixelHeight() + designedMenu}, frame,
                          {double(area.width()), double(area.height())});
}

std::optional<std::string> QtHost::setting(const std::string& key) {
    const QVariant value = playerSetting(QString::fromStdString(key));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toStdString();
}

void QtHost::saveSetting(const std::string& key, const std::string& value) {
    keepPlayerSetting(QString::fromStdString(key), QString::fromStdString(value));
}

FrameMargins QtHost::screenFrameMargins(const Form& form) const {
    if (form.style() == WindowStyle::Note) return {};
    FormWindow* window = renderer_ ? renderer_->windowOf(form) : nullptr;
    const QMainWindow* top = window ? window->window() : nullptr;
    const QRect outer = top ? top->frameGeometry() : QRect();
    const QRect inner = top ? top->geometry() : QRect();
    // The window manager tells the frame some time after the window is shown.
    if (top && top->isVisible() && outer != inner) {
        const int menu = top->menuWidget() ? top->menuWidget()->height() : 0;
        return {inner.left() - outer.left(), inner.top() - outer.top() + menu,
                outer.right() - inner.right(), outer.bottom() - inner.bottom()};
    }
    // Until then, or without a window manager: a usual frame.
    return usualFrameMargins(form.style());
}

double QtHost::clockSeconds() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

std::int64_t QtHost::utcSeconds() {
    return QDateTime::currentSecsSinceEpoch();
}

namespace {

Q_LOGGING_CATEGORY(logbookLog, "vantrel.logbook")
Q_LOGGING_CATEGORY(otherLog, "vantrel")

} // namespace

void QtHost::diagnostic(const std::string& topic, const std::string& text) {
    const QString line = QString::fromStdString(text);
    if (topic == "logbook")
        qCWarning(logbookLog).noquote() << line;
    else
        qCWarning(otherLog).noquote() << QString::fromStdString(topic) + ": " + line;
}

std::string QtHost::appPath() {
    return programFolder_;
}

void QtHost::endProgram() {
    // Queued, so that it also ends a program whose event loop has not started yet.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

std::int32_t QtHost::winHelp(std::int32_t, const std::string& helpFile, std::int32_t command,
                             std::int32_t data) {
    // The viewer is started and reached through Qt, which cannot name every folder.
    const std::optional<QString> file = qtFileName(helpFile);
    if (!file || !qtFileName(programFolder_)) {
        if (command != help::kClose) sayHelpFolderUnusable();
        return 0;
    }
    // The viewer opens beside the game's window, on its screen, its text as large as the game's.
    std::optional<QRect> beside;
    QWidget* main = renderer_ ? renderer_->mainWidget() : nullptr;
    if (main && main->window()->isVisible()) beside = main->window()->frameGeometry();
    const std::int32_t reached =
        help_.call(*file, command, data, beside, static_cast<int>(std::lround(zoom() * 100)));
    if (command == help::kClose)
        helpShown_.clear();
    else if (reached)
        helpShown_ = *file;
    return reached;
}

void QtHost::sayHelpFolderUnusable() {
    if (saidHelpFolderUnusable_) return;
    saidHelpFolderUnusable_ = true;
    std::fprintf(stderr,
                 "vantrel: help cannot be shown from the folder %s, as its name is not valid "
                 "UTF-8. Move the game to a folder with a plain name.\n",
                 programFolder_.c_str());
    messageBox("Help cannot be shown from this folder, as its name is not valid UTF-8:\r\n" +
                   QFile::decodeName(QByteArray::fromStdString(programFolder_)).toStdString() +
                   "\r\n\r\nMove the game to a folder with a plain name.",
               msgbox::ok, "Vantrel");
}

void QtHost::tellHelpTrouble(const QString& message) {
    // Not modal: the game goes on while the note is up.
    QWidget* owner = renderer_ ? renderer_->mainWidget() : nullptr;
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Vantrel"), message,
                                QMessageBox::Ok, owner ? owner->window() : nullptr);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->setTextFormat(Qt::PlainText);
    if (renderer_) zoomBox(*box, zoom());
    box->show();
}

void QtHost::multimediaFileName(const std::string&) {}

void QtHost::multimediaCommand(const std::string& command, const std::string& path) {
    if (command == "Open") sound_.open(path);
}

void QtHost::multimediaLoop(const std::string& path, float loudness) {
    sound_.loop(path, loudness);
}

bool QtHost::savePicture(const Form& form, const Control& control, const std::string& path) {
    if (!renderer_) return false;
    renderer_->syncNow();
    FormWindow* window = renderer_->windowOf(form);
    QWidget* widget = window ? window->widgetOf(control) : nullptr;
    if (!widget) return false;
    const QImage image = widget->grab().toImage();
    // Into a file beside it first, which takes the name only when whole.
    QSaveFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

} // namespace ui::qt
