// Start-up: the toolkit builds the one Form1 window, raises Form_Load (the
// first deal lands on the tiles before the window is seen), then shows it.
#include "app/form1.h"
#include "ui/qt/application.h"
#include "ui/qt/backend.h"

int main(int argc, char *argv[])
{
    ui::Application app(argc, argv);
    Form1 form;
    ui::QtBackend backend(form);
    form.fireLoad();
    backend.show();
    return app.exec();
}
