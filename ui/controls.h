// The control objects of the toolkit layer: the window, buttons, labels, the
// picture box, images, the timer and menu items. Positions and sizes are
// twips held as floats; every property reads back exactly what was written.
#pragma once

#include "error.h"
#include "int16.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui
{

// &H00BBGGRR& for a fixed colour; &H800000nn& for system colour nn.
using Color = std::uint32_t;

// The system colours the game uses, numbered as the Windows desktop numbers
// its colour scheme.
enum class SystemColor : std::uint8_t {
    Highlight = 0x0D,     // background of selected items
    HighlightText = 0x0E, // text of selected items
    ButtonFace = 0x0F,
    ButtonText = 0x12,
};

constexpr Color systemColor(SystemColor c)
{
    return 0x80000000u | static_cast<std::uint8_t>(c);
}

constexpr bool isSystemColor(Color c)
{
    return (c & 0x80000000u) != 0;
}

// The nn of a system colour &H800000nn&.
constexpr int systemColorIndex(Color c)
{
    return static_cast<int>(c & 0xFFu);
}

// The bytes of a fixed colour.
constexpr int redOf(Color c)
{
    return static_cast<int>(c & 0xFFu);
}
constexpr int greenOf(Color c)
{
    return static_cast<int>((c >> 8) & 0xFFu);
}
constexpr int blueOf(Color c)
{
    return static_cast<int>((c >> 16) & 0xFFu);
}

namespace colors
{
inline constexpr Color highlight = systemColor(SystemColor::Highlight);
inline constexpr Color highlightText = systemColor(SystemColor::HighlightText);
inline constexpr Color buttonFace = systemColor(SystemColor::ButtonFace);
inline constexpr Color buttonText = systemColor(SystemColor::ButtonText);
inline constexpr Color lightYellow = 0x00C0FFFF;
} // namespace colors

struct Font {
    std::string name; // empty: the toolkit's default dialog font
    float size = 0;   // points
    Int16 weight = 400;
    Int16 charset = 0;
    bool operator==(const Font &) const = default;
};

enum class Kind { Form, CommandButton, Label, PictureBox, Image, Timer, Menu };

enum class Property {
    Left,
    Top,
    Width,
    Height,
    Position, // Left and Top together, from move()
    Caption,
    Enabled,
    Visible,
    BackColor,
    ForeColor,
    Font,
    TabIndex,
    Style, // everything fixed at layout time: border, alignment, picture…
    Interval,
};

// The events that reach a control's handlers.
enum class Event { Load, Click, KeyPress, MouseMove, Timer };

class Control;
class Form;

// A backend's view of the controls. writing() comes before a property
// changes and may raise the runtime error to refuse the write; written()
// comes after, so the backend can mirror the new value. handling() and
// handled() come around each event's handler, which writes in between.
class ControlObserver
{
public:
    virtual ~ControlObserver() = default;
    virtual void writing(const Control &, Property) {}
    virtual void written(const Control &, Property) {}
    virtual void handling(const Control &, Event) {}
    virtual void handled(const Control &, Event) {}
};

// The writes that mirror a control whole onto a backend's new view of it:
// one of each kind, Position for the whole box. The window's size comes
// from Width.
std::array<Property, 10> mirroringWrites(const Control &control);

class Control
{
public:
    Control(Kind kind, Control *container, std::string name, Int16 index = -1);
    virtual ~Control() = default;
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    Kind kind() const { return kind_; }
    const std::string &name() const { return name_; }
    Int16 index() const { return index_; } // -1 outside a control array
    Control *container() const { return container_; }
    Form &form() const;
    // The name an event handler carries: "Command1", or the window's "Form".
    std::string handlerPrefix() const;

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void setLeft(float v) { assign(left_, v, Property::Left); }
    void setTop(float v) { assign(top_, v, Property::Top); }
    void setWidth(float v) { assign(width_, v, Property::Width); }
    void setHeight(float v) { assign(height_, v, Property::Height); }
    void setGeometry(float left, float top, float width, float height);
    // New left and top in one write; the size stays.
    void move(float left, float top);

    const std::string &caption() const { return caption_; }
    void setCaption(const std::string &v) { assign(caption_, v, Property::Caption); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool v) { assign(enabled_, v, Property::Enabled); }
    bool visible() const { return visible_; }
    void setVisible(bool v) { assign(visible_, v, Property::Visible); }
    Color backColor() const { return backColor_; }
    void setBackColor(Color v) { assign(backColor_, v, Property::BackColor); }
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color v) { assign(foreColor_, v, Property::ForeColor); }
    const Font &font() const { return font_; }
    void setFont(const Font &v) { assign(font_, v, Property::Font); }
    // Focus order among the controls that take focus; -1 takes no focus.
    Int16 tabIndex() const { return tabIndex_; }
    void setTabIndex(Int16 v) { assign(tabIndex_, v, Property::TabIndex); }

    // True when input can reach the control: it and every container are
    // enabled and visible.
    bool takesInput() const;

    // Handlers. The backends raise them through the dispatch boundary with
    // the fire functions below, never directly.
    std::function<void()> onClick;
    std::function<void(Int16 &keyAscii)> onKeyPress;
    std::function<void(Int16 button, Int16 shift, float x, float y)> onMouseMove;

    void fireClick();
    void fireKeyPress(Int16 keyAscii);
    void fireMouseMove(Int16 button, Int16 shift, float x, float y);

protected:
    template <typename T> void assign(T &field, const T &value, Property p)
    {
        ControlObserver *o = observer();
        if (o)
            o->writing(*this, p);
        field = value;
        if (o)
            o->written(*this, p);
    }
    ControlObserver *observer() const;
    // Runs a handler of this control through the dispatch boundary, with
    // the observer told before and after.
    void handle(Event event, const char *suffix, const std::function<void()> &handler);

private:
    Kind kind_;
    Control *container_;
    std::string name_;
    Int16 index_;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    Color backColor_ = colors::buttonFace;
    Color foreColor_ = colors::buttonText;
    Font font_;
    Int16 tabIndex_ = -1;
};

