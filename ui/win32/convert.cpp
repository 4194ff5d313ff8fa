// Text, colours and fonts from the controls' terms into the Windows API's.
#include "convert.h"

#include <cmath>

namespace ui
{

std::wstring toWide(const std::string &utf8)
{
    if (utf8.empty())
        return {};
    const int size = int(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

COLORREF toColorRef(Color c)
{
    if (isSystemColor(c))
        return GetSysColor(systemColorIndex(c));
    return RGB(redOf(c), greenOf(c), blueOf(c));
}

HFONT createFont(const Font &font, int dpi)
{
    LOGFONTW log{};
    if (font.name.empty()) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, UINT(dpi));
        log = metrics.lfMessageFont;
    } else {
        // A negative height asks for the character height (the em), which
        // is what a size in points gives.
        log.lfHeight = -LONG(std::lround(double(font.size) * dpi / 72));
        log.lfWeight = font.weight;
        log.lfCharSet = BYTE(font.charset);
        log.lfOutPrecision = OUT_TT_PRECIS;
        log.lfQuality = DEFAULT_QUALITY;
        const std::wstring name = toWide(font.name);
        lstrcpynW(log.lfFaceName, name.c_str(), LF_FACESIZE);
    }
    return CreateFontIndirectW(&log);
}

} // namespace ui
