// Twips, colours, fonts and strings from the controls' terms into Qt's.
#include "convert.h"

#include <QApplication>
#include <cmath>

namespace ui
{

int toPixels(float twips)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

float toTwips(qreal pixels)
{
    return static_cast<float>(pixels) * twipsPerPixel;
}

QString toQString(const std::string &s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QColor toQColor(Color c, const QPalette &palette)
{
    if (isSystemColor(c)) {
        switch (c & 0xFFu) {
        case 0x0D:
            return palette.color(QPalette::Highlight);
        case 0x0E:
            return palette.color(QPalette::HighlightedText);
        case 0x0F:
            return palette.color(QPalette::Button);
        default:
            return palette.color(QPalette::WindowText);
        }
    }
    return QColor(int(c & 0xFFu), int((c >> 8) & 0xFFu), int((c >> 16) & 0xFFu));
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