class CommandButton : public Control
{
public:
    CommandButton(Control *container, std::string name, Int16 index = -1);
    // A graphical button paints its face in its BackColor.
    bool graphical() const { return graphical_; }
    void setGraphical(bool v) { assign(graphical_, v, Property::Style); }

private:
    bool graphical_ = false;
};

enum class Alignment { Left, Right, Center };

class Label : public Control
{
public:
    Label(Control *container, std::string name, Int16 index = -1);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment v) { assign(alignment_, v, Property::Style); }
    bool bordered() const { return bordered_; }
    void setBordered(bool v) { assign(bordered_, v, Property::Style); }
    bool transparent() const { return transparent_; }
    void setTransparent(bool v) { assign(transparent_, v, Property::Style); }

private:
    Alignment alignment_ = Alignment::Left;
    bool bordered_ = false;
    bool transparent_ = false;
};

// A container with the toolkit's sunken border of 2 pixels (30 twips).
class PictureBox : public Control
{
public:
    PictureBox(Control *container, std::string name, Int16 index = -1);
};

class Image : public Control
{
public:
    Image(Control *container, std::string name, Int16 index = -1);
    // A resource path of the picture, shown stretched to the image's box.
    const std::string &picture() const { return picture_; }
    void setPicture(const std::string &v) { assign(picture_, v, Property::Style); }

private:
    std::string picture_;
};

// While enabled, raises onTimer once per interval. Enabling it again while it
// runs keeps the one series of ticks it already has.
class Timer : public Control
{
public:
    Timer(Control *container, std::string name, Int16 index = -1);
    Int16 interval() const { return interval_; } // milliseconds
    void setInterval(Int16 v) { assign(interval_, v, Property::Interval); }

    std::function<void()> onTimer;
    void fireTimer();

private:
    Int16 interval_ = 0;
};

// A menu item; its container is the window (a menu of the menu bar) or the
// menu it drops down from. The caption's "&" marks the access key.
class Menu : public Control
{
public:
    Menu(Control *container, std::string name, Int16 index = -1);
};

// The window. Its width and height are those of the client area below the
// menu bar; its caption is the title. It keeps every control in the order of
// creation, which is also the stacking order, first at the bottom.
class Form : public Control
{
public:
    explicit Form(std::string name = "Form");

    const std::string &icon() const { return icon_; }
    void setIcon(const std::string &v) { assign(icon_, v, Property::Style); }

    const std::vector<Control *> &controls() const { return controls_; }
    ControlObserver *observer() const { return observer_; }
    void setObserver(ControlObserver *o) { observer_ = o; }

    std::function<void()> onLoad;
    void fireLoad();

private:
    friend class Control;
    std::string icon_;
    std::vector<Control *> controls_;
    ControlObserver *observer_ = nullptr;
};

// Elements 0 to count-1, made at once; an index outside raises the
// subscript error.
template <typename T> class ControlArray
{
public:
    ControlArray(Control *container, const std::string &name, Int16 count)
    {
        for (Int16 i = 0; i < count; ++i)
            items_.push_back(std::make_unique<T>(container, name, i));
    }
    T &operator()(Int16 index) const
    {
        if (index < 0 || index >= count())
            raise(ErrorCode::SubscriptOutOfRange);
        return *items_[static_cast<std::size_t>(index)];
    }
    Int16 count() const { return static_cast<Int16>(items_.size()); }

private:
    std::vector<std::unique_ptr<T>> items_;
};

} // namespace ui
