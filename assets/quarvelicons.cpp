// Builds the game's QIcons from the compiled-in PNG renderings, so that every size that was
// drawn by hand is offered to the toolkit and nothing depends on an image plugin.

#include "quarvelicons.h"

namespace quarvel::icons
{

namespace
{

QIcon fromPngs(const char *small, const char *large)
{
    QIcon icon;
    icon.addFile(QString::fromLatin1(small), QSize(16, 16));
    icon.addFile(QString::fromLatin1(large), QSize(32, 32));
    return icon;
}

} // namespace

QIcon face()
{
    return fromPngs(face16Path, face32Path);
}

QIcon smiley()
{
    return fromPngs(smiley16Path, smiley32Path);
}

} // namespace quarvel::icons
