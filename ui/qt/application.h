// The Qt application as the game starts it: one style, the menu bar kept in
// the window, and fontconfig set up beside the main thread while Qt connects
// to the display.
#pragma once

#include <QApplication>
#include <memory>

namespace ui
{

class Application
{
public:
    Application(int &argc, char **argv);
    ~Application();
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    // Runs the event loop until the program ends; returns its exit status.
    int exec();

private:
    std::unique_ptr<QApplication> app_;
};

} // namespace ui
