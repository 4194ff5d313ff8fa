// What the scenarios know of the page and how they read it: the controls' boxes in twips, the
// edges to find in a screenshot, the input tables, and the helpers that look and act.
import { decodePng } from './png.mjs';

export const px = (twips) => twips / 15;
// A control's box in whole CSS pixels inside its container, as the desktops place it at 96 dpi:
// every edge counted in twips from the window's origin and rounded on its own.
export const placed = ([name, left, top, width, height]) => {
    const origin = name.startsWith('Command1(') ? 1320 + 30 : 0;
    const edge = (twips) => Math.round((origin + twips) / 15) - Math.round(origin / 15);
    return [edge(left), edge(top), edge(left + width) - edge(left), edge(top + height) - edge(top)];
};
export const STATUS = 'Arrange the numbers from 1 to 8';
export const TIP = 'There is a shortcut in the puzzle, have you found it?';
export const YELLOW = [255, 255, 192];

// Every control but the hidden images, in twips inside its container.
export const layout = [
    ['Label1', 360, 360, 5175, 615], ['Picture1', 1320, 1320, 3050, 3050],
    ['Label2', 1320, 4920, 1815, 375], ['Label3', 3240, 4920, 735, 375],
    ['Command2', 360, 5640, 2055, 495], ['Command3', 3120, 5640, 2055, 495],
    ...[0, 1, 2, 3, 4, 5, 6, 7].map((i) => [`Command1(${i})`, (i % 3) * 1000, Math.floor(i / 3) * 1000, 990, 990]),
];

// Edges found in a screenshot of the form: from a point (CSS px) walk along x or y while
// the colour is the form's background ('form') or the board's ('board', read in the free
// cell); the edge is where the walk stops, expected at the given CSS px.
export const edges = [
    ['board left', 40, 189, +1, 0, 'form', 88], ['board right', 340, 189, -1, 0, 'form', 291],
    ['board top', 189, 70, 0, +1, 'form', 88], ['board bottom', 189, 320, 0, -1, 'form', 291],
    ['Label3 left', 212, 340, +1, 0, 'form', 216], ['Label3 right', 275, 340, -1, 0, 'form', 265],
    ['Label3 top', 219, 318, 0, +1, 'form', 328], ['Label3 bottom', 219, 365, 0, -1, 'form', 353],
    ['Command2 left', 10, 392, +1, 0, 'form', 24], ['Command2 right', 185, 392, -1, 0, 'form', 161],
    ['Command2 top', 30, 365, 0, +1, 'form', 376], ['Command2 bottom', 30, 430, 0, -1, 'form', 409],
    ['Command3 left', 185, 392, +1, 0, 'form', 208], ['Command3 right', 370, 392, -1, 0, 'form', 345],
    ['Command3 top', 214, 365, 0, +1, 'form', 376], ['Command3 bottom', 214, 430, 0, -1, 'form', 409],
    // The free cell, from its middle out to the tiles beside it and the board's inside.
    ['tile 8 right', 256, 256, -1, 0, 'board', 223], ['inside right', 256, 256, +1, 0, 'board', 289],
    ['tile 6 bottom', 256, 256, 0, -1, 'board', 223], ['inside bottom', 256, 256, 0, +1, 'board', 289],
];

// A board as the screen reader reads it: "1 2 5, 4 3 6, 7 8 empty".
export const aria = (board) => [0, 3, 6].map((r) => [...board.slice(r, r + 3)].map((c) => (c === '.' ? 'empty' : c)).join(' ')).join(', ');

export const near = (a, b, tolerance = 6) => a.every((v, i) => Math.abs(v - b[i]) <= tolerance);

export async function formShot(t, page = t.page) {
    const shot = decodePng(Buffer.from(await (await page.$('[data-control="Form1"]')).screenshot()));
    return { ...shot, scale: shot.width / 382 };
}

