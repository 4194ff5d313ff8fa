// Icons from the program file's resources, by the pictures' paths.
#include "icons.h"

namespace ui
{

namespace
{

// The icon groups of the resource scripts: the face is group 1
// (assets/quarvel.rc.in), the smiley group 2 (ui/win32/resources.rc.in).
int resourceOf(const std::string &path)
{
    if (path == ":/icons/face.ico")
        return 1;
    if (path == ":/icons/smiley.ico")
        return 2;
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
