// What is heard after an event: a deal reads whole, a moved tile by its new
// name, each status once, and a press on a tile that stays where it is.
#include "hearing.h"

#include "accessible.h"

#include <algorithm>
#include <utility>

namespace ui
{

namespace
{

bool inPictureBox(const Control &control)
{
    return control.container() && control.container()->kind() == Kind::PictureBox;
}

bool moves(Property property)
{
    return property == Property::Position || property == Property::Left ||
           property == Property::Top;
}

bool contains(const std::vector<const Control *> &all, const Control *one)
{
    return std::find(all.begin(), all.end(), one) != all.end();
}

// Phrases read one after another: a full stop between two, unless the first
// ends a sentence of its own ("You are the winner!").
void append(std::string &text, const std::string &phrase)
{
    if (phrase.empty())
        return;
    if (!text.empty())
        text += text.back() == '!' || text.back() == '.' || text.back() == '?' ? " " : ". ";
    text += phrase;
}

} // namespace

std::string Announcement::text() const
{
    std::string all = focusName;
    append(all, news);
    return all;
}

void Hearing::handling(const Control &control, Event event)
{
    if (depth_++ == 0) {
        written_.clear();
        renamed_.clear();
        pressed_ = event == Event::Click ? &control : nullptr;
    }
}

std::vector<const Control *> Hearing::written(const Control &control, Property property)
{
    std::vector<const Control *> renamed = renamedBy(control, property);
    if (depth_ == 0)
        return renamed;
    for (const Control *c : renamed)
        if (!contains(renamed_, c))
            renamed_.push_back(c);
    const Control *heard = nullptr;
    if (inPictureBox(control) && property == Property::Caption)
        heard = control.container();
    else if (inPictureBox(control) && moves(property))
        heard = &control;
    else if (control.kind() == Kind::Label && property == Property::Caption)
        heard = &control;
    if (heard && !contains(written_, heard))
        written_.push_back(heard);
    return {};
}

Heard Hearing::handled(const Control &, Event event, const Control *focused)
{
    if (--depth_ > 0)
        return {};
    Heard learnt{std::exchange(renamed_, {}), {}};
    Announcement &heard = learnt.announcement;
    if (event == Event::Load)
        return learnt;
    std::vector<std::string> phrases;
    if (pressed_ && inPictureBox(*pressed_) && !contains(written_, pressed_))
        phrases.push_back(pressed_->caption() + " does not move");
    for (const Control *c : written_) {
        // A deal reads as the whole board; the tiles it moved home are in it.
        if (inPictureBox(*c) && contains(written_, c->container()))
            continue;
        if (c == focused)
            heard.focusName = accessibleName(*c);
        else
            phrases.push_back(accessibleName(*c));
    }
    for (const std::string &phrase : phrases)
        append(heard.news, phrase);
    return learnt;
}

} // namespace ui
