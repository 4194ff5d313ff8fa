// Start-up in the browser: builds the one Form1 on the page, raises
// Form_Load (the first deal lands on the tiles before the form is seen),
// then shows it. The page's event loop runs the game after main returns;
// the form and its backend live as long as the page.
#include "app/form1.h"
#include "ui/web/backend.h"

int main()
{
    static Form1 form;
    static ui::WebBackend backend(form);
    form.fireLoad();
    backend.show();
    return 0;
}
