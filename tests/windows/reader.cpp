// win_reader: what a screen reader's API reads from the game's window, for
// the Wine test of accessible names. Finds the top-level "Quarvel" window,
// asks Microsoft Active Accessibility for the object of the window and of
// every window inside it (AccessibleObjectFromWindow, OBJID_CLIENT) and
// prints one line for each: its role's text, a tab, its name. Exit status 1
// when the window or an object cannot be had.
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

} // namespace

int main()
{
    HWND game = FindWindowW(L"QuarvelWindow", L"Quarvel");
    if (!game) {
        std::fprintf(stderr, "no Quarvel window\n");
        return 1;
    }
    CoInitialize(nullptr);
    std::vector<HWND> windows{game};
    EnumChildWindows(game, collect, reinterpret_cast<LPARAM>(&windows));
    int failures = 0;
    for (HWND w : windows) {
        const std::string line = describe(w);
        failures += line[0] == '(';
        std::printf("%s\n", line.c_str());
    }
    CoUninitialize();
    return failures ? 1 : 0;
}
