// Browser backend: builds the page's elements, mirrors property writes onto
// them and raises the controls' events from the page's input.
#include "backend.h"

#include "convert.h"
#include "dom.h"

#include "ui/accessible.h"
#include "ui/focus.h"
#include "ui/input.h"
#include "ui/placement.h"
#include "ui/units.h"

#include <cstdio>
#include <utility>

namespace ui
{

namespace
{

WebBackend *current = nullptr;

// "12.5px": CSS pixels with the fraction that twips give.
std::string pixels(float twips)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6gpx", toCssPixels(twips));
    return text;
}

// "control" marks the elements whose clicks are the controls' Click.
const char *classOf(const Control &control)
{
    switch (control.kind()) {
    case Kind::CommandButton:
        return "control button";
    case Kind::Label:
        return "control label";
    case Kind::PictureBox:
        return "control picture";
    case Kind::Image:
        return "control image";
    default:
        return "";
    }
}

} // namespace

WebBackend::WebBackend(Form &form) : form_(form)
{
    domSheet("scheme", schemeStyleSheet().c_str());
    root_ = domAttach();
    // The menu bar first, above the form, as on the desktops.
    menuBar_ = menuBar(root_);
    elements_[&form_] = domMake("div", root_, "form", form_.name().c_str());
    controlOf_[elements_[&form_]] = &form_;
    for (Control *c : form_.controls())
        build(*c);
    for (Property p : mirroringWrites(form_))
        sync(form_, p);
    // The tab order and the labels' text colour too: the page's own focus
    // needs a tabindex to take, and the page's text is not the labels'
    // colour. The buttons' text is the style sheet's, grey while they take
    // no input.
    for (Control *c : form_.controls()) {
        for (Property p : mirroringWrites(*c))
            sync(*c, p);
        if (c->kind() != Kind::Menu && c->kind() != Kind::Timer)
            sync(*c, Property::TabIndex);
        if (c->kind() == Kind::Label)
            sync(*c, Property::ForeColor);
        rename(*c);
    }
    // After the form: the one live region, which shows nothing.
    announcer_ = domMake("div", root_, "announcer", "");
    domAttribute(announcer_, "aria-live", "polite");
    domSettle();
    eventsInstall(elements_[&form_]);
    form_.setObserver(this);
    setPlatform(this);
    current = this;
}

WebBackend::~WebBackend()
{
    if (current == this)
        current = nullptr;
    if (platform() == this)
        setPlatform(nullptr);
    if (form_.observer() == this)
        form_.setObserver(nullptr);
}

WebBackend *WebBackend::active()
{
    return current;
}

int WebBackend::elementOf(const Control &control) const
{
    const auto it = elements_.find(&control);
    return it == elements_.end() ? -1 : it->second;
}

Control *WebBackend::controlOf(int element) const
{
    const auto it = controlOf_.find(element);
    return it == controlOf_.end() ? nullptr : it->second;
}

void WebBackend::build(Control &control)
{
    int element = -1;
    const std::string &name = control.index() < 0
                                  ? control.name()
                                  : control.name() + '(' + std::to_string(control.index()) + ')';
    switch (control.kind()) {
    case Kind::Form:
        return;
    case Kind::Timer:
        timers_[&control] = std::make_unique<TickSource>(static_cast<Timer &>(control));
        return;
    case Kind::Menu:
        element = control.container()->kind() == Kind::Form
                      ? menuAdd(menuBar_, name.c_str())
                      : menuItem(elements_.at(control.container()), name.c_str());
        break;
    case Kind::CommandButton:
    case Kind::Label:
    case Kind::PictureBox:
    case Kind::Image: {
        const char *tag = control.kind() == Kind::CommandButton ? "button"
                          : control.kind() == Kind::Image       ? "img"
                                                                : "div";
        element = domMake(tag, elements_.at(control.container()), classOf(control), name.c_str());
        break;
    }
    }
    elements_[&control] = element;
    controlOf_[element] = &control;
}

void WebBackend::writing(const Control &, Property property)
{
    focusBeforeWrite_ = focusBeforeWrite(*this, property);
}

void WebBackend::written(const Control &control, Property property)
{
    sync(control, property);
    focusAfterWrite(*this, std::exchange(focusBeforeWrite_, nullptr));
    for (const Control *c : hearing_.written(control, property))
        rename(*c);
}

void WebBackend::handling(const Control &control, Event event)
{
    hearing_.handling(control, event);
}

void WebBackend::handled(const Control &control, Event event)
{
    const Heard heard = hearing_.handled(control, event, focused());
    for (const Control *c : heard.renamed)
        rename(*c);
    announce(heard.announcement);
}

Control *WebBackend::focused() const
{
    // A menu's title or item holds the focus only while its menu is down;
    // the focus goes back to the control from there.
    Control *control = controlOf(domFocused());
    return control && control != &form_ && control->kind() != Kind::Menu ? control : nullptr;
}

void WebBackend::setFocused(Control *control, FocusCause cause)
{
    if (control)
        domFocus(elementOf(*control));
    else
        domBlur();
    // From now on the control with the focus shows it, as on the desktops.
    if (cause == FocusCause::Keyboard)
        domAttribute(root_, "data-keys", "");
}

