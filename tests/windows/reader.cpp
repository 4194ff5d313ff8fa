// win_reader: what a screen reader's API reads from the game's window, for
// the Wine tests. Finds the top-level "Quarvel" window, asks Microsoft Active
// Accessibility for the object of the window and of every window inside it
// (AccessibleObjectFromWindow, OBJID_CLIENT) and prints one line for each:
// its role's text, a tab, its name. Exit status 1 when the window or an
// object cannot be had.
//   win_reader watch
// answers each line on standard input with the controls as they stand: a
// line "focus ID" (the window with the program's keyboard focus, 0 when no
// control's window has it), a line "ID<TAB>ENABLED<TAB>TEXT" for each window
// inside, and a line ".". The probe plays the series with it.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{

std::string utf8(const wchar_t *text, int length = -1)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    if (length < 0 && !out.empty())
        out.pop_back(); // the terminating zero
    return out;
}

// "role<TAB>name", or why it could not be read.
std::string describe(HWND window)
{
    IAccessible *object = nullptr;
    const HRESULT found = AccessibleObjectFromWindow(
        window, DWORD(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void **>(&object));
    if (FAILED(found) || !object)
        return "(no object: AccessibleObjectFromWindow 0x" + std::to_string(unsigned(found)) + ")";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    std::string line;
    VARIANT role;
    VariantInit(&role);
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) {
        wchar_t text[128];
        const UINT n = GetRoleTextW(DWORD(role.lVal), text, 128);
        line = n ? utf8(text) : "role " + std::to_string(role.lVal);
    } else {
        line = "(no role)";
    }
    VariantClear(&role);
    BSTR name = nullptr;
    const HRESULT named = object->get_accName(self, &name);
    line += '\t';
    line += named == S_OK && name ? utf8(name, int(SysStringLen(name))) : "(no name)";
    SysFreeString(name);
    object->Release();
    return line;
}

BOOL CALLBACK collect(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND> *>(windows)->push_back(window);
    return TRUE;
}

std::vector<HWND> inside(HWND window)
{
    std::vector<HWND> windows;
    EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

int watch()
{
    HWND game = nullptr;
    char request[64];
    while (std::fgets(request, sizeof request, stdin)) {
        if (!game || !IsWindow(game))
            game = FindWindowW(L"QuarvelWindow", L"Quarvel");
        if (game) {
            // The focus of the program's thread, as GetFocus would tell it
            // there.
            GUITHREADINFO thread{};
            thread.cbSize = sizeof thread;
            GetGUIThreadInfo(GetWindowThreadProcessId(game, nullptr), &thread);
            const HWND focus = thread.hwndFocus;
            std::printf("focus %d\n", focus && IsChild(game, focus) ? GetDlgCtrlID(focus) : 0);
            for (HWND w : inside(game)) {
                wchar_t text[256] = L"";
                GetWindowTextW(w, text, 256);
                std::printf("%d\t%d\t%s\n", GetDlgCtrlID(w), IsWindowEnabled(w) ? 1 : 0,
                            utf8(text).c_str());
            }
        }
        std::printf(".\n");
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::string(argv[1]) == "watch")
        return watch();
    HWND game = FindWindowW(L"QuarvelWindow", L"Quarvel");
    if (!game) {
        std::fprintf(stderr, "no Quarvel window\n");
        return 1;
    }
    CoInitialize(nullptr);
    std::vector<HWND> windows = inside(game);
    windows.insert(windows.begin(), game);
    int failures = 0;
    for (HWND w : windows) {
        const std::string line = describe(w);
        failures += line[0] == '(';
        std::printf("%s\n", line.c_str());
    }
    CoUninitialize();
    return failures ? 1 : 0;
}
