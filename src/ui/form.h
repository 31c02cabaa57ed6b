// SPDX-License-Identifier: MIT
#pragma once

#include "canvas.h"
#include "control.h"
#include "menu.h"
#include "picture.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Runtime;

enum class WindowStyle {
    Main,   // the application window, with a menu bar
    Dialog, // a small window of its own beside the main window
    // A window of its own to work in beside the main window, which either stands in front of
    // as the player chooses
    Companion,
    Note, // a frameless note that belongs to the main window
};

// A usual frame for the style, for a host that cannot measure the real one.
struct FrameMargins;
FrameMargins usualFrameMargins(WindowStyle style);

// A window: its controls, menus and handlers, and its own drawing surface. Its position and
// outer size are in screen twips; the controls on it are placed in twips from the top-left
// corner of its client area.
class Form : public Canvas {
public:
    Form(Runtime& runtime, std::string name, WindowStyle style);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    ~Form() override;

    Runtime& runtime() const { return runtime_; }
    const std::string& name() const { return name_; }
    WindowStyle style() const { return style_; }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string text);
    Picture icon;
    Color backColor{192, 192, 192};
    Color foreColor{0, 0, 0};
    Font font;
    std::int32_t helpContextId = 0;
    // What assistive technology calls a window without a caption.
    std::string accessibleName;

    double clientWidth() const { return clientWidth_; }
    double clientHeight() const { return clientHeight_; }
    void setClientSize(double widthTwips, double heightTwips);

    double left() const { return left_; }
    double top() const { return top_; }
    double width() const;
    double height() const;
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    // Records where the window manager put the window, without raising anything.
    void movedTo(double leftTwips, double topTwips);

    bool visible() const { return visible_; }
    void show();
    void hide();
    void bringToFront();
    // Discards the window; it is created afresh the next time it is referred to.
    void unload();

    template <class T>
    T& add(std::string name, int index = -1, Control* parent = nullptr);
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    Control* find(std::string_view name, int index = -1) const;

    std::vector<Menu> menus;
    // The entry of that name at any depth of the menus; null when there is none.
    MenuItem* findMenuItem(std::string_view name);
    const MenuItem* findMenuItem(std::string_view name) const;
    // Marks a choice as in force or not, or lets it be chosen or not, and redraws the menus.
    void setMenuChecked(std::string_view name, bool checked);
    void setMenuEnabled(std::string_view name, bool enabled);
    void setMenuVisible(std::string_view name, bool visible);

    // The controls a user reaches with the Tab key, in order.
    std::vector<Control*> tabOrder;
    // The button the Escape key clicks, if any.
    Control* cancelControl = nullptr;

    // A click on the window itself, the user closing it (default: unload), and the window
    // being unloaded, however that came about.
    std::function<void()> onClick;
    std::function<void()> onCloseRequest;
    std::function<void()> onUnload;

    // A number that names this window to the platform, like a window handle.
    std::int32_t handle() const { return handle_; }

    void touch();
    std::uint64_t revision() const { return revision_; }

    double pixelWidth() const override;
    double pixelHeight() const override;

protected:
    Host& canvasHost() const override;
    const Font& canvasFont() const override { return font; }
    Color canvasForeColor() const override { return foreColor; }
    void canvasChanged() override { touch(); }

private:
    Container& containerOf(Control* parent);

    Runtime& runtime_;
    std::string name_;
    WindowStyle style_;
    std::string caption_;
    double clientWidth_ = 0, clientHeight_ = 0;
    double left_ = 0, top_ = 0;
    bool visible_ = false;
    std::int32_t handle_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::uint64_t revision_ = 0;
};

template <class T>
T& Form::add(std::string name, int index, Control* parent) {
    auto control = std::make_unique<T>(*this, containerOf(parent), parent, std::move(name), index);
    T& ref = *control;
    controls_.push_back(std::move(control));
    touch();
    return ref;
}

} // namespace ui
