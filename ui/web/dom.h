// The page's elements as the backend reaches them: each element is a handle
// that the page's own scripts (dom.js, menubar.js, dialog.js, events.js)
// keep; these calls write its properties. Texts are UTF-8.
#pragma once

extern "C" {

// The element the page gives the game and its handle. What the page was
// written with at build time stays, for domMake to take over.
int domAttach();
// A new element inside `parent`, with a class and the name of its control
// (data-control); returns its handle. The element the page was written with
// under the same handle is taken over instead, when it is the same.
int domMake(const char *tag, int parent, const char *className, const char *control);
// Every element made: what the page was written with and was not taken over
// goes.
void domSettle();
// The page's style sheet `id` holds `text` (CSS).
void domSheet(const char *id, const char *text);
// Position and size in CSS pixels, fractions kept.
void domBox(int element, double left, double top, double width, double height);
void domStyle(int element, const char *property, const char *value);
// A null value removes the attribute.
void domAttribute(int element, const char *name, const char *value);
void domText(int element, const char *text);
// The caption with `key` underlined between the texts before and after it.
void domCaption(int element, const char *before, const char *key, const char *after);
void domFocus(int element);
// Takes the focus from the game's elements: the page holds it, no control.
void domBlur();
// The handle of the element with the keyboard focus, or around it; -1 for none.
int domFocused();
void domTitle(const char *title);
// Has screen readers say `text` once, through the live region `element`,
// even when it says the same as last time.
void domAnnounce(int element, const char *text);

int menuBar(int parent);
int menuAdd(int bar, const char *control);
int menuItem(int menu, const char *control);
void menuOpen(int menu);

void dialogShow(const char *title, const char *text);
void pageEnded();
void eventsInstall(int form);
}
