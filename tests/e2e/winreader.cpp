// The Windows program's controls as its own windows tell them, read under
// Wine by tests/windows' reader (E2E_WIN_READER), which runs in the test's
// prefix for as long as the probe plays and answers each request with every
// window's number, state and text (the name a screen reader hears). The
// program numbers its controls' windows one after another in the game's
// order of its controls, so the lowest number is the first control's.
#include "pixels.h"
#include "readers.h"
#include "xsession.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace e2e
{

namespace
{

class WineReader : public ControlsReader
{
public:
    explicit WineReader(double timeoutSeconds) : timeout_(timeoutSeconds), places_(controlPlaces())
    {
        const char *reader = std::getenv("E2E_WIN_READER");
        if (!reader || !*reader)
            throw Failure("E2E_WIN_READER names no reader program");
        // A reader that dies leaves a pipe with no one at its end: a write
        // must fail, not end the probe.
        std::signal(SIGPIPE, SIG_IGN);
        int toReader[2], fromReader[2];
        if (pipe(toReader) != 0 || pipe(fromReader) != 0)
            throw Failure("no pipes for the reader");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toReader[0], 0);
        posix_spawn_file_actions_adddup2(&actions, fromReader[1], 1);
        for (int fd : {toReader[0], toReader[1], fromReader[0], fromReader[1]})
            posix_spawn_file_actions_addclose(&actions, fd);
        char wine[] = "wine", watch[] = "watch";
        std::string path = reader;
        char *argv[] = {wine, path.data(), watch, nullptr};
        const int failed = posix_spawnp(&pid_, "wine", &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(toReader[0]);
        close(fromReader[1]);
        to_ = toReader[1];
        from_ = fromReader[0];
        if (failed)
            throw Failure("cannot start wine " + path);
        const auto start = Clock::now();
        while (ask().empty()) {
            if (secondsSince(start) > timeoutSeconds)
                throw Failure("the reader never found the Quarvel window");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    ~WineReader() override
    {
        close(to_);
        close(from_);
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }

    ControlsReading read(bool detail) override
    {
        const std::vector<std::string> lines = ask();
        if (lines.empty())
            throw Failure("the reader no longer finds the Quarvel window");
        std::map<int, std::pair<bool, std::string>> windows;
        int focus = 0, first = 1 << 30;
        for (const std::string &line : lines) {
            std::istringstream in(line);
            if (line.rfind("focus ", 0) == 0) {
                focus = std::atoi(line.c_str() + 6);
                continue;
            }
            int id = 0, enabled = 0;
            in >> id >> enabled;
            in.get();
            std::string text;
            std::getline(in, text);
            windows[id] = {enabled != 0, text};
            first = std::min(first, id);
        }
        ControlsReading r;
        r.focus = "none";
        for (const auto &[id, window] : windows) {
            const std::size_t i = std::size_t(id - first);
            const std::string name = i < places_.size() ? places_[i].name : "?";
            if (id == focus)
                r.focus = name;
            if (name == "Label1")
                r.status = window.second;
            if (name == "Label3")
                r.counter = window.second;
            if (name == "Picture1")
                r.boardOpen = window.first;
            if (detail)
                r.raw += name + (id == focus ? " focused" : "") +
                         (window.first ? "" : " disabled") + ": " + window.second + "\n";
        }
        return r;
    }

private:
    // One request and its answer's lines; none while the window is not up.
    std::vector<std::string> ask()
    {
        if (write(to_, "read\n", 5) != 5)
            throw Failure("the reader has gone");
        std::vector<std::string> lines;
        for (;;) {
            const std::string next = readLine();
            if (next == ".")
                return lines;
            lines.push_back(next);
        }
    }

    std::string readLine()
    {
        for (;;) {
            const auto end = buffer_.find('\n');
            if (end != std::string::npos) {
                std::string line = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                return line;
            }
            pollfd p{from_, POLLIN, 0};
            if (poll(&p, 1, int(timeout_ * 1000)) <= 0)
                throw Failure("the reader did not answer within the time limit");
            char chunk[4096];
            const ssize_t n = ::read(from_, chunk, sizeof chunk);
            if (n <= 0)
                throw Failure("the reader has gone");
            buffer_.append(chunk, std::size_t(n));
        }
    }

    double timeout_;
    std::vector<ControlPlace> places_;
    pid_t pid_ = -1;
    int to_ = -1, from_ = -1;
    std::string buffer_;
};

} // namespace

std::unique_ptr<ControlsReader> openWineReader(double timeoutSeconds)
{
    return std::make_unique<WineReader>(timeoutSeconds);
}

} // namespace e2e
