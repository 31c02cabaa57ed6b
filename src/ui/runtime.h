// SPDX-License-Identifier: MIT
#pragma once

#include "host.h"
#include "key.h"
#include "random.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Control;
class Form;
class Grid;
class ComboBox;
class TextBox;
class Timer;
struct MenuItem;

// Told about what happens to the forms, so a renderer or a recorder can follow them.
class RuntimeObserver {
public:
    virtual ~RuntimeObserver() = default;
    virtual void formLoaded(Form&) {}
    virtual void formUnloading(Form&) {}
    virtual void formShown(Form&) {}
    virtual void formHidden(Form&) {}
    virtual void formRaised(Form&) {}
    virtual void modelChanged() {}
    virtual void zoomChanged() {}
    virtual void programEnded() {}
};

// The forms runtime: the windows in being, the delivery of events to their handlers one at a
// time, and the services of the program (message boxes, clock, random numbers, ending).
class Runtime {
public:
    explicit Runtime(Host& host, std::string title = "Vantrel");
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;
    ~Runtime();

    Host& host() const { return host_; }
    const std::string& title() const { return title_; }

    // The program's folder and the help file the help calls name.
    std::string appPath() const { return host_.appPath(); }
    std::string helpFile;

    // Windows. A loaded window is owned by whoever created it; `release` hands it over when it
    // is unloaded, so that it is destroyed once the event being handled has finished.
    void load(Form& form, std::function<std::unique_ptr<Form>()> release);
    void unload(Form& form);
    // The window's owner is destroying it: observers are told, no handler runs.
    void discard(Form& form);
    const std::vector<Form*>& forms() const { return forms_; }
    Form* findForm(std::string_view name) const;

    // Events, each run to completion. None is delivered after the program has ended, no click
    // and no tick while a message box is open (ticks are dropped, not queued), and no click on
    // a disabled control.
    void click(Control& control);
    // The user selects a row of a grid (-1: none); its click event follows, as for a click.
    void select(Grid& grid, int row);
    // The user chooses an entry of a drop-down list; its click event follows when it changed.
    void choose(ComboBox& list, int index);
    // The user changes the text of a box; its change event follows.
    void type(TextBox& box, std::string text);
    void menu(MenuItem& item);
    void tick(Timer& timer);
    void closeRequest(Form& form);
    void clickForm(Form& form);
    // A key pressed while `focused` has the focus; false when the control has no use for it.
    bool keyPress(Control& focused, Key key);
    // F1: the topic of the focused control, or of the nearest frame or window holding it that
    // has one; nothing when none has.
    void helpKey(Form& form, Control* focused);
    std::function<void(std::int32_t topic)> onContextHelp;
    static std::int32_t helpTopicFor(const Form& form, const Control* focused);

    // A modal message box; an empty title means the program's title.
    int messageBox(const std::string& prompt, int buttons = msgbox::okOnly,
                   const std::string& title = {});
    bool modalOpen() const { return modalDepth_ > 0; }
    // The window whose event is being handled (null for a menu or between events): its message
    // boxes and dialogs belong over it.
    Form* eventForm() const { return eventForm_; }
    // A modal dialog asking where to save a file; nothing when the user cancels.
    std::optional<std::string> saveFileName(const std::string& title, const std::string& suggested,
                                            const std::string& filter);

    // How large every window is drawn, in percent of its designed size. Only the drawing
    // changes: positions, sizes and units stay those of the designed layout.
    int zoom() const { return zoom_; }
    void setZoom(int percent);
    // The main window went to another screen, or its screen changed size.
    void screenChanged();
    std::function<void()> onScreenChanged;
    // The window the player works in, as the desktop tells it: null while none of the
    // program's windows is active. An unloaded window is active no more.
    Form* activeForm() const { return activeForm_; }
    void windowActivated(Form* form) { activeForm_ = form; }

    double clock() const { return host_.clockSeconds(); }
    void randomize();
    float rnd();

    // Ends the program: every window closes and no further handler runs.
    void end();
    bool ended() const { return ended_; }

    void addObserver(RuntimeObserver* observer);
    void removeObserver(RuntimeObserver* observer);

    // Called by the forms.
    std::int32_t newHandle() { return ++lastHandle_; }
    void formShown(Form& form);
    void formHidden(Form& form);
    void formRaised(Form& form);
    void modelChanged();

private:
    template <class F>
    void dispatch(Form* from, F&& handler);
    template <class F>
    void notify(F&& f);

    Host& host_;
    std::string title_;
    std::vector<Form*> forms_;
    std::vector<std::function<std::unique_ptr<Form>()>> releasers_;
    std::vector<std::unique_ptr<Form>> unloaded_;
    std::vector<RuntimeObserver*> observers_;
    UniformRandom random_;
    std::int32_t lastHandle_ = 0x10000;
    int dispatchDepth_ = 0;
    int modalDepth_ = 0;
    int zoom_ = 100;
    Form* eventForm_ = nullptr;
    Form* activeForm_ = nullptr;
    bool ended_ = false;
};

} // namespace ui
