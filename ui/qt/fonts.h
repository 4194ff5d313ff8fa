// The window's fonts, made ready on a helper thread while the main thread
// builds the widgets, so that the first paint finds them.
#pragma once

#include "ui/controls.h"

#include <QFont>
#include <thread>
#include <vector>

namespace ui
{

// The distinct fonts the form's widgets use, the application's default font
// among them. Needs the QApplication.
std::vector<QFont> fontsOf(const Form &form);

class FontWarmUp
{
public:
    explicit FontWarmUp(const Form &form);
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

private:
    std::thread thread_;
};

} // namespace ui
