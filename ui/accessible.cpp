// The accessible names that no caption gives, from the controls as they
// stand.
#include "accessible.h"

#include <algorithm>
#include <vector>

namespace ui
{

namespace
{

// `value` into the sorted `axis`, once.
void addOnce(std::vector<float> &axis, float value)
{
    const auto at = std::lower_bound(axis.begin(), axis.end(), value);
    if (at == axis.end() || *at != value)
        axis.insert(at, value);
}

// The distinct tops and lefts of the visible controls inside make the rows
// and columns; a cell that no control covers reads as "empty".
std::string boardText(const Control &board)
{
    std::vector<const Control *> inside;
    std::vector<float> tops, lefts;
    for (const Control *c : board.form().controls()) {
        if (c->container() != &board || !c->visible())
            continue;
        inside.push_back(c);
        addOnce(tops, c->top());
        addOnce(lefts, c->left());
    }
    std::string text;
    for (float top : tops) {
        if (!text.empty())
            text += ", ";
        for (std::size_t i = 0; i < lefts.size(); ++i) {
            if (i)
                text += ' ';
            const Control *cell = nullptr;
            for (const Control *c : inside)
                if (c->top() == top && c->left() == lefts[i])
                    cell = c;
            text += cell ? cell->caption() : "empty";
        }
    }
    return text;
}

} // namespace

std::string pictureName(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.substr(0, name.find_last_of('.'));
}

std::string accessibleName(const Control &control)
{
    switch (control.kind()) {
    case Kind::PictureBox:
        return boardText(control);
    case Kind::Image:
        return pictureName(static_cast<const Image &>(control).picture());
    default:
        return control.caption();
    }
}

const Control *labelOf(const Control &control)
{
    const std::vector<Control *> &all = control.form().controls();
    const auto at = std::find(all.begin(), all.end(), &control);
    if (at == all.begin() || at == all.end())
        return nullptr;
    const Control *label = *(at - 1);
    return label->kind() == Kind::Label && label->caption().ends_with(':') ? label : nullptr;
}

const Control *boardRenamedBy(const Control &control, Property property)
{
    const bool moved =
        property == Property::Position || property == Property::Left || property == Property::Top;
    if (!moved && property != Property::Caption && property != Property::Visible)
        return nullptr;
    const Control *container = control.container();
    return container && container->kind() == Kind::PictureBox ? container : nullptr;
}

} // namespace ui
