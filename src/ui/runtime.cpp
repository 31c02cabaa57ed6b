// SPDX-License-Identifier: MIT
#include "runtime.h"

#include "controls.h"
#include "form.h"
#include "grid.h"
#include "menu.h"

#include <algorithm>

namespace ui {

Runtime::Runtime(Host& host, std::string title) : host_(host), title_(std::move(title)) {}

Runtime::~Runtime() = default;

template <class F>
void Runtime::notify(F&& f) {
    // An observer may remove itself while being told something.
    const auto observers = observers_;
    for (auto* o : observers)
        f(*o);
}

template <class F>
void Runtime::dispatch(Form* from, F&& handler) {
    if (ended_) return;
    ++dispatchDepth_;
    struct Leave {
        Runtime& rt;
        Form* previous;
        ~Leave() {
            rt.eventForm_ = previous;
            if (--rt.dispatchDepth_ == 0) rt.unloaded_.clear();
        }
    } leave{*this, eventForm_};
    eventForm_ = from;
    handler();
}

void Runtime::load(Form& form, std::function<std::unique_ptr<Form>()> release) {
    forms_.push_back(&form);
    releasers_.push_back(std::move(release));
    notify([&](RuntimeObserver& o) { o.formLoaded(form); });
}

void Runtime::unload(Form& form) {
    auto it = std::find(forms_.begin(), forms_.end(), &form);
    if (it == forms_.end()) return;
    if (form.onUnload) form.onUnload();
    it = std::find(forms_.begin(), forms_.end(), &form);
    if (it == forms_.end()) return; // its own handler unloaded it already
    notify([&](RuntimeObserver& o) { o.formUnloading(form); });
    if (activeForm_ == &form) activeForm_ = nullptr;
    const auto at = static_cast<std::size_t>(it - forms_.begin());
    auto release = std::move(releasers_[at]);
    forms_.erase(it);
    releasers_.erase(releasers_.begin() + static_cast<std::ptrdiff_t>(at));
    // The window's own handler may be running; it is destroyed when the event is over.
    unloaded_.push_back(release());
    if (dispatchDepth_ == 0) unloaded_.clear();
}

void Runtime::discard(Form& form) {
    auto it = std::find(forms_.begin(), forms_.end(), &form);
    if (it == forms_.end()) return;
    notify([&](RuntimeObserver& o) { o.formUnloading(form); });
    if (activeForm_ == &form) activeForm_ = nullptr;
    releasers_.erase(releasers_.begin() + (it - forms_.begin()));
    forms_.erase(it);
}

Form* Runtime::findForm(std::string_view name) const {
    for (auto* f : forms_)
        if (f->name() == name) return f;
    return nullptr;
}

void Runtime::click(Control& control) {
    if (modalOpen() || !control.enabled()) return;
    dispatch(&control.form(), [&] { control.userClick(); });
}

void Runtime::select(Grid& grid, int row) {
    if (modalOpen() || !grid.enabled()) return;
    dispatch(&grid.form(), [&] { grid.select(row); });
}

void Runtime::choose(ComboBox& list, int index) {
    if (modalOpen() || !list.enabled()) return;
    dispatch(&list.form(), [&] { list.setListIndex(index); });
}

void Runtime::type(TextBox& box, std::string text) {
    if (modalOpen() || !box.enabled()) return;
    dispatch(&box.form(), [&] { box.userType(std::move(text)); });
}

void Runtime::menu(MenuItem& item) {
    if (modalOpen() || !item.enabled || !item.visible) return;
    dispatch(nullptr, [&] {
        if (item.onClick) item.onClick();
    });
}

void Runtime::setZoom(int percent) {
    if (percent == zoom_) return;
    zoom_ = percent;
    notify([](RuntimeObserver& o) { o.zoomChanged(); });
}

void Runtime::screenChanged() {
    // Also under a message box: refitting runs no game code, and a screen change is not
    // told twice.
    dispatch(nullptr, [&] {
        if (onScreenChanged) onScreenChanged();
    });
}

void Runtime::tick(Timer& timer) {
    if (modalOpen() || !timer.enabled()) return;
    dispatch(&timer.form(), [&] {
        if (timer.onTick) timer.onTick();
    });
}

void Runtime::closeRequest(Form& form) {
    if (modalOpen()) return;
    dispatch(&form, [&] {
        if (form.onCloseRequest)
            form.onCloseRequest();
        else
            form.unload();
    });
}

void Runtime::clickForm(Form& form) {
    if (modalOpen()) return;
    dispatch(&form, [&] {
        if (form.onClick) form.onClick();
    });
}

bool Runtime::keyPress(Control& focused, Key key) {
    for (const auto& binding : focused.keyClicks) {
        if (binding.key != key) continue;
        click(*binding.target);
        return true;
    }
    return false;
}

std::int32_t Runtime::helpTopicFor(const Form& form, const Control* focused) {
    for (auto* c = focused; c; c = c->parent())
        if (c->helpContextId) return c->helpContextId;
    return form.helpContextId;
}

void Runtime::helpKey(Form& form, Control* focused) {
    if (modalOpen()) return;
    const auto topic = helpTopicFor(form, focused);
    if (topic == 0 || !onContextHelp) return;
    dispatch(&form, [&] { onContextHelp(topic); });
}

int Runtime::messageBox(const std::string& prompt, int buttons, const std::string& title) {
    ++modalDepth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{modalDepth_};
    return host_.messageBox(prompt, buttons, title.empty() ? title_ : title);
}

std::optional<std::string> Runtime::saveFileName(const std::string& title,
                                                 const std::string& suggested,
                                                 const std::string& filter) {
    ++modalDepth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{modalDepth_};
    return host_.saveFileName(title, suggested, filter);
}

void Runtime::randomize() {
    random_.seedFromClock(clock());
}

float Runtime::rnd() {
    if (auto scripted = host_.scriptedRandom()) return *scripted;
    return random_.next();
}

void Runtime::end() {
    if (ended_) return;
    ended_ = true;
    notify([](RuntimeObserver& o) { o.programEnded(); });
    host_.endProgram();
}

void Runtime::addObserver(RuntimeObserver* observer) {
    observers_.push_back(observer);
}

void Runtime::removeObserver(RuntimeObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Runtime::formShown(Form& form) {
    notify([&](RuntimeObserver& o) { o.formShown(form); });
}

void Runtime::formHidden(Form& form) {
    notify([&](RuntimeObserver& o) { o.formHidden(form); });
}

void Runtime::formRaised(Form& form) {
    notify([&](RuntimeObserver& o) { o.formRaised(form); });
}

void Runtime::modelChanged() {
    for (auto* o : observers_)
        o->modelChanged();
}

} // namespace ui
