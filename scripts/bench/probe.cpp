// Benchmark probe: starts one program under the current X server and times it
// from the outside through Xlib, XDamage and XTest, reading its cost from /proc.
// Prints key=value lines; used by scripts/bench.sh and scripts/screenshots.sh.
//
//   probe [ACTION...] -- COMMAND [ARG...]
//
// The probe always measures start-up first: from just before exec until the
// program's first top-level window is mapped (map_ms) and first drawn into
// (paint_ms). Then it waits until the window has been still for 300 ms and
// runs the actions in order. Positions X,Y are window pixels from the
// top-left corner; a negative value counts from the right or bottom edge.
//   idle:S          over S seconds: CPU (utime+stime), voluntary context
//                   switches of all threads, and repaints (damage bursts)
//   mem             RSS, PSS, USS and private dirty memory in KiB from
//                   /proc/PID/smaps_rollup (USS also counts library pages no
//                   other process happens to map; dirty pages are the
//                   program's own whatever else runs)
//   latency:X,Y     a click there; ms until the window first changes
//   gap:X0,Y0,X1,Y1,N  like latency, on the board of N x N cells in that
//                   rectangle: finds the free cell (the one of a single
//                   colour) and clicks a tile next to it
//   click:X,Y       a click there, then wait until the window is still
//   press:X,Y       a click there, without waiting for anything after it
//   key:K           a key press and release (K is a keysym name, e.g. a)
//   focus           give the window the keyboard focus
//   celebrate:X,Y   a click there; ms until the last change before 800 ms
//                   of stillness (the end of an animation it starts)
//   wait:MS         let MS milliseconds pass
//   shot:FILE       save the window's pixels as a binary PPM (scripts/bench/topng
//                   turns it into a PNG)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fstream>
#include <map>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

Display *dpy;
int damageEvent;
pid_t child = -1;
Window win = 0;
std::map<Window, Damage> damages; // every top-level, from its creation on
double mappedAt = 0;              // ms when win was mapped
double lastChange = 0;            // ms of the last damage to win
int changes = 0;                  // damage bursts to win

double nowMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

[[noreturn]] void die(const std::string &why)
{
    std::fprintf(stderr, "probe: %s\n", why.c_str());
    if (child > 0)
        kill(child, SIGKILL);
    std::exit(1);
}

// A window may be gone, or be input-only, by the time the probe watches it;
// such errors concern nothing the probe measures.
int ignoreError(Display *, XErrorEvent *)
{
    return 0;
}

void watch(Window w)
{
    if (damages.count(w))
        return;
    damages[w] = XDamageCreate(dpy, w, XDamageReportNonEmpty);
}

// Handles one event. Returns true for damage to the main window.
bool handle(XEvent &ev)
{
    if (ev.type == CreateNotify && ev.xcreatewindow.parent == DefaultRootWindow(dpy)) {
        if (!ev.xcreatewindow.override_redirect)
            watch(ev.xcreatewindow.window);
    } else if (ev.type == MapNotify && ev.xmap.event == DefaultRootWindow(dpy) && win == 0 &&
               !ev.xmap.override_redirect) {
        XWindowAttributes a;
        if (XGetWindowAttributes(dpy, ev.xmap.window, &a) && a.width >= 50 && a.height >= 50) {
            win = ev.xmap.window;
            mappedAt = nowMs();
            watch(win);
        }
    } else if (ev.type == damageEvent + XDamageNotify) {
        auto *de = reinterpret_cast<XDamageNotifyEvent *>(&ev);
        XDamageSubtract(dpy, de->damage, None, None);
        if (win && de->drawable == win) {
            lastChange = nowMs();
            ++changes;
            return true;
        }
    }
    return false;
}

// Waits for events until the deadline (ms); returns true when the main window
// was damaged, false at the deadline.
bool nextChange(double deadline)
{
    for (;;) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (handle(ev))
                return true;
        }
        const double left = deadline - nowMs();
        if (left <= 0)
            return false;
        pollfd p{ConnectionNumber(dpy), POLLIN, 0};
        poll(&p, 1, int(left) + 1);
    }
}

// Waits until the window has not changed for stillMs; gives up after limitMs.
void waitStill(double stillMs, double limitMs = 10000)
{
    const double limit = nowMs() + limitMs;
    double last = nowMs();
    while (nowMs() < limit) {
        if (nextChange(std::min(last + stillMs, limit)))
            last = nowMs();
        else if (nowMs() >= last + stillMs)
            return;
    }
}

