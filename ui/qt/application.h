// The Qt application as the game starts it: --help and --version, one style,
// the menu bar kept in the window, fontconfig set up beside the main thread,
// and a clear word where there is no display.
#pragma once

#include <QApplication>
#include <memory>

namespace ui
{

class Application
{
public:
    // Ends the program instead of returning where the command line asks for
    // help or the version (status 0), no display can be opened (1), or an
    // argument is not understood (2).
    Application(int &argc, char **argv);
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    // Runs the event loop until the program ends; returns its exit status.
    int exec();

private:
    std::unique_ptr<QApplication> app_;
};

} // namespace ui
