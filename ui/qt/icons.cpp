// Reads an icon from the XPM renderings of its sizes, without an image plugin.
#include "icons.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <vector>

namespace ui
{

namespace
{

// An XPM file is C source whose strings are the image: header, colours and
// rows. QImage makes an image straight from those strings, where reading a
// PNG goes through QImageReader, whose first use lists every installed image
// plugin (opening each one to read its metadata) before it picks a decoder.
QImage readXpm(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.readAll();
    std::vector<QByteArray> strings;
    for (qsizetype open = text.indexOf('"'); open >= 0;) {
        const qsizetype close = text.indexOf('"', open + 1);
        if (close < 0)
            break;
        strings.push_back(text.mid(open + 1, close - open - 1));
        open = text.indexOf('"', close + 1);
    }
    if (strings.empty())
        return {};
    std::vector<const char *> rows;
    for (const QByteArray &s : strings)
        rows.push_back(s.constData());
    return QImage(rows.data());
}

} // namespace

// A picture with the extension .ico may come with XPM renderings of its
// sizes beside it ("smiley.ico": "smiley-16.xpm", "smiley-32.xpm"), which
// read without the ICO image plugin, or any other; the pixels are the same.
QIcon IconCache::icon(const QString &path)
{
    const auto known = loaded_.find(path);
    if (known != loaded_.end())
        return known->second;
    QIcon icon;
    if (path.endsWith(QLatin1String(".ico"))) {
        const QString base = path.chopped(4);
        for (int side : {16, 32}) {
            const QImage image =
                readXpm(base + QLatin1Char('-') + QString::number(side) + QLatin1String(".xpm"));
            if (!image.isNull())
                icon.addPixmap(QPixmap::fromImage(image));
        }
    }
    if (icon.isNull())
        icon = QIcon(path);
    loaded_.emplace(path, icon);
    return icon;
}

} // namespace ui