void WebBackend::sync(const Control &control, Property property)
{
    const int element = elementOf(control);
    if (control.kind() == Kind::Timer) {
        followTimer(*timers_.at(&control), static_cast<const Timer &>(control), property);
        return;
    }
    if (control.kind() == Kind::Form) {
        if (property == Property::Caption) {
            domTitle(control.caption().c_str());
            rename(control);
        } else if (property == Property::Width || property == Property::Height) {
            domStyle(element, "width", pixels(control.width()).c_str());
            domStyle(element, "height", pixels(control.height()).c_str());
        } else if (property == Property::BackColor)
            domStyle(element, "background-color", toCssColor(control.backColor()).c_str());
        return; // the page's own icon is the form's
    }

    if (control.kind() == Kind::Menu) {
        if (property == Property::Caption)
            setCaption(control);
        else if (property == Property::Enabled || property == Property::Visible)
            setTakesInput(control);
        if (property == Property::Visible)
            domAttribute(element, "hidden", control.visible() ? nullptr : "");
        return;
    }

    switch (property) {
    case Property::Left:
    case Property::Top:
    case Property::Width:
    case Property::Height:
    case Property::Position: {
        // Positions count from the inside of the container, past its
        // border, as CSS places an absolute box. Every edge lands on a whole
        // CSS pixel as on the desktops' pixels at 96 dpi, so that the page
        // shows the same board, its seams included, and a press finds the
        // same control there.
        const PixelRect box = placedPixels(control, standardDpi);
        domBox(element, box.left, box.top, box.width(), box.height());
        break;
    }
    case Property::Caption:
        if (control.kind() == Kind::CommandButton || control.kind() == Kind::Label)
            setCaption(control);
        break;
    case Property::Enabled:
        setTakesInput(control);
        break;
    case Property::Visible:
        domAttribute(element, "hidden", control.visible() ? nullptr : "");
        setTakesInput(control);
        break;
    case Property::BackColor:
        // An image shows its picture alone; a transparent label, the form.
        if (control.kind() == Kind::Image ||
            (control.kind() == Kind::Label && static_cast<const Label &>(control).transparent()))
            break;
        domStyle(element, "background-color", toCssColor(control.backColor()).c_str());
        break;
    case Property::ForeColor:
        domStyle(element, "color", toCssColor(control.foreColor()).c_str());
        break;
    case Property::Font:
        if (control.kind() == Kind::CommandButton || control.kind() == Kind::Label)
            domStyle(element, "font", toCssFont(control.font()).c_str());
        break;
    case Property::TabIndex:
        // The page keeps the tab order of the elements, which are made in
        // the order of creation; Tab itself follows TabIndex (input.cpp).
        domAttribute(element, "tabindex", control.tabIndex() >= 0 ? "0" : "-1");
        break;
    case Property::Style:
        setStyle(control);
        break;
    case Property::Interval:
        break;
    }
}

void WebBackend::setCaption(const Control &control)
{
    const int element = elementOf(control);
    const std::string &caption = control.caption();
    if (control.kind() == Kind::Label) {
        domText(element, caption.c_str());
    } else {
        // "&Start" shows "Start" with the S underlined.
        const ShownCaption shown = shownCaption(caption);
        domCaption(element, shown.before.c_str(), shown.key.c_str(), shown.after.c_str());
        const char letter = accessKey(caption);
        const std::string shortcut = letter ? std::string("Alt+") + letter : "";
        domAttribute(element, "data-key", letter ? shortcut.c_str() + 4 : nullptr);
        // Inside a menu the letter alone chooses the item.
        const bool withAlt = control.container()->kind() == Kind::Form;
        domAttribute(element, "aria-keyshortcuts",
                     letter ? shortcut.c_str() + (withAlt ? 0 : 4) : nullptr);
    }
}

void WebBackend::setStyle(const Control &control)
{
    const int element = elementOf(control);
    if (control.kind() == Kind::Label) {
        const auto &label = static_cast<const Label &>(control);
        domStyle(element, "text-align",
                 label.alignment() == Alignment::Center  ? "center"
                 : label.alignment() == Alignment::Right ? "right"
                                                         : "left");
        domAttribute(element, "data-border", label.bordered() ? "" : nullptr);
        domStyle(element, "background-color",
                 label.transparent() ? "transparent" : toCssColor(label.backColor()).c_str());
    } else if (control.kind() == Kind::CommandButton) {
        domAttribute(element, "data-graphical",
                     static_cast<const CommandButton &>(control).graphical() ? "" : nullptr);
    } else if (control.kind() == Kind::Image) {
        // Drawn for the device's pixel ratio: 300 twips are 20 CSS pixels.
        const std::string &picture = static_cast<const Image &>(control).picture();
        const int side = int(toCssPixels(control.width()) + 0.5);
        domAttribute(element, "src", pictureSource(picture, side).c_str());
        domAttribute(element, "srcset", pictureSourceSet(picture, side).c_str());
        domAttribute(element, "draggable", "false");
    }
}

void WebBackend::setTakesInput(const Control &control)
{
    // Only what the player can press or focus says so.
    for (const Control *c : form_.controls()) {
        if (c->kind() != Kind::CommandButton && c->kind() != Kind::PictureBox &&
            c->kind() != Kind::Menu)
            continue;
        for (const Control *at = c; at; at = at->container())
            if (at == &control) {
                domAttribute(elementOf(*c), "aria-disabled", c->takesInput() ? nullptr : "true");
                break;
            }
    }
}

void WebBackend::show()
{
    domAttribute(root_, "data-state", "playing");
    domAttribute(root_, "aria-busy", nullptr);
    focusFirst(*this, form_);
}

void WebBackend::messageBox(const std::string &text, const std::string &title)
{
    // The page cannot wait for the box: it holds all other input while it
    // is open, and every handler that shows one ends with it.
    dialogShow(title.c_str(), text.c_str());
}

void WebBackend::endProgram()
{
    for (auto &[control, ticks] : timers_)
        ticks->stop();
    pageEnded();
}

} // namespace ui
