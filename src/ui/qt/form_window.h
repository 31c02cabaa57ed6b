// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <QMainWindow>
#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QTimer>
#include <utility>
#include <vector>

namespace ui {
class Control;
class Form;
class Runtime;
class Timer;
struct MenuItem;
} // namespace ui

namespace ui::qt {

class SurfaceWidget;

// The real window of one form: a top-level window whose client area is the form's surface,
// with a widget for every control placed on it, its menu bar and its timers.
class FormWindow {
public:
    FormWindow(Runtime& runtime, Form& form, QWidget* owner, std::function<void()> afterEvent);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    Form& form() const { return form_; }
    QMainWindow* window() const { return window_.data(); }
    SurfaceWidget* client() const { return client_; }
    QWidget* widgetOf(const Control& control) const;

    // Brings every widget whose control changed into line with it.
    void sync();
    void show();
    void hide();
    void raise();
    // The window is going away: it stops ticking and disappears at once.
    void retire();

    // For a window that belongs to another (a note): it hides while its owner is minimised,
    // shows again with it, and moves by as much as its owner moves, in twips of the screen.
    void matchOwnerState();
    void followOwner(double leftTwips, double topTwips);

    // Every window is drawn at a new zoom: its widgets are laid out afresh.
    void zoomChanged();
    // Keeps the window's place on the screen for the next run.
    void rememberPlace();

    // Told when this window is minimised or restored, and by how many twips it moved.
    std::function<void()> ownerStateChanged;
    std::function<void(double leftTwips, double topTwips)> ownerMoved;

private:
    struct View {
        Control* control;
        QWidget* widget;
        std::uint64_t revision;
    };
    struct Ticker {
        Timer* timer;
        QPointer<QTimer> qtimer; // a child of the window, so it may go before us
    };
    class TopLevel;

    void buildControls();
    void buildMenus();
    void addMenuItems(QMenu* menu, std::vector<MenuItem>& items);
    void syncMenus();
    void zoomMenus();
    void syncWindow();
    // The window's name and what is printed on it, for a screen reader.
    void syncAccessibleText();
    // F1 asks for help on the focused control, Escape clicks the form's cancel button.
    void buildShortcuts();
    bool ownerMinimised() const;
    // Screen pixels at the zoom from twips of the designed layout, and back.
    int screenPixels(double twips) const;
    void takePlaceFromScreen();
    void keepOnScreen();
    QScreen* screenOfOwner() const;
    void fitZoomToScreen();
    void placeBesideOwner();
    std::optional<QPoint> rememberedPlace() const;

    Runtime& runtime_;
    Form& form_;
    std::function<void()> afterEvent_;
    QPointer<QWidget> owner_; // the main window, which the others stand beside
    QPointer<QMainWindow> window_;
    SurfaceWidget* client_ = nullptr;
    std::vector<View> views_;
    struct Painted {
        Control* control;
        QWidget* surface; // the surface that draws it
        std::uint64_t revision;
        QRect area; // where it was drawn last, in the surface's pixels
    };
    std::vector<Painted> painted_;
    std::vector<Ticker> tickers_;
    std::vector<std::pair<const MenuItem*, QAction*>> actions_;
    std::uint64_t seenRevision_ = 0;
    std::uint64_t seenDrawing_ = 0;
    double placedLeft_ = 0, placedTop_ = 0;
    double sizedWidth_ = -1, sizedHeight_ = -1;
    bool everShown_ = false;
    bool watchingScreen_ = false;
};

} // namespace ui::qt
