// The game's pictures as the rest of the program sees them: the resource paths compiled into
// the quarvel_assets library and ready-made QIcons holding both drawn sizes.

#pragma once

#include <QIcon>

namespace quarvel::icons
{

// 16-colour icon groups (32 x 32 and 16 x 16 images), for readers that want the ICO itself.
inline constexpr char faceIcoPath[] = ":/icons/face.ico";
inline constexpr char smileyIcoPath[] = ":/icons/smiley.ico";

// The same pixels as PNG with alpha, readable without the ICO image plugin, and as XPM,
// which QImage reads straight from its rows (the Qt backend's choice at start-up).
inline constexpr char face16Path[] = ":/icons/face-16.png";
inline constexpr char face32Path[] = ":/icons/face-32.png";
inline constexpr char smiley16Path[] = ":/icons/smiley-16.png";
inline constexpr char smiley32Path[] = ":/icons/smiley-32.png";
inline constexpr char face16XpmPath[] = ":/icons/face-16.xpm";
inline constexpr char face32XpmPath[] = ":/icons/face-32.xpm";
inline constexpr char smiley16XpmPath[] = ":/icons/smiley-16.xpm";
inline constexpr char smiley32XpmPath[] = ":/icons/smiley-32.xpm";

// The face: the window's icon.
QIcon face();

// The smiley: the picture of the celebration.
QIcon smiley();

} // namespace quarvel::icons
