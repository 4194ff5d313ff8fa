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
// inside, a line "thread ..." (the program's active and focus windows, for a
// report) and a line ".". The probe plays the series with it. A line
// "activate" makes the game's window the active one first, as a window
// manager does once the window's message box has closed.
//   win_reader hear
// says what a screen reader would while the game is played, a line an
// utterance: listening out of context to the game's events, it reads back
// the name of what gets the focus (after a grouping it enters), of the focus
// renamed, and of a live region that changed, as NVDA and Narrator do; the
// first line is what has the focus as it starts.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <deque>
#include <string>
#include <tuple>
#include <utility>
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
        if (game && std::string(request) == "activate\n" && GetForegroundWindow() != game)
            SetForegroundWindow(game);
        if (game) {
            // The focus of the program's thread, as GetFocus would tell it
            // there.
            GUITHREADINFO thread{};
            thread.cbSize = sizeof thread;
            GetGUIThreadInfo(GetWindowThreadProcessId(game, nullptr), &thread);
            const HWND focus = thread.hwndFocus;
            std::printf("focus %d\n", focus && IsChild(game, focus) ? GetDlgCtrlID(focus) : 0);
            std::printf("thread active %s, focus %s\n",
                        thread.hwndActive == game ? "the window"
                        : thread.hwndActive       ? "another"
                                                  : "none",
                        focus == game ? "the window"
                        : focus       ? "a window"
                                      : "none");
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

HWND focus = nullptr;
// Reading a name asks the game, and the next event's callback can run while
// it waits: events wait in line, to be heard in the order they came.
std::deque<std::pair<DWORD, HWND>> waiting;
bool hearing = false;

void say(HWND window)
{
    const std::string line = describe(window), name = line.substr(line.find('\t') + 1);
    if (line[0] != '(' && !name.empty() && name != "(no name)")
        std::printf("%s\n", name.c_str());
    std::fflush(stdout);
}

void CALLBACK heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object != OBJID_CLIENT || child != CHILDID_SELF || !window)
        return;
    waiting.emplace_back(event, window);
    if (std::exchange(hearing, true))
        return;
    for (; !waiting.empty(); waiting.pop_front()) {
        std::tie(event, window) = waiting.front();
        const bool focused = event == EVENT_OBJECT_FOCUS && window != focus;
        HWND parent = GetParent(window);
        if (focused && GetParent(parent) && (!focus || GetParent(focus) != parent))
            say(parent); // a grouping entered from outside
        if (focused || (event == EVENT_OBJECT_NAMECHANGE && window == focus) ||
            event == EVENT_OBJECT_LIVEREGIONCHANGED)
            say(focused ? focus = window : window);
    }
    hearing = false;
}

int hearGame()
{
    HWND game = nullptr;
    for (int i = 0; i < 600 && !game; ++i, Sleep(50))
        game = FindWindowW(L"QuarvelWindow", L"Quarvel");
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(game, &process);
    CoInitialize(nullptr);
    if (!game || !SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                  heard, process, 0, WINEVENT_OUTOFCONTEXT))
        return 1;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(thread, &info) && info.hwndFocus)
        heard(nullptr, EVENT_OBJECT_FOCUS, info.hwndFocus, OBJID_CLIENT, CHILDID_SELF, 0, 0);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::string(argv[1]) == "watch")
        return watch();
    if (argc > 1 && std::string(argv[1]) == "hear")
        return hearGame();
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
