#!/usr/bin/python3
"""The ear of by_ear.sh.
  ear.py orca FILE ARGS...      Orca, writing each utterance to FILE as it speaks
  ear.py focus NAME SECONDS     waits until the object NAME has the keyboard focus
  ear.py play BUILD HEARD TABLE types each key of TABLE; what HEARD gains must say
                                its words: the phrases of its utterances, with no
                                role or full stop, none about the window alone
"""
import re
import subprocess
import sys
import time

CONTEXT = re.compile(r'^(Quarvel|Screen reader on|Focus mode|main content|clickable|Loading.  Please wait'
                     r'|Finished loading .*'
                     r'|Page has .*|.* frame)$')


def words(utterance):
    said = utterance.replace('\u00a0', ' ').strip().removesuffix('.')
    if CONTEXT.match(said):
        return None
    return re.sub(r'^notification | (push button|panel)$', '', said)


def phrases(text):
    return sorted(p for p in text.split('. ') if p)


def play(build, heard, table):
    start = len(open(heard).read().split('\n')) - 1
    for number, line in enumerate(open(table), 1):
        if line.startswith('#'):
            continue
        key, want = line.rstrip('\n').split('\t')
        subprocess.run(['xdotool', 'key', key], check=True)
        deadline = time.monotonic() + 20
        while True:
            lines = open(heard).read().split('\n')[start:-1]  # whole lines only
            got = '. '.join(w for w in map(words, lines) if w)
            # The toolkit may tell a focus change before or after what the
            # game announces: the phrases count, in any order.
            missing, extra = phrases(want), []
            for phrase in phrases(got):
                (missing.remove if phrase in missing else extra.append)(phrase)
            if not extra and not missing:
                break
            if extra or time.monotonic() > deadline:
                print(f'FAIL: {build}, line {number}, key {key}:\n  heard    "{got}"\n'
                      f'  expected "{want}"\n  (the utterances: {lines})')
                return 1
            time.sleep(0.02)
        start += len(lines)
        print(f'{key:10} {got}', flush=True)
    return 0


def focus(name, seconds):
    import gi
    gi.require_version('Atspi', '2.0')
    from gi.repository import Atspi

    def found(node, depth):
        try:
            if node.get_name() == name and node.get_state_set().contains(Atspi.StateType.FOCUSED):
                return True
            return depth < 30 and any(found(node.get_child_at_index(i), depth + 1)
                                      for i in range(node.get_child_count()))
        except Exception:  # it left the bus while it was read
            return False

    deadline = time.monotonic() + float(seconds)
    while not found(Atspi.get_desktop(0), 0):
        if time.monotonic() > deadline:
            return 1
        time.sleep(0.05)
    return 0


def orca(path, args):
    import runpy
    from orca import speech
    out, spoken = open(path, 'w', buffering=1), speech._speak
    speech._speak = lambda text, *rest: (out.write(text.replace('\n', ' ') + '\n'), spoken(text, *rest))
    sys.argv = ['/usr/bin/orca'] + args
    runpy.run_path('/usr/bin/orca', run_name='__main__')


if __name__ == '__main__':
    if sys.argv[1] == 'orca':
        orca(sys.argv[2], sys.argv[3:])
    sys.exit({'focus': focus, 'play': play}[sys.argv[1]](*sys.argv[2:]))
