// The pictures of the window and the images, decoded once per path and
// shared: the four smileys show one icon.
#pragma once

#include <QIcon>
#include <QString>
#include <map>

namespace ui
{

class IconCache
{
public:
    // A resource path such as ":/icons/smiley.ico".
    QIcon icon(const QString &path);

private:
    std::map<QString, QIcon> loaded_;
};

} // namespace ui
