// Font look-ups for the window, done early and beside the main thread.
#include "fonts.h"

#include "convert.h"

#include <QApplication>
#include <QFontMetrics>
#include <algorithm>

namespace ui
{

std::vector<QFont> fontsOf(const Form &form)
{
    std::vector<QFont> fonts{QApplication::font()};
    for (const Control *c : form.controls()) {
        if (c->kind() == Kind::Timer || c->kind() == Kind::Menu)
            continue;
        const QFont font = toQFont(c->font());
        if (std::find(fonts.begin(), fonts.end(), font) == fonts.end())
            fonts.push_back(font);
    }
    return fonts;
}

// Metrics of each font the window uses fill Qt's shared font database and
// its fallback lists, which the main thread then finds ready; the font
// engines this thread makes stay its own. Qt guards its font database with a
// mutex, so the two threads may meet there safely.
FontWarmUp::FontWarmUp(const Form &form)
    : thread_([list = fontsOf(form)] {
          for (const QFont &font : list)
              QFontMetrics(font).height();
      })
{
}

FontWarmUp::~FontWarmUp()
{
    thread_.join(); // long since done
}

} // namespace ui
