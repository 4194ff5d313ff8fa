// The pictures of the window and the images, read from the program file's
// icon resources once per path and size and shared: the four smileys show
// one icon.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <windows.h>

namespace ui
{

class IconCache
{
public:
    IconCache() = default;
    ~IconCache();
    IconCache(const IconCache &) = delete;
    IconCache &operator=(const IconCache &) = delete;

    // A picture path such as ":/icons/smiley.ico" at `side` pixels square;
    // null for a path the program file carries no icon for.
    HICON icon(const std::string &path, int side);

private:
    std::map<std::pair<std::string, int>, HICON> loaded_;
};

} // namespace ui
