// The page's two screens over the game: the message box, a modal dialog
// with a title, a text and one OK button that holds all other input while
// it is open; and the notice that the game has ended.
var QuarvelDialog = {
  count: 0,

  show: function (title, text) {
    var id = 'msgbox-' + ++QuarvelDialog.count;
    var dialog = document.createElement('dialog');
    dialog.className = 'msgbox';
    dialog.setAttribute('aria-labelledby', id + '-title');
    dialog.setAttribute('aria-describedby', id + '-text');
    var heading = document.createElement('div');
    heading.className = 'msgbox-title';
    heading.id = id + '-title';
    heading.textContent = title;
    var body = document.createElement('p');
    body.className = 'msgbox-text';
    body.id = id + '-text';
    body.textContent = text;
    var ok = document.createElement('button');
    ok.type = 'button';
    ok.textContent = 'OK';
    var form = document.createElement('div');
    form.className = 'msgbox-buttons';
    form.appendChild(ok);
    dialog.append(heading, body, form);
    var before = document.activeElement;
    // OK or Escape (the dialog's cancel) closes it, and the focus goes back
    // to the control that had it at once: the dialog's close event comes in
    // a task of its own, which a browser may run after input that came
    // later, and would take the focus back from where that input put it.
    var close = function (e) {
      if (e) e.preventDefault();
      dialog.close();
      dialog.remove();
      if (before && before.focus && document.contains(before)) before.focus();
    };
    ok.addEventListener('click', function () { close(); });
    dialog.addEventListener('cancel', close);
    document.body.appendChild(dialog);
    dialog.showModal();
    ok.focus();
  },

  // The program has ended: a page that a script opened closes; any other
  // says so, with a way to start the game again.
  ended: function () {
    var root = QuarvelDom.root;
    window.close();
    root.dataset.state = 'ended';
    root.textContent = '';
    var notice = document.createElement('p');
    notice.className = 'ended';
    notice.textContent = 'The game has ended.';
    var again = document.createElement('button');
    again.type = 'button';
    again.className = 'again';
    again.textContent = 'Play again';
    again.addEventListener('click', function () { location.reload(); });
    root.append(notice, again);
    again.focus();
  },
};
