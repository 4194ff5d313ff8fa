// Reads an icon from the PNG renderings of its sizes, without an image plugin.
#include "icons.h"

#include <QImage>
#include <QImageReader>
#include <QPixmap>

namespace ui
{

// A picture with the extension .ico may come with PNG renderings of its
// sizes beside it ("smiley.ico": "smiley-16.png", "smiley-32.png"). The PNGs
// decode without loading the ICO image plugin, which costs a plugin look-up
// and a library load at start-up; the pixels are the same.
QIcon IconCache::icon(const QString &path)
{
    const auto known = loaded_.find(path);
    if (known != loaded_.end())
        return known->second;
    QIcon icon;
    if (path.endsWith(QLatin1String(".ico"))) {
        const QString base = path.chopped(4);
        for (int side : {16, 32}) {
            const QString png = base + QLatin1Char('-') + QString::number(side) + ".png";
            // With the format named and guessing turned off, QImageReader
            // goes straight to its own PNG decoder; otherwise it loads every
            // image plugin (GIF, ICO, JPEG and libjpeg) to ask about the file.
            QImageReader reader(png, "png");
            reader.setAutoDetectImageFormat(false);
            const QImage image = reader.read();
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