std::string slurp(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

long field(const std::string &text, const std::string &key)
{
    const auto at = text.find("\n" + key + ":");
    if (at == std::string::npos)
        return -1;
    return std::strtol(text.c_str() + at + key.size() + 2, nullptr, 10);
}

// utime + stime of the whole process, in ms.
double cpuMs()
{
    const std::string stat = slurp("/proc/" + std::to_string(child) + "/stat");
    const auto close = stat.rfind(')');
    std::istringstream in(stat.substr(close + 2));
    std::string f;
    std::vector<std::string> fields;
    while (in >> f)
        fields.push_back(f);
    // Fields 14 and 15 of the line; the list starts at field 3.
    const double ticks = std::stod(fields.at(11)) + std::stod(fields.at(12));
    return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

// Voluntary context switches summed over every thread.
long wakeups()
{
    long sum = 0;
    const std::string dir = "/proc/" + std::to_string(child) + "/task";
    DIR *d = opendir(dir.c_str());
    if (!d)
        return -1;
    while (dirent *e = readdir(d)) {
        if (e->d_name[0] == '.')
            continue;
        sum += field("\n" + slurp(dir + "/" + e->d_name + "/status"), "voluntary_ctxt_switches");
    }
    closedir(d);
    return sum;
}

void point(const std::string &arg, int &x, int &y)
{
    int ax = 0, ay = 0;
    if (std::sscanf(arg.c_str(), "%d,%d", &ax, &ay) != 2)
        die("bad position " + arg);
    XWindowAttributes a;
    XGetWindowAttributes(dpy, win, &a);
    Window unused;
    int rx = 0, ry = 0;
    XTranslateCoordinates(dpy, win, DefaultRootWindow(dpy), 0, 0, &rx, &ry, &unused);
    x = rx + (ax < 0 ? a.width + ax : ax);
    y = ry + (ay < 0 ? a.height + ay : ay);
}

// Moves the pointer there and lets hover effects settle, then clicks;
// returns the time just before the button went down.
double click(const std::string &arg)
{
    int x, y;
    point(arg, x, y);
    XTestFakeMotionEvent(dpy, -1, x, y, CurrentTime);
    XFlush(dpy);
    waitStill(300);
    const double t = nowMs();
    XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
    XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
    XFlush(dpy);
    return t;
}

void shot(const std::string &file)
{
    XWindowAttributes a;
    XGetWindowAttributes(dpy, win, &a);
    XImage *img =
        XGetImage(dpy, win, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    if (!img)
        die("cannot read the window's pixels");
    std::FILE *out = std::fopen(file.c_str(), "wb");
    if (!out)
        die("cannot write " + file);
    std::fprintf(out, "P6\n%d %d\n255\n", a.width, a.height);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const unsigned long p = XGetPixel(img, x, y);
            const unsigned char rgb[3] = {static_cast<unsigned char>((p >> 16) & 0xFF),
                                          static_cast<unsigned char>((p >> 8) & 0xFF),
                                          static_cast<unsigned char>(p & 0xFF)};
            std::fwrite(rgb, 1, 3, out);
        }
    std::fclose(out);
    XDestroyImage(img);
}

// The free cell of an N x N board: the one cell whose inner part has a
// single colour (tiles carry a number or a picture). Returns false when no
// cell or more than one qualifies.
bool findGap(int x0, int y0, int x1, int y1, int n, int &row, int &col)
{
    XImage *img =
        XGetImage(dpy, win, x0, y0, unsigned(x1 - x0), unsigned(y1 - y0), AllPlanes, ZPixmap);
    if (!img)
        return false;
    const double cw = double(x1 - x0) / n, ch = double(y1 - y0) / n;
    int found = 0;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            bool plain = true;
            const unsigned long first =
                XGetPixel(img, int(c * cw + cw * 0.2), int(r * ch + ch * 0.2));
            for (int sy = 0; sy < 12 && plain; ++sy)
                for (int sx = 0; sx < 12 && plain; ++sx)
                    plain = XGetPixel(img, int(c * cw + cw * (0.2 + 0.6 * sx / 11)),
                                      int(r * ch + ch * (0.2 + 0.6 * sy / 11))) == first;
            if (plain) {
                row = r;
                col = c;
                ++found;
            }
        }
    XDestroyImage(img);
    return found == 1;
}

void run(const std::string &action)
{
    const auto colon = action.find(':');
    const std::string verb = action.substr(0, colon);
    const std::string arg = colon == std::string::npos ? "" : action.substr(colon + 1);
    if (verb == "idle") {
        const double span = std::stod(arg) * 1000;
        const double cpu0 = cpuMs();
        const long wake0 = wakeups();
        const int changes0 = changes;
        const double end = nowMs() + span;
        while (nextChange(end)) {
        }
        std::printf("idle_cpu_ms=%.0f\nidle_wakeups=%ld\nidle_repaints=%d\n", cpuMs() - cpu0,
                    wakeups() - wake0, changes - changes0);
    } else if (verb == "mem") {
        const std::string r = "\n" + slurp("/proc/" + std::to_string(child) + "/smaps_rollup");
        std::printf("rss_kb=%ld\npss_kb=%ld\nuss_kb=%ld\ndirty_kb=%ld\n", field(r, "Rss"),
                    field(r, "Pss"), field(r, "Private_Clean") + field(r, "Private_Dirty"),
                    field(r, "Private_Dirty"));
    } else if (verb == "latency") {
        const double t = click(arg);
        if (nextChange(t + 5000))
            std::printf("click_ms=%.2f\n", lastChange - t);
        else
            std::printf("click_ms=nan\n");
        waitStill(300);
    } else if (verb == "gap") {
        int x0, y0, x1, y1, n, row, col;
        if (std::sscanf(arg.c_str(), "%d,%d,%d,%d,%d", &x0, &y0, &x1, &y1, &n) != 5)
            die("bad board " + arg);
        if (!findGap(x0, y0, x1, y1, n, row, col)) {
            std::printf("click_ms=nan\n");
            std::fprintf(stderr, "probe: no single free cell on the board %s\n", arg.c_str());
        } else {
            // A neighbour in the same row, else in the same column.
            const int c = col > 0 ? col - 1 : col + 1;
            const double cw = double(x1 - x0) / n, ch = double(y1 - y0) / n;
            const std::string at = std::to_string(int(x0 + (c + 0.5) * cw)) + "," +
                                   std::to_string(int(y0 + (row + 0.5) * ch));
            const double t = click(at);
            if (nextChange(t + 5000))
                std::printf("click_ms=%.2f\n", lastChange - t);
            else
                std::printf("click_ms=nan\n");
            waitStill(300);
        }
    } else if (verb == "click") {
        click(arg);
        waitStill(300);
    } else if (verb == "press") {
        click(arg);
    } else if (verb == "celebrate") {
        const double t = click(arg);
        waitStill(800, 20000);
        std::printf("celebration_ms=%.1f\n", lastChange - t);
    } else if (verb == "key") {
        const KeyCode code = XKeysymToKeycode(dpy, XStringToKeysym(arg.c_str()));
        if (!code)
            die("no key " + arg);
        XTestFakeKeyEvent(dpy, code, True, CurrentTime);
        XTestFakeKeyEvent(dpy, code, False, CurrentTime);
        XFlush(dpy);
        waitStill(200);
    } else if (verb == "focus") {
        XSetInputFocus(dpy, win, RevertToPointerRoot, CurrentTime);
        XFlush(dpy);
        waitStill(200);
    } else if (verb == "wait") {
        const double end = nowMs() + std::stod(arg);
        while (nextChange(end)) {
        }
    } else if (verb == "shot") {
        shot(arg);
    } else {
        die("unknown action " + action);
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> actions;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
        actions.emplace_back(argv[i]);
    if (i + 1 >= argc) {
        std::fprintf(stderr, "usage: probe [ACTION...] -- COMMAND [ARG...]\n");
        return 2;
    }
    dpy = XOpenDisplay(nullptr);
    if (!dpy)
        die("cannot open the display");
    int damageError, major, minor;
    if (!XDamageQueryExtension(dpy, &damageEvent, &damageError))
        die("the X server has no DAMAGE extension");
    if (!XTestQueryExtension(dpy, &damageError, &damageError, &major, &minor))
        die("the X server has no XTEST extension");
    XSetErrorHandler(ignoreError);
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, False);

    // The pointer waits in the far corner, away from any hover effect.
    XTestFakeMotionEvent(dpy, -1, DisplayWidth(dpy, DefaultScreen(dpy)) - 1,
                         DisplayHeight(dpy, DefaultScreen(dpy)) - 1, CurrentTime);
    XSync(dpy, False);

    const double t0 = nowMs();
    child = fork();
    if (child == 0) {
        close(ConnectionNumber(dpy));
        execvp(argv[i + 1], argv + i + 1);
        std::perror(argv[i + 1]);
        _exit(127);
    }
    const double limit = t0 + 30000;
    while (!win || !changes) {
        if (!nextChange(std::min(limit, nowMs() + 100)) && nowMs() >= limit)
            die("no window was drawn within 30 s");
        int status;
        if (waitpid(child, &status, WNOHANG) == child)
            die("the program ended before its window was drawn");
    }
    std::printf("map_ms=%.2f\npaint_ms=%.2f\n", mappedAt - t0, lastChange - t0);
    std::fflush(stdout);
    waitStill(300);

    for (const std::string &a : actions)
        run(a);

    kill(child, SIGTERM);
    for (int n = 0; n < 200; ++n) {
        if (waitpid(child, nullptr, WNOHANG) == child)
            return 0;
        usleep(10000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return 0;
}
