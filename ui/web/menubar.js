// The menu bar: menus that drop down from it, opened with the mouse or with
// Alt and the menu's access key, worked with the arrows, Return and Escape,
// and closed by a choice, by Escape or by a click elsewhere. A choice goes
// to the game as the item's click once the menu is closed.
var QuarvelMenus = {
  open: null,        // the top item whose menu is down
  focusBefore: null, // the element to give the focus back to

  bar: function (parent) {
    var h = QuarvelDom.make('div', parent, 'menubar', '');
    var bar = QuarvelDom.elements[h];
    bar.setAttribute('role', 'menubar');
    // A press on the bar keeps the focus where it is until a menu opens.
    bar.addEventListener('mousedown', function (e) { e.preventDefault(); });
    bar.addEventListener('click', QuarvelMenus.clicked);
    bar.addEventListener('pointerover', function (e) {
      var top = e.target.closest('.menu-title');
      if (top && QuarvelMenus.open && top !== QuarvelMenus.open) QuarvelMenus.show(top, false);
    });
    document.addEventListener('keydown', QuarvelMenus.key, true);
    document.addEventListener('pointerdown', function (e) {
      if (QuarvelMenus.open && !bar.contains(e.target)) QuarvelMenus.close(true);
    }, true);
    return h;
  },

  add: function (bar, name) {
    var root = QuarvelDom.elements[QuarvelDom.make('div', bar, 'menu-root', '')];
    root.setAttribute('role', 'none');
    var h = QuarvelDom.make('button', QuarvelDom.handleOf(root), 'menu-title', name);
    var title = QuarvelDom.elements[h];
    title.setAttribute('role', 'menuitem');
    title.setAttribute('aria-haspopup', 'menu');
    title.setAttribute('aria-expanded', 'false');
    title.tabIndex = -1;
    var popup = QuarvelDom.elements[QuarvelDom.make('div', QuarvelDom.handleOf(root), '', '')];
    popup.setAttribute('role', 'menu');
    popup.hidden = true;
    return h;
  },

  item: function (menu, name) {
    var popup = QuarvelDom.elements[menu].nextElementSibling;
    var h = QuarvelDom.make('button', QuarvelDom.handleOf(popup), 'menu-item', name);
    var element = QuarvelDom.elements[h];
    element.setAttribute('role', 'menuitem');
    element.tabIndex = -1;
    return h;
  },

  items: function (title) {
    return Array.prototype.filter.call(title.nextElementSibling.children, function (item) {
      return !item.hidden && item.getAttribute('aria-disabled') !== 'true';
    });
  },

  titles: function () {
    return Array.prototype.filter.call(document.querySelectorAll('.menu-title'),
                                       function (t) { return !t.hidden; });
  },

  // Drops the menu of `title` down, closing any other; the focus goes to
  // its first item when opened from the keyboard.
  show: function (title, fromKeyboard) {
    if (!QuarvelMenus.open) QuarvelMenus.focusBefore = document.activeElement;
    else QuarvelMenus.close(false);
    QuarvelMenus.open = title;
    title.setAttribute('aria-expanded', 'true');
    title.nextElementSibling.hidden = false;
    var first = QuarvelMenus.items(title)[0];
    (fromKeyboard && first ? first : title).focus();
    title.classList.toggle('keyboard', fromKeyboard);
  },

  showHandle: function (h) {
    QuarvelMenus.show(QuarvelDom.elements[h], true);
  },

  close: function (giveFocusBack) {
    var title = QuarvelMenus.open;
    if (!title) return;
    QuarvelMenus.open = null;
    title.setAttribute('aria-expanded', 'false');
    title.nextElementSibling.hidden = true;
    var before = QuarvelMenus.focusBefore;
    if (giveFocusBack && before && before.focus) before.focus();
  },

  choose: function (item) {
    QuarvelMenus.close(true);
    Module['_quarvel_click'](Number(item.dataset.h));
  },

  clicked: function (e) {
    var item = e.target.closest('.menu-item');
    if (item) {
      if (item.getAttribute('aria-disabled') !== 'true') QuarvelMenus.choose(item);
      return;
    }
    var title = e.target.closest('.menu-title');
    if (!title) return;
    if (QuarvelMenus.open === title) QuarvelMenus.close(true);
    else QuarvelMenus.show(title, e.detail === 0);
  },

  // Keys while a menu is down; all of them stay with the menu.
  key: function (e) {
    var title = QuarvelMenus.open;
    if (!title) return;
    var items = QuarvelMenus.items(title);
    var at = items.indexOf(document.activeElement);
    var titles = QuarvelMenus.titles();
    var t = titles.indexOf(title);
    if (e.key === 'Escape' || e.key === 'Tab' || e.key === 'Alt') {
      QuarvelMenus.close(true);
    } else if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
      var step = e.key === 'ArrowDown' ? 1 : -1;
      if (items.length) items[(at + step + items.length + (at < 0 && step < 0)) % items.length].focus();
    } else if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
      var next = titles[(t + (e.key === 'ArrowRight' ? 1 : -1) + titles.length) % titles.length];
      QuarvelMenus.show(next, true);
    } else if (e.key === 'Enter' || e.key === ' ') {
      if (at >= 0) QuarvelMenus.choose(items[at]);
    } else if (e.key.length === 1) {
      var letter = e.key.toUpperCase();
      var match = items.filter(function (item) { return item.dataset.key === letter; })[0];
      if (match) QuarvelMenus.choose(match);
    } else {
      return;
    }
    e.preventDefault();
    e.stopPropagation();
  },
};
