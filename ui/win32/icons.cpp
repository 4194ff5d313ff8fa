// Icons from the program file's resources, by the pictures' paths.
#include "icons.h"

#include "resources.h"

namespace ui
{

namespace
{

// The icon group of the program file that holds the picture.
int resourceOf(const std::string &path)
{
    if (path == ":/icons/face.ico")
        return QUARVEL_FACE_ICON;
    if (path == ":/icons/smiley.ico")
        return QUARVEL_SMILEY_ICON;
    return 0;
}

} // namespace

IconCache::~IconCache()
{
    for (const auto &[key, icon] : loaded_)
        if (icon)
            DestroyIcon(icon);
}

HICON IconCache::icon(const std::string &path, int side)
{
    const auto key = std::make_pair(path, side);
    const auto it = loaded_.find(key);
    if (it != loaded_.end())
        return it->second;
    const int id = resourceOf(path);
    // Windows picks the group's best image for the size and scales it.
    HICON icon = id ? static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                    IMAGE_ICON, side, side, LR_DEFAULTCOLOR))
                    : nullptr;
    loaded_[key] = icon;
    return icon;
}

} // namespace ui