// What the page shows of the game, as the series compares it (tests/e2e/series.h): the board as
// the screen reader reads it, from where the tiles stand (cell k holds the caption of the tile
// whose box lies on it, "." when free, "#" when two share it, "?" off), the counter, the board's
// lock, the faces of Command2 and Command3 ('y' light yellow, 'f' button face), the control with
// the focus and the status line. Runs in the page.
export function shownOnPage() {
    const control = (name) => document.querySelector(`[data-control="${name}"]`);
    const pic = control('Picture1');
    if (!pic) return { board: 'no board' };
    const box = pic.getBoundingClientRect(), scale = box.width / (3050 / 15);
    const cells = [...'.........'];
    let board;
    for (const tile of pic.querySelectorAll('[data-control^="Command1("]')) {
        const r = tile.getBoundingClientRect();
        const x = (r.left - box.left) / scale - pic.clientLeft, y = (r.top - box.top) / scale - pic.clientTop;
        const col = Math.round(x / (1000 / 15)), row = Math.round(y / (1000 / 15));
        const on = Math.abs(x - col * 1000 / 15) < 0.5 && Math.abs(y - row * 1000 / 15) < 0.5;
        const k = row * 3 + col;
        if (!on || row < 0 || row > 2 || col < 0 || col > 2) board ??= `? ${tile.dataset.control} at ${x},${y}`;
        else cells[k] = cells[k] === '.' ? tile.textContent.trim() : '#';
    }
    const face = (name) => (getComputedStyle(control(name)).backgroundColor === 'rgb(255, 255, 192)' ? 'y' : 'f');
    const focused = document.activeElement?.closest('[data-control]')?.dataset.control;
    return {
        board: board ?? cells.join(''),
        clicks: control('Label3').textContent,
        boardState: pic.getAttribute('aria-disabled') === 'true' ? 'locked' : 'open',
        hover: face('Command2') + face('Command3'),
        focus: !focused || focused === 'Form1' ? 'none' : focused,
        status: control('Label1').textContent,
    };
}

// The player's hand for one action of the series, in CSS pixels inside the form, which lies at
// `form` in the page.
export async function act(t, action, form, page = t.page) {
    const [verb, ...words] = action.split(' ');
    const at = (x, y) => [form.x + +x, form.y + +y];
    // X's key names, as the desktops' probe takes them, for the page's keys.
    const key = async (chord) => {
        const [mod, name] = chord.includes('+') ? chord.split('+') : [null, chord];
        const k = { space: ' ', Return: 'Enter' }[name] ?? name;
        if (mod === 'alt') return t.alt(k, page);
        if (mod) await page.keyboard.down({ shift: 'Shift', ctrl: 'Control' }[mod]);
        await page.keyboard.press(k);
        if (mod) await page.keyboard.up({ shift: 'Shift', ctrl: 'Control' }[mod]);
    };
    if (verb === 'move') await page.mouse.move(...at(words[0], words[1]));
    else if (verb === 'click') await page.mouse.click(...at(words[0], words[1]));
    else if (verb === 'double') for (const _ of [1, 2]) await page.mouse.click(...at(words[0], words[1]));
    else if (verb === 'key') for (const chord of words) await key(chord);
    else if (verb === 'tip') {
        await t.alt('t', page);
        await page.keyboard.press('c');
        await page.waitForFunction(() => document.querySelector('dialog.msgbox[open]'), { timeout: 5000 });
        await key(words[0]);
        await page.waitForFunction(() => !document.querySelector('dialog[open]'), { timeout: 5000 });
    } else t.fail(`an action the page cannot play: ${action}`);
}

// Plays a series, comparing after every event what the page shows with what the game showed
// headless; fails naming the event, its row and both sides.
export async function playSeries(t, series, page = t.page) {
    const recent = [];
    const form = await page.$eval('[data-control="Form1"]', (e) => e.getBoundingClientRect().toJSON());
    for (const e of series) {
        if (e.number > 0) await act(t, e.action, form, page);
        let seen;
        for (const end = Date.now() + 5000; ;) {
            seen = await page.evaluate(shownOnPage);
            const differ = Object.keys(e.after).filter((k) => seen[k] !== e.after[k]);
            if (!differ.length) break;
            if (Date.now() > end) {
                differ.forEach((k, i) => (differ[i] = `${k}: "${e.after[k]}" in the headless game, "${seen[k]}" on the page`));
                t.fail(`the page in ${t.which}, event ${e.number}${e.row ? ` (row "${e.row}")` : ''}, ${e.action}: ${differ.join('; ')}\n` +
                       `the events before it:\n${recent.join('\n')}`);
            }
        }
        recent.push(`  ${e.number} ${e.action} -> ${Object.values(e.after).join(' ')}`);
        if (recent.length > 12) recent.shift();
    }
}

