// SPDX-License-Identifier: MIT
#include "properties.h"

#include "tokenizer.h"
#include "ui/containers.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/grid.h"
#include "ui/headless/transcript.h"

#include <variant>

namespace script {

namespace {

using ui::headless::number;
using ui::headless::quoted;
using ui::headless::rgb;

std::string boolean(bool b) {
    return b ? "-1" : "0";
}

std::string pictureName(const ui::Picture& p) {
    return p.isNull() ? "none" : p.name;
}

// Properties that only some kinds of control have; empty when this one has not.
std::string kindProperty(const ui::Control& c, std::string_view p) {
    using K = ui::ControlKind;
    switch (c.kind()) {
    case K::CheckBox:
        if (p == "Value") return std::to_string(static_cast<const ui::CheckBox&>(c).value());
        break;
    case K::OptionButton:
        if (p == "Value") return boolean(static_cast<const ui::OptionButton&>(c).value());
        break;
    case K::Label:
        // As the designer numbers them: 0 left, 1 right, 2 centred.
        if (p == "Alignment")
            return std::to_string(static_cast<int>(static_cast<const ui::Label&>(c).alignment()));
        break;
    case K::Image:
        if (p == "Picture") return pictureName(static_cast<const ui::Image&>(c).picture());
        break;
    case K::Line: {
        const auto& l = static_cast<const ui::LineControl&>(c);
        if (p == "X1") return number(l.x1());
        if (p == "Y1") return number(l.y1());
        if (p == "X2") return number(l.x2());
        if (p == "Y2") return number(l.y2());
        if (p == "BorderColor") return rgb(l.color());
        if (p == "BorderWidth") return std::to_string(l.penWidth());
        break;
    }
    case K::Shape:
        if (p == "FillColor") return rgb(static_cast<const ui::Shape&>(c).fillColor());
        break;
    case K::PictureBox: {
        const auto& s = static_cast<const ui::PictureBox&>(c);
        if (p == "ScaleWidth") return number(s.scaleWidth());
        if (p == "ScaleHeight") return number(s.scaleHeight());
        if (p == "ScaleLeft") return number(s.scaleLeft());
        if (p == "ScaleTop") return number(s.scaleTop());
        if (p == "CurrentX") return number(s.currentX);
        if (p == "CurrentY") return number(s.currentY);
        break;
    }
    case K::TextBox: {
        // A password box prints its mask, one character for each typed.
        const auto& t = static_cast<const ui::TextBox&>(c);
        std::string shown = t.text();
        if (!t.passwordChar().empty()) {
            shown.clear();
            for (std::size_t i = 0; i < t.text().size(); ++i)
                if ((t.text()[i] & 0xC0) != 0x80) shown += t.passwordChar();
        }
        if (p == "Text") return quoted(shown);
        break;
    }
    case K::ComboBox: {
        const auto& l = static_cast<const ui::ComboBox&>(c);
        if (p == "ListIndex") return std::to_string(l.listIndex());
        if (p == "Text")
            return quoted(l.listIndex() < 0 ? ""
                                            : l.items()[static_cast<std::size_t>(l.listIndex())]);
        break;
    }
    case K::Grid: {
        // The rows' count, and the selected row's first cell as a list's Text.
        const auto& g = static_cast<const ui::Grid&>(c);
        if (p == "Rows") return std::to_string(g.rows().size());
        if (p == "Text") {
            const int row = g.selectedRow();
            const auto& rows = g.rows();
            return quoted(row < 0 || rows[std::size_t(row)].empty()
                              ? ""
                              : rows[std::size_t(row)].front().text);
        }
        break;
    }
    case K::Timer:
        if (p == "Interval") return std::to_string(static_cast<const ui::Timer&>(c).interval());
        break;
    case K::Multimedia: {
        const auto& m = static_cast<const ui::MultimediaControl&>(c);
        if (p == "FileName") return quoted(m.fileName());
        if (p == "Command") return quoted(m.command());
        if (p == "DeviceType") return quoted(m.deviceType);
        break;
    }
    default:
        break;
    }
    return {};
}

bool hasCaption(ui::ControlKind k) {
    using K = ui::ControlKind;
    return k == K::Label || k == K::Button || k == K::CheckBox || k == K::OptionButton ||
           k == K::Frame;
}

} // namespace

std::string controlProperty(const ui::Control& c, std::string_view p) {
    if (auto special = kindProperty(c, p); !special.empty()) return special;
    if (p == "Caption" && hasCaption(c.kind())) return quoted(c.caption());
    if (p == "Tag") return quoted(c.tag());
    if (p == "Visible") return boolean(c.visible());
    if (p == "Enabled") return boolean(c.enabled());
    if (p == "Left") return number(c.left());
    if (p == "Top") return number(c.top());
    if (p == "Width") return number(c.width());
    if (p == "Height") return number(c.height());
    if (p == "BackColor") return rgb(c.backColor());
    if (p == "ForeColor") return rgb(c.foreColor());
    if (p == "HelpContextID") return std::to_string(c.helpContextId);
    if (p == "Container") return quoted(c.parent() ? c.parent()->name() : "");
    if (p == "FontBold") return boolean(c.font().bold);
    if (p == "FontSize") return number(c.font().points);
    if (p == "ToolTipText") return quoted(c.toolTip);
    throw ScenarioError(c.qualifiedName() + " has no property " + std::string(p));
}

std::string menuItemProperty(const ui::MenuItem& item, std::string_view p) {
    if (p == "Caption") return quoted(item.caption);
    if (p == "Checked") return boolean(item.checked);
    if (p == "Enabled") return boolean(item.enabled);
    if (p == "Visible") return boolean(item.visible);
    throw ScenarioError("a menu item has no property " + std::string(p));
}

std::string windowProperty(const ui::Form* f, std::string_view p) {
    if (p == "Loaded") return boolean(f != nullptr);
    if (p == "Visible") return boolean(f && f->visible());
    if (!f) {
        if (p == "Left" || p == "Top" || p == "Width" || p == "Height") return "0";
        if (p == "Caption") return quoted("");
    } else {
        if (p == "Left") return number(f->left());
        if (p == "Top") return number(f->top());
        if (p == "Width") return number(f->width());
        if (p == "Height") return number(f->height());
        if (p == "Caption") return quoted(f->caption());
        if (p == "ScaleWidth") return number(f->scaleWidth());
        if (p == "ScaleHeight") return number(f->scaleHeight());
    }
    throw ScenarioError("a window has no property " + std::string(p));
}

void printDrawing(std::ostream& out, std::string_view surface, const ui::DisplayList& drawing) {
    for (const auto& item : drawing.items()) {
        out << surface << ' ';
        std::visit(
            [&out](const auto& i) {
                using T = std::decay_t<decltype(i)>;
                if constexpr (std::is_same_v<T, ui::LineItem>) {
                    out << (i.style == ui::DrawStyle::Dot ? "dotted " : "line ") << number(i.x1)
                        << ' ' << number(i.y1) << ' ' << number(i.x2) << ' ' << number(i.y2) << ' '
                        << rgb(i.color);
                } else if constexpr (std::is_same_v<T, ui::BoxItem>) {
                    out << "box " << number(i.x1) << ' ' << number(i.y1) << ' ' << number(i.x2)
                        << ' ' << number(i.y2) << ' ' << rgb(i.color)
                        << (i.filled ? " filled" : "");
                } else if constexpr (std::is_same_v<T, ui::CircleItem>) {
                    out << "circle " << number(i.x) << ' ' << number(i.y) << ' ' << number(i.radius)
                        << ' ' << rgb(i.color);
                } else if constexpr (std::is_same_v<T, ui::TextItem>) {
                    out << "text " << number(i.x) << ' ' << number(i.y) << ' ' << quoted(i.text)
                        << ' ' << rgb(i.color);
                } else {
                    out << "picture " << number(i.x) << ' ' << number(i.y) << ' '
                        << pictureName(i.picture);
                }
            },
            item);
        out << '\n';
    }
}

} // namespace script
