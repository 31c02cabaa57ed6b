// SPDX-License-Identifier: MIT
#pragma once

#include "color.h"
#include "font.h"
#include "key.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ui {

class Container;
class Form;

enum class ControlKind {
    Label,
    Button,
    CheckBox,
    OptionButton,
    Frame,
    Image,
    Line,
    Shape,
    PictureBox,
    Timer,
    Multimedia,
    Grid,
    Chart,
    TextBox,
    ComboBox,
};

enum class Alignment { Left, Right, Center };

// What assistive technology is told a control is, where its kind alone would mislead.
enum class AccessibleRole {
    Automatic, // what its kind suggests
    Readout,   // a label showing a reading: its name says of what, its caption is the reading
    Status,    // a light whose name says what it shows now ("ELT heard")
    Gauge,     // a needle on a scale: its accessible value within its accessible range
};

// What every control of a form has: a name (and an index inside a control array), a place in
// its container in the container's units, and the common properties. Setters mark the control
// changed so that a renderer can bring its widget up to date.
class Control {
public:
    Control(Form& form, Container& container, Control* parent, ControlKind kind, std::string name,
            int index);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& name() const { return name_; }
    int index() const { return index_; } // -1 unless the control belongs to a control array
    std::string qualifiedName() const;   // "optSpeed(1)"
    ControlKind kind() const { return kind_; }
    Form& form() const { return form_; }
    Container& container() const { return container_; }
    Control* parent() const { return parent_; } // the frame or surface holding it, if any

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void setGeometry(double left, double top, double width, double height);

    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);

    const std::string& caption() const { return caption_; }
    virtual void setCaption(std::string text);
    const std::string& tag() const { return tag_; }
    void setTag(std::string text);

    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color c);
    const Font& font() const { return font_; }
    void setFont(Font f);

    // Context-help topic; 0 when the control has none.
    std::int32_t helpContextId = 0;
    // Texts for tool tips and assistive technology.
    std::string toolTip;
    std::string accessibleName;
    std::string accessibleDescription;
    AccessibleRole accessibleRole = AccessibleRole::Automatic;
    // For a name or a gauge's reading that changes in play, so that listeners are told.
    void setAccessibleName(std::string text);
    double accessibleValue() const { return accessibleValue_; }
    double accessibleMinimum() const { return accessibleMinimum_; }
    double accessibleMaximum() const { return accessibleMaximum_; }
    void setAccessibleValue(double value, double minimum, double maximum);

    // The click event; the forms raise it for a user's click and, for check boxes and option
    // buttons, whenever their value changes.
    std::function<void()> onClick;
    bool hasClickHandler() const { return static_cast<bool>(onClick); }
    void raiseClick();
    // What a user's click does to the control before its click event is raised.
    virtual void userClick() { raiseClick(); }

    // Keys that, while this control has the focus, act exactly as a click on another control.
    struct KeyClick {
        Key key;
        Control* target;
    };
    std::vector<KeyClick> keyClicks;

    // Grows with every change of the control.
    std::uint64_t revision() const { return revision_; }

protected:
    void changed();

private:
    Form& form_;
    Container& container_;
    Control* parent_;
    ControlKind kind_;
    std::string name_;
    int index_;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    std::string tag_;
    Color backColor_{192, 192, 192};
    Color foreColor_{0, 0, 0};
    Font font_;
    double accessibleValue_ = 0, accessibleMinimum_ = 0, accessibleMaximum_ = 0;
    std::uint64_t revision_ = 0;
};

} // namespace ui