// The colour most pixels of a control's face show, its outer 4 CSS px left out.
export async function face(t, control) {
    const { at, scale } = await formShot(t);
    const [l, tp, w, h] = layout.find((c) => c[0] === control).slice(1).map((v) => Math.round(px(v) * scale));
    const count = new Map();
    for (let y = tp + 4 * scale; y < tp + h - 4 * scale; ++y)
        for (let x = l + 4 * scale; x < l + w - 4 * scale; ++x) {
            const key = at(x, y).join(',');
            count.set(key, (count.get(key) ?? 0) + 1);
        }
    return [...count].sort((a, b) => b[1] - a[1])[0][0].split(',').map(Number);
}

// Lets the page handle what input is queued: a frame, then a task.
export const settle = (page) => page.evaluate(() => new Promise((ok) => requestAnimationFrame(() => setTimeout(ok))));

// The plan's clicks, checking the board and the counter after each.
export async function play(t, steps, page = t.page) {
    for (const [n, step] of steps.entries()) {
        if (step.jump) {
            await page.focus(`[data-control="Command1(${step.tile})"]`);
            await page.keyboard.press('a');
        }
        await t.clickCell(step.cell, page);
        await t.untilBoard(step.after, `board after click ${n + 1}`, page);
    }
}

// Counts DOM changes under the body while `act` runs and for `ms` after it.
export async function changesDuring(page, ms, act) {
    await page.evaluate(() => {
        window.changes = 0;
        new MutationObserver((list) => (window.changes += list.length))
            .observe(document.body, { subtree: true, childList: true, attributes: true, characterData: true });
    });
    await act();
    await page.evaluate((ms) => new Promise((ok) => setTimeout(ok, ms)), ms);
    return page.evaluate(() => window.changes);
}

export const newGames = {
    'Alt+S': (t) => t.alt('s'),
    'the Start button': (t) => t.click('Command2'),
    'Game > Start a new game': async (t) => { await t.click('mnuGame'); await t.click('mnuStart'); },
};
export const exits = {
    'Alt+E': (t) => t.alt('e'),
    'the Exit button': (t) => t.click('Command3'),
    'Game > Exit': async (t) => { await t.click('mnuGame'); await t.click('mnuExit'); },
    'Alt+G, e': async (t) => { await t.alt('g'); await t.page.keyboard.press('e'); },
};
// How the tip is opened and closed, by keys and by the mouse.
export const tips = {
    keys: [async (t) => { await t.alt('t'); await t.page.keyboard.press('c'); }, (t) => t.page.keyboard.press('Escape')],
    mouse: [async (t) => { await t.click('mnuTip'); await t.click('mnushort'); },
        async (t) => t.page.mouse.click(...(await t.centre('dialog.msgbox button')))],
};

// The page's states that show texts, each reached from a fresh page showing the first deal, with
// the controls whose text widths to read against the carried faces in that state.
export const states = {
    'the first deal': { faces: ['Label1', 'Label2', 'Label3', 'Command1(0)'], reach: async () => {} },
    'the Game menu open by keys': { reach: (t) => t.alt('g') },
    'the Tip menu open by the mouse': { reach: (t) => t.click('mnuTip') },
    'the tip open': { reach: async (t) => {
        await tips.keys[0](t);
        await t.until('the tip open', () => document.querySelector('dialog.msgbox[open]'));
    } },
    'the celebration': { reach: async (t) => {
        await play(t, t.plan.steps);
        await t.until('the smileys shown', () => document.querySelector('[data-control^="Image1("]:not([hidden])'));
    } },
    'the locked board': { faces: ['Label1'], reach: async (t) => {
        await play(t, t.plan.steps);
        await t.until('the smileys gone', () => [...document.querySelectorAll('[data-control^="Image1("]')].every((i) => i.hidden));
    } },
    'the ended page': { reach: async (t) => {
        await t.page.evaluate(() => history.pushState(null, '', location.href));
        await t.click('Command3');
        await t.until('the game ended', () => document.querySelector('#game[data-state=ended]'));
    } },
};

