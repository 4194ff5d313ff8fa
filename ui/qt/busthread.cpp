// Qt's D-Bus connection manager is a static object whose destructor stops
// its thread and waits only for the thread's run to finish. The thread lets
// go of its own per-thread data later, as it ends; when the process exits
// before that, the data (about 250 bytes) is lost. Any Qt program that has
// connected to a bus loses it now and then, this one through the
// accessibility bridge. An exit handler registered before the manager exists
// runs after its destructor, and there waits for the thread to end.
#include "busthread.h"

#include <chrono>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>

namespace ui
{

namespace
{

// Qt names each thread it starts after its class, cut to the 15 characters
// that Linux keeps: QDBusConnectionManager becomes this, as /proc shows it.
constexpr std::string_view busThreadComm = "QDBusConnection\n";

bool busThreadRunning()
{
    DIR *tasks = opendir("/proc/self/task");
    if (!tasks)
        return false;
    bool found = false;
    while (const dirent *task = readdir(tasks)) {
        if (task->d_name[0] == '.')
            continue;
        const std::string path = std::string("/proc/self/task/") + task->d_name + "/comm";
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue; // that thread has just ended
        char name[32];
        const ssize_t got = read(fd, name, sizeof name);
        close(fd);
        if (got > 0 && std::string_view(name, size_t(got)) == busThreadComm) {
            found = true;
            break;
        }
    }
    closedir(tasks);
    return found;
}

void awaitBusThread()
{
    using namespace std::chrono_literals;
    const auto deadline = std::chrono::steady_clock::now() + 1s;
    while (busThreadRunning() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
}

} // namespace

void awaitBusThreadAtExit()
{
    std::atexit(awaitBusThread);
}

} // namespace ui
