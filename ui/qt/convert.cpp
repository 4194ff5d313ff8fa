// Colours, fonts and strings from the controls' terms into Qt's.
#include "convert.h"

#include <QApplication>

namespace ui
{

QString toQString(const std::string &s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QColor toQColor(Color c, const QPalette &palette)
{
    if (isSystemColor(c)) {
        switch (static_cast<SystemColor>(systemColorIndex(c))) {
        case SystemColor::Highlight:
            return palette.color(QPalette::Highlight);
        case SystemColor::HighlightText:
            return palette.color(QPalette::HighlightedText);
        case SystemColor::ButtonFace:
            return palette.color(QPalette::Button);
        default:
            return palette.color(QPalette::WindowText);
        }
    }
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

QFont toQFont(const Font &font)
{
    QFont f = QApplication::font();
    if (font.name.empty())
        return f;
    f.setFamilies({toQString(font.name)});
    f.setPointSizeF(font.size);
    f.setWeight(static_cast<QFont::Weight>(font.weight));
    return f;
}

} // namespace ui