// Every text on screen with its colour, the colour behind it and their WCAG contrast; whether it
// is large (at least 18 pt, or 14 pt bold) and exempt (on a control that takes no input).
export const contrasts = (page) => page.evaluate(() => {
    const rgba = (css) => { const [r, g, b, a = 1] = css.match(/[\d.]+/g).map(Number); return [r, g, b, a]; };
    const luminance = (c) => c.slice(0, 3).map((v) => (v /= 255) <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4)
        .reduce((sum, v, i) => sum + v * [0.2126, 0.7152, 0.0722][i], 0);
    const behind = (e) => {
        for (; e; e = e.parentElement) {
            const c = rgba(getComputedStyle(e).backgroundColor);
            if (c[3] > 0) return c;
        }
        return matchMedia('(prefers-color-scheme: dark)').matches ? [18, 18, 18, 1] : [255, 255, 255, 1];
    };
    const hex = (c) => '#' + c.slice(0, 3).map((v) => Math.round(v).toString(16).padStart(2, '0')).join('');
    const seen = new Map();
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    for (let node; (node = walker.nextNode());) {
        const e = node.parentElement;
        const r = e.getBoundingClientRect();
        if (!node.data.trim() || !e.checkVisibility() || r.width <= 1 || r.height <= 1) continue;
        const unit = e.closest('[data-control], button, [role], p, .msgbox-title') ?? e;
        const s = getComputedStyle(e), fg = rgba(s.color), bg = behind(e);
        const [hi, lo] = [luminance(fg), luminance(bg)].sort((a, b) => b - a);
        const size = parseFloat(s.fontSize), bold = Number(s.fontWeight) >= 700;
        const name = unit.dataset.control ?? unit.className ?? unit.tagName;
        const key = `${name} ${hex(fg)} ${hex(bg)}`;
        if (seen.has(key)) continue;
        seen.set(key, { name, text: unit.textContent.trim().slice(0, 40), fg: hex(fg), bg: hex(bg),
            ratio: Math.floor((hi + 0.05) / (lo + 0.05) * 100) / 100, large: size >= 24 || (bold && size >= 18.66),
            exempt: !!e.closest('[aria-disabled=true], :disabled') });
    }
    return [...seen.values()];
});

// The widths of the controls' texts as shown, and in the face the page carries for their font
// (the last source of its @font-face), loaded by itself with a serif and a monospace fallback: all
// three agree when the carried face has every glyph and the page draws the text in it.
export const textWidths = (page, controls) => page.evaluate(async (controls) => {
    const carried = {};
    for (const sheet of document.styleSheets)
        for (const rule of sheet.cssRules)
            if (rule instanceof CSSFontFaceRule)
                carried[rule.style.getPropertyValue('font-family').replace(/["']/g, '')] =
                    rule.style.getPropertyValue('src').match(/url\([^)]*\)(?!.*url\()/)?.[0];
    const out = [];
    for (const control of controls) {
        const e = document.querySelector(`[data-control="${control}"]`);
        const s = getComputedStyle(e);
        const family = Object.keys(carried).find((f) => s.fontFamily.replace(/["']/g, '').startsWith(f));
        const range = document.createRange();
        range.selectNodeContents(e);
        const width = (fallback) => {
            const span = document.createElement('span');
            span.style.cssText = `position: absolute; white-space: pre; font: ${s.fontWeight} ${s.fontSize} "carried ${family}", ${fallback}`;
            span.textContent = e.textContent;
            document.body.append(span);
            const w = span.getBoundingClientRect().width;
            span.remove();
            return w;
        };
        let loaded = true;
        try {
            const face = new FontFace(`carried ${family}`, carried[family], { weight: s.fontWeight });
            document.fonts.add(await face.load());
        } catch {
            loaded = false;
        }
        out.push({ control, text: e.textContent, shown: range.getBoundingClientRect().width,
            serif: loaded ? width('serif') : NaN, monospace: loaded ? width('monospace') : NaN });
    }
    return out;
}, controls);

// axe-core's WCAG 2.1 A and AA rules and its best practices, run in the page from its source.
export async function axeViolations(page, source) {
    await page.evaluate((source) => { if (!window.axe) (0, eval)(source); }, source);
    return page.evaluate(() => axe.run(document, {
        runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice'] },
        resultTypes: ['violations'],
    }).then((r) => r.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`)));
}

// The landmarks and the heading: one main landmark around the form and the menu bar, one level-one
// heading "Quarvel" that takes no room on screen.
export const landmarks = (page) => page.evaluate(() => {
    const main = document.querySelectorAll('main, [role=main]');
    const h1 = [...document.querySelectorAll('h1, [role=heading][aria-level="1"]')];
    const box = h1[0]?.getBoundingClientRect();
    return { main: main.length, around: [...document.querySelectorAll('.form, .menubar')].every((e) => main[0]?.contains(e)),
        headings: h1.map((h) => h.textContent), headingArea: box ? Math.round(box.width * box.height) : null };
});
