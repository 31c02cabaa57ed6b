// SPDX-License-Identifier: MIT
#pragma once

#include "form.h"
#include "runtime.h"

#include <functional>
#include <memory>

namespace ui {

// Where one window of the program lives. Referring to the window creates it, hidden, when it
// does not exist; unloading it empties the slot, so the next reference creates it afresh.
template <class W>
class WindowSlot {
public:
    WindowSlot(Runtime& runtime, std::function<std::unique_ptr<W>(Runtime&)> make)
        : runtime_(runtime), make_(std::move(make)) {}

    WindowSlot(const WindowSlot&) = delete;
    WindowSlot& operator=(const WindowSlot&) = delete;
    ~WindowSlot() {
        if (window_) runtime_.discard(*window_);
    }

    W& operator*() { return get(); }
    W* operator->() { return &get(); }

    W& get() {
        if (!window_) {
            window_ = make_(runtime_);
            runtime_.load(*window_, [this] { return std::unique_ptr<Form>(std::move(window_)); });
        }
        return *window_;
    }

    // The window when it exists; never creates it.
    W* existing() const { return window_.get(); }

private:
    Runtime& runtime_;
    std::function<std::unique_ptr<W>(Runtime&)> make_;
    std::unique_ptr<W> window_;
};

} // namespace ui
