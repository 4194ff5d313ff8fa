// The page's elements for the controls. The backend makes each element
// through here and gets back a handle, the element's index in `elements`,
// by which it writes the element's properties and events name it.
var QuarvelDom = {
  elements: [],
  root: null,
  // The elements the page was written with, by handle, until the backend
  // takes them over.
  written: [],

  // The element that the page gives the game. A page written at build time
  // (index.html) already holds the form as the game leaves it at start-up,
  // every element with its handle: the backend takes those over as it makes
  // its elements, in the same order, instead of building them again.
  attach: function () {
    var root = document.getElementById('game');
    root.querySelectorAll('[data-h]').forEach(function (e) {
      QuarvelDom.written[Number(e.dataset.h)] = e;
    });
    if (!QuarvelDom.written.length) root.textContent = '';
    root.dataset.state = 'loading';
    QuarvelDom.root = root;
    return QuarvelDom.add(root);
  },

  add: function (element) {
    element.dataset.h = QuarvelDom.elements.length;
    QuarvelDom.elements.push(element);
    return QuarvelDom.elements.length - 1;
  },

  make: function (tag, parent, className, name) {
    var element = QuarvelDom.written[QuarvelDom.elements.length];
    if (element && element.localName === tag && (element.dataset.control || '') === name &&
        element.parentElement === QuarvelDom.elements[parent]) {
      QuarvelDom.written[QuarvelDom.elements.length] = null;
      return QuarvelDom.add(element);
    }
    element = document.createElement(tag);
    if (className) element.className = className;
    if (name) element.dataset.control = name;
    if (tag === 'button') element.type = 'button';
    QuarvelDom.elements[parent].appendChild(element);
    return QuarvelDom.add(element);
  },

  // Once every element is made: what the page was written with and the
  // backend did not take over (a page of another build) goes.
  settle: function () {
    QuarvelDom.written.forEach(function (e) {
      if (e) e.remove();
    });
    QuarvelDom.written = [];
  },

  // The page's own style sheet, written by the backend (the colour scheme).
  sheet: function (id, text) {
    var style = document.getElementById(id);
    if (!style) {
      style = document.createElement('style');
      style.id = id;
      document.head.appendChild(style);
    }
    if (style.textContent !== text) style.textContent = text;
  },

  // The handle of the element, or of the nearest one around it, that the
  // backend made; -1 for none.
  handleOf: function (node) {
    var element = node && node.closest ? node.closest('[data-h]') : null;
    return element ? Number(element.dataset.h) : -1;
  },

  focused: function () {
    return QuarvelDom.handleOf(document.activeElement);
  },

  blur: function () {
    var active = document.activeElement;
    if (active && QuarvelDom.root.contains(active)) active.blur();
  },

  // A live region reads its text when it changes. The same words said again
  // differ by a no-break space at the end, which is not heard; the text
  // stays the region's own, since a new element in it is read too late or
  // not at all by some screen readers.
  announce: function (region, text) {
    region.textContent = region.textContent === text ? text + '\u00a0' : text;
  },

  // A text, written only where it changes: the same text written again
  // would be painted as new (the module's first writes over the page's own
  // form would be the page's largest paint).
  text: function (element, text) {
    if (element.textContent !== text) element.textContent = text;
  },

  // A caption with its access key underlined, given in three parts, written
  // only where it changes. Texts stay text: no markup from the game reaches
  // the page.
  caption: function (element, before, key, after) {
    var html = function (text) {
      return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
          .replace(/\u00a0/g, '&nbsp;');
    };
    if (element.innerHTML === html(before) + (key ? '<u>' + html(key) + '</u>' + html(after) : ''))
      return;
    element.textContent = before;
    if (!key) return;
    var mark = document.createElement('u');
    mark.textContent = key;
    element.append(mark, after);
  },
};
