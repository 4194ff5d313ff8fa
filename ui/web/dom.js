// The page's elements for the controls. The backend makes each element
// through here and gets back a handle, the element's index in `elements`,
// by which it writes the element's properties and events name it.
var QuarvelDom = {
  elements: [],
  root: null,

  // The element that the page gives the game, emptied.
  attach: function () {
    var root = document.getElementById('game');
    root.textContent = '';
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
    var element = document.createElement(tag);
    if (className) element.className = className;
    if (name) element.dataset.control = name;
    if (tag === 'button') element.type = 'button';
    QuarvelDom.elements[parent].appendChild(element);
    return QuarvelDom.add(element);
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

  // A caption with its access key underlined, given in three parts. Texts
  // stay text: no markup from the game reaches the page.
  caption: function (element, before, key, after) {
    element.textContent = before;
    if (!key) return;
    var mark = document.createElement('u');
    mark.textContent = key;
    element.append(mark, after);
  },
};
