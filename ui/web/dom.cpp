// The calls into the page's scripts, one line each: the scripts own the
// elements, the backend owns what they show.
#include "dom.h"

#include <emscripten/emscripten.h>

// clang-format off
EM_JS(int, domAttach, (), { return QuarvelDom.attach(); });
EM_JS(int, domMake, (const char *tag, int parent, const char *className, const char *control), {
    return QuarvelDom.make(UTF8ToString(tag), parent, UTF8ToString(className), UTF8ToString(control));
});
EM_JS(void, domSettle, (), { QuarvelDom.settle(); });
EM_JS(void, domSheet, (const char *id, const char *text), {
    QuarvelDom.sheet(UTF8ToString(id), UTF8ToString(text));
});
EM_JS(void, domBox, (int element, double left, double top, double width, double height), {
    var s = QuarvelDom.elements[element].style;
    s.left = left + 'px'; s.top = top + 'px'; s.width = width + 'px'; s.height = height + 'px';
});
EM_JS(void, domStyle, (int element, const char *property, const char *value), {
    QuarvelDom.elements[element].style.setProperty(UTF8ToString(property), UTF8ToString(value));
});
EM_JS(void, domAttribute, (int element, const char *name, const char *value), {
    var e = QuarvelDom.elements[element];
    if (value) e.setAttribute(UTF8ToString(name), UTF8ToString(value));
    else e.removeAttribute(UTF8ToString(name));
});
EM_JS(void, domText, (int element, const char *text), {
    QuarvelDom.text(QuarvelDom.elements[element], UTF8ToString(text));
});
EM_JS(void, domCaption, (int element, const char *before, const char *key, const char *after), {
    QuarvelDom.caption(QuarvelDom.elements[element], UTF8ToString(before), UTF8ToString(key),
                       UTF8ToString(after));
});
EM_JS(void, domFocus, (int element), { QuarvelDom.elements[element].focus(); });
EM_JS(void, domBlur, (), { QuarvelDom.blur(); });
EM_JS(int, domFocused, (), { return QuarvelDom.focused(); });
EM_JS(void, domTitle, (const char *title), { document.title = UTF8ToString(title); });
EM_JS(void, domAnnounce, (int element, const char *text), {
    QuarvelDom.announce(QuarvelDom.elements[element], UTF8ToString(text));
});

EM_JS(int, menuBar, (int parent), { return QuarvelMenus.bar(parent); });
EM_JS(int, menuAdd, (int bar, const char *control), {
    return QuarvelMenus.add(bar, UTF8ToString(control));
});
EM_JS(int, menuItem, (int menu, const char *control), {
    return QuarvelMenus.item(menu, UTF8ToString(control));
});
EM_JS(void, menuOpen, (int menu), { QuarvelMenus.showHandle(menu); });

EM_JS(void, dialogShow, (const char *title, const char *text), {
    QuarvelDialog.show(UTF8ToString(title), UTF8ToString(text));
});
EM_JS(void, pageEnded, (), { QuarvelDialog.ended(); });
EM_JS(void, eventsInstall, (int form), { QuarvelEvents.install(form); });
// clang-format on
