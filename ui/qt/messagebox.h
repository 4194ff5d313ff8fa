// The message box: text, one OK button and a title over the game window,
// which takes no input until the box is closed.
#pragma once

#include <QString>

class QWidget;

namespace ui
{

// Returns when the box is closed, or when the window is (closing the window
// ends the program in every state).
void showMessageBox(QWidget *window, const QString &text, const QString &title);

} // namespace ui
