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

// The rows and columns of a picture box: the distinct tops and lefts of the
// visible controls inside, top and left first.
struct Grid {
    std::vector<const Control *> inside;
    std::vector<float> tops, lefts;
};

Grid gridOf(const Control &board)
{
    Grid grid;
    for (const Control *c : board.form().controls()) {
        if (c->container() != &board || !c->visible())
            continue;
        grid.inside.push_back(c);
        addOnce(grid.tops, c->top());
        addOnce(grid.lefts, c->left());
    }
    return grid;
}

// 1 for the first row or column.
std::string ordinal(const std::vector<float> &axis, float value)
{
    return std::to_string(std::lower_bound(axis.begin(), axis.end(), value) - axis.begin() + 1);
}

// A cell that no control covers reads as "empty".
std::string boardText(const Control &board)
{
    const auto [inside, tops, lefts] = gridOf(board);
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
    if (control.kind() == Kind::PictureBox)
        return boardText(control);
    if (control.kind() == Kind::Image)
        return pictureName(static_cast<const Image &>(control).picture());
    if (const Control *box = control.container(); box && box->kind() == Kind::PictureBox) {
        const Grid grid = gridOf(*box);
        return control.caption() + ", row " + ordinal(grid.tops, control.top()) + ", column " +
               ordinal(grid.lefts, control.left());
    }
    if (const Control *label = labelOf(control); label && control.kind() == Kind::Label)
        return label->caption() + ' ' + control.caption();
    return control.caption();
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

std::vector<const Control *> renamedBy(const Control &control, Property property)
{
    std::vector<const Control *> renamed;
    const bool moved =
        property == Property::Position || property == Property::Left || property == Property::Top;
    const Control *container = control.container();
    if (container && container->kind() == Kind::PictureBox &&
        (moved || property == Property::Caption || property == Property::Visible))
        renamed = {container, &control};
    else if (property == Property::Style && control.kind() == Kind::Image)
        renamed = {&control};
    else if (property == Property::Caption && control.kind() == Kind::Label) {
        renamed = {&control};
        // The control right after a label that names it.
        const std::vector<Control *> &all = control.form().controls();
        const auto at = std::find(all.begin(), all.end(), &control);
        if (at + 1 < all.end() && labelOf(**(at + 1)) == &control)
            renamed.push_back(*(at + 1));
    }
    return renamed;
}

} // namespace ui
