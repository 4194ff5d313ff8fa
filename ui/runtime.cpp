// Dispatch boundary, error reporting and the end-of-program request.
#include "runtime.h"

#include "error.h"

#include <cstdio>

namespace ui
{

namespace
{

// Thrown by end() to unwind the running handler; only dispatch() catches it.
struct EndRequest {
};

Platform *activePlatform = nullptr;
bool programEnded = false;
int errors = 0;

} // namespace

void setPlatform(Platform *p)
{
    activePlatform = p;
}
Platform *platform()
{
    return activePlatform;
}

bool dispatch(std::string_view event, const std::function<void()> &handler)
{
    if (programEnded || !handler)
        return false;
    try {
        handler();
        return true;
    } catch (const RuntimeError &e) {
        ++errors;
        // stdio rather than iostreams: the Windows program links statically,
        // and iostreams alone would add about a megabyte to it.
        char line[512];
        std::snprintf(line, sizeof line, "quarvel: runtime error %d in %.*s: %s", e.number(),
                      int(event.size()), event.data(), e.what());
        std::fprintf(stderr, "%s\n", line);
        std::fflush(stderr);
        if (activePlatform)
            activePlatform->reportError(line);
    } catch (const EndRequest &) {
        if (activePlatform)
            activePlatform->endProgram();
    }
    return false;
}

int errorCount()
{
    return errors;
}

void msgBox(const std::string &text, const std::string &title)
{
    if (activePlatform)
        activePlatform->messageBox(text, title);
}

void end()
{
    programEnded = true;
    throw EndRequest{};
}

bool ended()
{
    return programEnded;
}

void resetRuntime()
{
    programEnded = false;
}

} // namespace ui
