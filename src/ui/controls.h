// SPDX-License-Identifier: MIT
#pragma once

#include "control.h"
#include "picture.h"

#include <string>
#include <vector>

namespace ui {

class Label : public Control {
public:
    Label(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::Label, std::move(name), index) {}

    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a);
    bool border() const { return border_; }
    void setBorder(bool single);
    // A label that sizes itself takes the size of its caption whenever the caption changes.
    void setAutoSize(bool on);
    void setCaption(std::string text) override;

private:
    void fitToCaption();

    Alignment alignment_ = Alignment::Left;
    bool border_ = false;
    bool autoSize_ = false;
};

class Button : public Control {
public:
    Button(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::Button, std::move(name), index) {}
};

// Value 0 = clear, 1 = ticked. Any change of the value raises the click event, as a user's
// click does.
class CheckBox : public Control {
public:
    CheckBox(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::CheckBox, std::move(name), index) {}

    int value() const { return value_; }
    void setValue(int v);
    void userClick() override { setValue(value_ ? 0 : 1); }

private:
    int value_ = 0;
};

// An option button is one of a group: the option buttons of one container. Selecting one clears
// the others and raises its click event; a user's click on a selected one raises it again.
class OptionButton : public Control {
public:
    OptionButton(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::OptionButton, std::move(name), index) {}

    bool value() const { return value_; }
    void setValue(bool selected);
    void userClick() override;

private:
    bool value_ = false;
};

// One line the user types into. A box with a password character shows that character in
// place of each one typed; its text then stays in the model alone, never in what is printed
// or read out.
class TextBox : public Control {
public:
    TextBox(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::TextBox, std::move(name), index) {}

    const std::string& text() const { return text_; }
    // The program's text: no event follows.
    void setText(std::string text);
    // The user's typing: the change event follows.
    void userType(std::string text);
    std::function<void()> onChange;
    const std::string& passwordChar() const { return passwordChar_; } // "" shows the text
    void setPasswordChar(std::string c);

private:
    std::string text_;
    std::string passwordChar_;
};

// A drop-down list of choices. Choosing one, by the user or the program, raises the click
// event when the choice changes.
class ComboBox : public Control {
public:
    ComboBox(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::ComboBox, std::move(name), index) {}

    const std::vector<std::string>& items() const { return items_; }
    void setItems(std::vector<std::string> items); // clears the choice
    int listIndex() const { return listIndex_; }   // -1 when none is chosen
    void setListIndex(int index);

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

class Image : public Control {
public:
    Image(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::Image, std::move(name), index) {}

    const Picture& picture() const { return picture_; }
    // Unless the image stretches its picture, it takes the picture's size.
    void setPicture(Picture picture);
    bool stretch() const { return stretch_; }
    void setStretch(bool on) { stretch_ = on; }

private:
    Picture picture_;
    bool stretch_ = false;
};

class LineControl : public Control {
public:
    LineControl(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::Line, std::move(name), index) {}

    float x1() const { return x1_; }
    float y1() const { return y1_; }
    float x2() const { return x2_; }
    float y2() const { return y2_; }
    void setX1(double v);
    void setY1(double v);
    void setX2(double v);
    void setY2(double v);
    void setEnds(double x1, double y1, double x2, double y2);
    Color color() const { return color_; }
    void setColor(Color c);
    int penWidth() const { return penWidth_; } // pixels
    void setPenWidth(int pixels);

private:
    float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    Color color_ = colors::black;
    int penWidth_ = 1;
};

// A filled square.
class Shape : public Control {
public:
    Shape(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::Shape, std::move(name), index) {}

    Color fillColor() const { return fillColor_; }
    void setFillColor(Color c);

private:
    Color fillColor_ = colors::black;
};

// Raises one tick per interval while it is enabled.
class Timer : public Control {
public:
    Timer(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::Timer, std::move(name), index) {}

    int interval() const { return interval_; } // milliseconds
    void setInterval(int ms);
    std::function<void()> onTick;

private:
    int interval_ = 0;
};

// A player for sound files, never shown. Writing a command sends it to the device. It can
// also loop a sound at a loudness of its own, apart from the commands.
class MultimediaControl : public Control {
public:
    MultimediaControl(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::Multimedia, std::move(name), index) {}

    std::string deviceType;
    const std::string& fileName() const { return fileName_; }
    void setFileName(std::string path);
    const std::string& command() const { return command_; }
    void setCommand(std::string command);

    // Loops the sound file at `path` at `loudness`, from 0 (stopped) to 1 (full). The device
    // hears of a change only: the same loudness again leaves the sound as it plays.
    void loop(const std::string& path, float loudness);
    const std::string& loopFile() const { return loopPath_; }

private:
    std::string fileName_;
    std::string command_;
    std::string loopPath_;
    float loudness_ = 0;
};

} // namespace ui
