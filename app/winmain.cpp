// Start-up on Windows: builds the one Form1 window, raises Form_Load (the
// first deal lands on the tiles before the window is seen), then shows it.
#include "app/form1.h"
#include "ui/win32/application.h"
#include "ui/win32/backend.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
    ui::Application app;
    Form1 form;
    ui::Win32Backend backend(form);
    form.fireLoad();
    backend.show(showCommand);
    return app.exec();
}
