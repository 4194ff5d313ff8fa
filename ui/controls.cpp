// Control objects: registration with the window, input gating and the
// functions through which backends raise events.
#include "controls.h"

#include "runtime.h"

#include <cassert>

namespace ui
{

Control::Control(Kind kind, Control *container, std::string name, Int16 index)
    : kind_(kind), container_(container), name_(std::move(name)), index_(index)
{
    assert((kind == Kind::Form) == (container == nullptr));
    if (container_)
        form().controls_.push_back(this);
}

Form &Control::form() const
{
    const Control *c = this;
    while (c->container_)
        c = c->container_;
    return *static_cast<Form *>(const_cast<Control *>(c));
}

ControlObserver *Control::observer() const
{
    return form().observer();
}

std::array<Property, 10> mirroringWrites(const Control &control)
{
    return {control.kind() == Kind::Form ? Property::Width : Property::Position,
            Property::Caption,
            Property::Enabled,
            Property::Visible,
            Property::BackColor,
            Property::ForeColor,
            Property::Font,
            Property::TabIndex,
            Property::Style,
            Property::Interval};
}

std::string Control::handlerPrefix() const
{
    return kind_ == Kind::Form ? "Form" : name_;
}

void Control::setGeometry(float left, float top, float width, float height)
{
    setLeft(left);
    setTop(top);
    setWidth(width);
    setHeight(height);
}

void Control::move(float left, float top)
{
    ControlObserver *o = observer();
    if (o)
        o->writing(*this, Property::Position);
    left_ = left;
    top_ = top;
    if (o)
        o->written(*this, Property::Position);
}

bool Control::takesInput() const
{
    for (const Control *c = this; c; c = c->container_) {
        if (!c->enabled_ || !c->visible_)
            return false;
    }
    return true;
}

void Control::handle(Event event, const char *suffix, const std::function<void()> &handler)
{
    if (ControlObserver *o = observer())
        o->handling(*this, event);
    dispatch(handlerPrefix() + suffix, handler);
    if (ControlObserver *o = observer())
        o->handled(*this, event);
}

void Control::fireClick()
{
    if (onClick)
        handle(Event::Click, "_Click", onClick);
}

void Control::fireKeyPress(Int16 keyAscii)
{
    if (onKeyPress)
        handle(Event::KeyPress, "_KeyPress", [&] { onKeyPress(keyAscii); });
}

void Control::fireMouseMove(Int16 button, Int16 shift, float x, float y)
{
    if (onMouseMove)
        handle(Event::MouseMove, "_MouseMove", [&] { onMouseMove(button, shift, x, y); });
}

CommandButton::CommandButton(Control *container, std::string name, Int16 index)
    : Control(Kind::CommandButton, container, std::move(name), index)
{
}

Label::Label(Control *container, std::string name, Int16 index)
    : Control(Kind::Label, container, std::move(name), index)
{
}

PictureBox::PictureBox(Control *container, std::string name, Int16 index)
    : Control(Kind::PictureBox, container, std::move(name), index)
{
}

Image::Image(Control *container, std::string name, Int16 index)
    : Control(Kind::Image, container, std::move(name), index)
{
}

Timer::Timer(Control *container, std::string name, Int16 index)
    : Control(Kind::Timer, container, std::move(name), index)
{
    setEnabled(false);
}

void Timer::fireTimer()
{
    if (onTimer && enabled())
        handle(Event::Timer, "_Timer", onTimer);
}

Menu::Menu(Control *container, std::string name, Int16 index)
    : Control(Kind::Menu, container, std::move(name), index)
{
}

Form::Form(std::string name) : Control(Kind::Form, nullptr, std::move(name)) {}

void Form::fireLoad()
{
    if (onLoad)
        handle(Event::Load, "_Load", onLoad);
}

} // namespace ui
