// The Windows program as the game starts it: common controls ready, COM for
// the screen readers' questions, the game's window classes registered, and
// the message loop.
#pragma once

namespace ui
{

class Application
{
public:
    Application();
    ~Application();
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    // Runs the message loop until the program ends; returns its exit status.
    int exec();
};

} // namespace ui
