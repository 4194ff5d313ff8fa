// Start-up failures in a message box, boundary errors to the debugger.
#include "failure.h"

#include "convert.h"

#include <iterator>

namespace ui
{

namespace
{

// FormatMessageW's text for a system error code, without its line end, into
// `text` of `size` characters.
void systemText(DWORD code, wchar_t *text, DWORD size)
{
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, size, nullptr);
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n'))
        --length;
    text[length] = L'\0';
    if (length == 0)
        lstrcpynW(text, L"Unknown error.", int(size));
}

} // namespace

void failToStart(const wchar_t *what, const wchar_t *name)
{
    const DWORD code = GetLastError();
    wchar_t reason[512];
    systemText(code, reason, DWORD(std::size(reason)));
    // wsprintfW rather than the C library's wide printf, which would add
    // kilobytes to the program for one message; it writes at most 1024
    // characters.
    wchar_t text[1024];
    wsprintfW(text, L"Quarvel could not %.200s%s%.100s.\n\n%.500s (error %lu)", what,
              *name ? L" " : L"", name, reason, code);
    MessageBoxW(nullptr, text, L"Quarvel", MB_OK | MB_ICONERROR);
    ExitProcess(1);
}

HWND windowOrFail(HWND window, const wchar_t *what, const std::string &name)
{
    if (!window) {
        const DWORD code = GetLastError();
        const std::wstring wide = toWide(name);
        SetLastError(code);
        failToStart(what, wide.c_str());
    }
    return window;
}

void reportToDebugger(const std::string &line)
{
    OutputDebugStringW((toWide(line) + L"\n").c_str());
}

} // namespace ui
