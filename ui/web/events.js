// The page's input for the controls: clicks, mouse moves and keys, handed
// to the backend with the handle of the element they reached. The rules of
// what each becomes are the backend's.
var QuarvelEvents = {
  modifiers: function (e) {
    return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0);
  },

  // The character a key types, as a code point; Tab, Return, Escape and
  // Backspace as their control characters; 0 for a key that types none.
  // Tab by its key too: WebKitGTK names Shift+Tab "Unidentified".
  character: function (e) {
    var named = { Tab: 9, Enter: 13, Escape: 27, Backspace: 8 };
    if (e.code === 'Tab') return 9;
    if (named[e.key]) return named[e.key];
    var c = e.key.codePointAt(0);
    return e.key.length === String.fromCodePoint(c).length ? c : 0;
  },

  // An event that the page kept while the module loaded, given again as it came: a key to the
  // control that has the focus now, as the next key would be; the mouse's to the element it
  // reached, while that is still on the page.
  replay: function (e) {
    var target = e.type === 'keydown' ? document.activeElement || document.body : e.target;
    if (document.contains(target)) target.dispatchEvent(new e.constructor(e.type, e));
  },

  install: function (root) {
    var form = QuarvelDom.elements[root];
    // The input that index.html kept until now goes to the game once it runs, after main has
    // shown the form and given the first control the focus; the page's own listeners take over.
    var kept = window.QuarvelEarly ? QuarvelEarly.take() : [];
    if (kept.length) addOnPostRun(function () { kept.forEach(QuarvelEvents.replay); });
    form.addEventListener('click', function (e) {
      var button = e.target.closest('button.control');
      if (button) Module['_quarvel_click'](QuarvelDom.handleOf(button));
    });
    // The game moves the focus on a press, as the desktops do; the
    // browser's own move goes on only where it is the same. Browsers differ
    // here: some never focus a pressed button, all would hand the focus to
    // the page on a press elsewhere, and to a tile of a locked board.
    form.addEventListener('mousedown', function (e) {
      if (!Module['_quarvel_press'](QuarvelDom.handleOf(e.target))) e.preventDefault();
    });
    // The mouse alone: a finger has no hover.
    form.addEventListener('pointermove', function (e) {
      if (e.pointerType !== 'mouse') return;
      var h = QuarvelDom.handleOf(e.target);
      var box = QuarvelDom.elements[h].getBoundingClientRect();
      var scale = box.width / (QuarvelDom.elements[h].offsetWidth || 1) || 1;
      Module['_quarvel_mousemove'](h, e.buttons & 7, QuarvelEvents.modifiers(e),
                                   (e.clientX - box.left) / scale, (e.clientY - box.top) / scale);
    });
    document.addEventListener('keydown', function (e) {
      if (e.defaultPrevented || e.isComposing || document.querySelector('dialog[open]')) return;
      var letter = /^Key[A-Z]$/.test(e.code) ? e.code.charCodeAt(3) : 0;
      if (Module['_quarvel_key'](QuarvelEvents.character(e), letter, QuarvelEvents.modifiers(e)))
        e.preventDefault();
    });
  },
};

// What the program writes on stderr (runtime errors at the event boundary)
// reaches the console as errors, not as the warnings emscripten makes of it.
Module['printErr'] = function (text) {
  console.error(text);
};
