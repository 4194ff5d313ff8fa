// The scenarios both browsers run, each on a fresh page showing the first deal (t.page); the
// runner's helpers are on t. Where Firefox answers differently, the scenario says so; one that
// cannot run in a browser returns why, and is reported as skipped.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { px, placed, STATUS, TIP, YELLOW, layout, edges, aria, near, formShot, face, settle, play, playSeries, changesDuring, newGames, exits, tips,
    states, shownOnPage, contrasts, textWidths, axeViolations, landmarks } from './page.mjs';

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

export const scenarios = {
    async 'layout from the DOM'(t) {
        const boxes = await t.page.evaluate(() => {
            const box = (e) => { const r = e.getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; };
            const pic = document.querySelector('[data-control="Picture1"]');
            const [fx, fy, fw, fh] = box(document.querySelector('[data-control="Form1"]'));
            const [px0, py0] = box(pic);
            const out = { Form1: [0, 0, fw, fh], border: [pic.clientLeft, pic.clientTop] };
            for (const e of document.querySelectorAll('[data-control]')) {
                const [x, y, w, h] = box(e), tile = e.parentElement === pic;
                out[e.dataset.control] = tile ? [x - px0 - pic.clientLeft, y - py0 - pic.clientTop, w, h] : [x - fx, y - fy, w, h];
            }
            return out;
        });
        t.eq(boxes.Form1, [0, 0, 382, 438], 'Form1 in CSS px');
        t.eq(boxes.border, [2, 2], "Picture1's border");
        for (const control of layout) t.eq(boxes[control[0]], placed(control), `${control[0]}'s box`);
    },

    async 'layout from pixels at scale 1 and 2'(t) {
        // WebDriver sets the window's size, not the screen's pixel ratio.
        for (const deviceScaleFactor of t.which === 'webkit' ? [1] : [1, 2]) {
            await t.page.setViewport({ width: 500, height: 560, deviceScaleFactor });
            const { at, scale, width } = await formShot(t);
            t.eq(width, 382 * deviceScaleFactor, `screenshot width at scale ${deviceScaleFactor}`);
            const colour = { form: at(2 * scale, 200 * scale), board: at(256 * scale, 256 * scale) };
            const off = [];
            for (const [name, x, y, dx, dy, bg, want] of edges) {
                let i = Math.round(x * scale), j = Math.round(y * scale);
                while (near(at(i, j), colour[bg])) i += dx, j += dy;
                const edge = (dx ? i : j) + (dx + dy < 0 ? 1 : 0);
                if (Math.abs(edge - want * scale) > 1) off.push(`${name} at ${edge}, not ${want * scale}`);
            }
            // The tiles' faces along rows 0 and 1 and columns 0 and 1, 12 px in from their
            // edge, clear of the numbers: each face lies as far inside its box as tile 0's.
            for (const line of [0, 1]) for (const across of [false, true]) {
                const mid = Math.round((90 + line * 66.667 + 12) * scale), runs = [];
                for (let k = 88 * scale, start = -1; k <= 292 * scale; ++k) {
                    const yellow = near(across ? at(mid, k) : at(k, mid), YELLOW);
                    if (yellow && start < 0) start = k;
                    if (!yellow && start >= 0 && k - start >= 10 * scale) runs.push([start, k]);
                    if (!yellow) start = -1;
                }
                const where = `${across ? 'column' : 'row'} ${line}`;
                if (runs.length !== 3) off.push(`${where}: ${runs.length} tile faces, ${JSON.stringify(runs)}`);
                const lead = runs[0][0] - 90 * scale, trail = 156 * scale - runs[0][1];
                for (const [c, [a, b]] of runs.entries()) {
                    const left = (90 + c * 66.667) * scale;
                    if (Math.abs(a - left - lead) > 1 || Math.abs(left + 66 * scale - trail - b) > 1)
                        off.push(`${where}: tile ${c}'s face from ${a} to ${b}`);
                }
            }
            t.eq(off, [], `edges off by more than a device pixel at scale ${deviceScaleFactor}`);
        }
        if (t.which === 'webkit') return { skipped: 'scale 2: WebDriver sets no device pixel ratio' };
    },

    async 'the deals and the winning plan, celebration timed'(t) {
        const { plan, page } = t;
        t.eq(await t.board(), plan.start, 'the first deal');
        t.eq(await page.$eval('[data-control="Picture1"]', (e) => e.ariaLabel), aria(plan.start), "the board's name");
        await play(t, plan.steps.slice(0, -1));
        t.eq(await t.text('Label3'), String(plan.steps.length - 1), 'the counter before the last click');
        // From the winning click's event to the mutation that hides the last image.
        const timed = page.evaluate(() => new Promise((done) => {
            const images = [...document.querySelectorAll('[data-control^="Image1("]')];
            let clicked = 0, shown = false;
            addEventListener('click', (e) => (clicked ||= e.timeStamp), true);
            new MutationObserver(() => {
                shown ||= images.every((i) => !i.hidden);
                if (shown && images.every((i) => i.hidden)) done(performance.now() - clicked);
            }).observe(document.body, { subtree: true, attributes: true });
        }));
        await play(t, plan.steps.slice(-1));
        t.eq(await t.text('Label1'), 'You are the winner!', 'Label1 after the win');
        // Locked: cell 7 holds a tile next to the free cell; the counter stays.
        await t.clickCell(7);
        await t.clickCell(5);
        await settle(page);
        t.eq([await t.board(), await t.text('Label3')], [plan.steps.at(-1).after, String(plan.steps.length)], 'the locked board');
        const ms = await timed;
        console.log(`    celebration ${ms.toFixed(1)} ms`);
        if (Math.abs(ms - 1720) > 86) t.eq(Math.round(ms), 1720, 'the celebration in ms (±5 %)');
        await t.click('mnuGame');
        await t.click('mnuStart');
        await t.untilBoard(plan.newgames[0], 'the second deal');
        t.eq([await t.text('Label1'), await t.text('Label3')], [STATUS, '0'], 'status line and counter');
        await t.clickCell(7);
        await t.untilBoard(plan.newgames[0].slice(0, 7) + '.' + plan.newgames[0][7], 'the board unlocked');
        await t.click('Command2');
        await t.untilBoard(plan.newgames[1], 'the third deal');
    },

    async 'new game from the button, the key and the menu'(t) {
        for (const [how, act] of Object.entries(newGames)) {
            t.page = await t.open();
            await play(t, t.plan.steps.slice(0, 3));
            await act(t);
            await t.untilBoard(t.plan.newgames[0], `${how}: the next deal`);
            t.eq([await t.text('Label1'), await t.text('Label3')], [STATUS, '0'], `${how}: status line and counter`);
        }
    },

    async 'exit from the button, the keys and the menu'(t) {
        for (const [how, act] of Object.entries(exits)) {
            t.page = await t.open();
            // The exit asks to close the tab. A tab with one history entry may be closed by its
            // page: Firefox closes it then, Chromium refuses for a tab no script opened. With a
            // second entry both keep it and show the page's end, which is what is checked.
            await t.page.evaluate(() => history.pushState(null, '', location.href));
            // The button ends a running celebration: its timer must stop too.
            if (how === 'the Exit button') await play(t, t.plan.steps);
            const pic = await t.page.$eval('[data-control="Picture1"]', (e) => e.getBoundingClientRect().toJSON());
            await act(t);
            await t.until(`${how}: the game ended`, () => document.querySelector('#game[data-state=ended]'));
            t.eq(await t.page.$$eval('.form, .menubar', (list) => list.filter((e) => e.checkVisibility()).length), 0, `${how}: visible form and menu bar`);
            const changes = await changesDuring(t.page, 300, async () => {
                await t.page.mouse.click(pic.x + 100, pic.y + 100);
                await t.alt('s');
            });
            t.eq(changes, 0, `${how}: DOM changes after the end`);
        }
    },

    async 'the tip holds input'(t) {
        for (const [how, [open, close]] of Object.entries(tips)) {
            t.page = await t.open();
            await open(t);
            await t.until(`${how}: the tip open`, () => document.querySelector('dialog.msgbox[open]'));
            t.eq(await t.page.$eval('dialog.msgbox', (d) => [d.querySelector('.msgbox-title').textContent,
                d.querySelector('.msgbox-text').textContent, [...d.querySelectorAll('button')].map((b) => b.textContent)]),
            ['Shortcut', TIP, ['OK']], `${how}: the tip's texts`);
            await t.clickCell(7);
            await t.click('Command2');
            await settle(t.page);
            t.eq([await t.board(), await t.text('Label3')], [t.plan.start, '0'], `${how}: the board under the tip`);
            await close(t);
            await t.until(`${how}: the tip closed`, () => !document.querySelector('dialog[open]'));
            await t.clickCell(7);
            await t.untilBoard(t.plan.steps[0].after, `${how}: a click after the tip`);
        }
    },

    async 'hover colours from pixels'(t) {
        // The button face of the colour scheme the game was designed on, in every browser.
        const bf = [240, 240, 240];
        t.eq(await face(t, 'Command2'), bf, 'Command2 at start');
        const form = await t.page.$eval('[data-control="Form1"]', (e) => e.getBoundingClientRect().toJSON());
        // Where the pointer goes (CSS px in the form), and the faces of Command2 and Command3.
        const steps = [
            ['Command2', 92, 392, YELLOW, bf], ['Label2', 100, 340, YELLOW, bf], ['Command3', 276, 392, YELLOW, YELLOW],
            ['a tile', 120, 120, YELLOW, YELLOW], ['Label1', 190, 45, YELLOW, YELLOW],
            ['the bare form', 10, 200, bf, bf], ['Command3 again', 276, 392, bf, YELLOW],
        ];
        for (const [where, x, y, c2, c3] of steps) {
            await t.page.mouse.move(form.x + x, form.y + y);
            await settle(t.page);
            t.eq([await face(t, 'Command2'), await face(t, 'Command3')], [c2, c3], `the faces with the pointer over ${where}`);
        }
    },

    async 'the series that every build plays'(t) {
        // The table of sequences, then random events: the desktops' e2e_series plays the same
        // (SERIES_SEED and SERIES_EVENTS replay or lengthen a run).
        const { SERIES_SEED: seed = 20240611, SERIES_EVENTS: events = 1000 } = process.env;
        await playSeries(t, t.readSeries(seed, events));
        // The table again with the browser's own focus on a press held back, as Safari and
        // Firefox on macOS never focus a pressed button: the game moves the focus itself.
        t.page = await t.open();
        await t.page.evaluate(() => addEventListener('mousedown', (e) => e.preventDefault(), true));
        await playSeries(t, t.readSeries());
        const bad = (await t.readConsole()).filter((l) => /^(error|pageerror)/.test(l) && !/^error: quarvel: runtime error \d+ in \w+: /.test(l));
        t.eq(bad, [], 'page errors and console errors');
    },

    async 'a reload while offline'(t) {
        const { server, url } = await t.serve();
        const page = await t.open({}, url);
        await page.evaluate(() => navigator.serviceWorker.ready.then(() => {}));
        // Offline for real: the server is gone. Chromium also takes the page offline; Firefox's
        // WebDriver BiDi has no offline mode, the closed server alone keeps it from the network.
        server.closeAllConnections();
        await new Promise((ok) => server.close(ok));
        if (t.which === 'chromium') await page.setOfflineMode(true);
        await page.reload();
        await page.waitForSelector('#game[data-state=playing]', { timeout: 10000 });
        t.eq(await t.board(page), t.plan.start, 'the first deal offline');
        await t.clickCell(7, page);
        await t.untilBoard(t.plan.steps[0].after, 'a move offline', page);
    },

    async 'a tap and a key while the module loads'(t) {
        // The module held back by a server of its own, where no service worker answers: a tap on
        // the tile beside the free cell and Tab, as soon as the board shows, wait for the game,
        // which takes them in order: the tile moves, then the focus goes on from it.
        let release;
        const held = new Promise((ok) => (release = ok));
        const { server, url } = await t.serve((path) => path === '/quarvel.wasm' && held);
        try {
            const step = t.plan.steps[0];
            t.page = await t.open({}, url, `[data-control="Command1(${step.tile})"]`);
            await t.clickCell(step.cell);
            await t.page.keyboard.press('Tab');
            t.eq(await t.page.$eval('#game', (e) => e.dataset.state), 'loading', 'the page with its module held');
            release();
            await t.untilBoard(step.after, 'the board once the game runs');
            const { clicks, focus } = await t.page.evaluate(shownOnPage);
            t.eq([clicks, focus], ['1', step.tile < 7 ? `Command1(${step.tile + 1})` : 'Command2'], 'the counter and the focus');
        } finally {
            release();
            server.closeAllConnections();
            server.close();
        }
    },

    async 'names for screen readers'(t) {
        await play(t, t.plan.steps.slice(0, 1));
        // [role, name] of every node; a wanted role of null takes any.
        const names = async () => {
            if (t.which === 'chromium') {
                const found = [];
                const walk = (n) => { found.push([n.role, n.name ?? '']); (n.children ?? []).forEach(walk); };
                walk(await t.page.accessibility.snapshot());
                return found;
            }
            // The labels and the live region are read by their text, which is no name.
            const texts = await t.page.$$eval('.label, [aria-live]', (list) => list.map((e) => ['text', e.textContent]));
            // WebDriver asks WebKit's accessibility tree for each element's role and name.
            if (t.page.computedNames)
                return [...await t.page.computedNames('[role], button, img:not([hidden]), [aria-label]'), ...texts];
            // Firefox's WebDriver BiDi has no accessibility tree (puppeteer needs CDP for it):
            // the roles and names are read from the markup they come from.
            return [...texts, ...await t.page.$$eval('[role], button, img:not([hidden]), [aria-label]', (list) => list.map((e) => [
                e.getAttribute('role') ?? { BUTTON: 'button', IMG: 'image' }[e.tagName],
                e.getAttribute('aria-label') ?? (e.tagName === 'IMG' ? e.alt : e.role === 'menubar' ? '' : e.textContent.trim())]))];
        };
        const missing = (got, want) => want.filter(([role, name]) => !got.some(([r, n]) => (role ?? r) === r && n === name));
        // A tile by its number and place; the counter as its label's text and its own; the live
        // region as what the move announced: the tile that went to the first free cell.
        const board = t.plan.steps[0].after, to = t.plan.start.indexOf('.');
        const tile = (i) => `${board[i]}, row ${Math.floor(i / 3) + 1}, column ${i % 3 + 1}`;
        const want = [['menubar', ''], ['menuitem', 'Game'], ['menuitem', 'Tip'], ['group', aria(board)],
            ...[...board].flatMap((n, i) => (n === '.' ? [] : [['button', tile(i)]])),
            [null, 'Total Clicks:'], [null, '1'], [null, `${tile(to)}. Total Clicks: 1`],
            ['button', 'Start the game again'], ['button', 'Exit the game']];
        let got = await names();
        t.eq(missing(got, want), [], `names missing from ${JSON.stringify(got)}`);
        await play(t, t.plan.steps.slice(1));
        got = await names();
        t.eq(got.filter(([, name]) => name === 'smiley').length, 4, `the smileys in ${JSON.stringify(got)}`);
    },

    async 'a phone'(t) {
        // Touch emulation is Chromium's; Firefox's WebDriver BiDi takes no hasTouch or isMobile.
        if (t.which !== 'chromium') return 'Chromium only';
        const page = await t.open({ width: 360, height: 640, isMobile: true, hasTouch: true, deviceScaleFactor: 3 });
        const fit = await page.evaluate(() => {
            const r = document.querySelector('[data-control="Form1"]').getBoundingClientRect();
            const d = document.documentElement;
            return { scrolls: d.scrollWidth > innerWidth || d.scrollHeight > innerHeight,
                inside: r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight,
                aspect: +(r.width / r.height).toFixed(3) };
        });
        t.eq(fit, { scrolls: false, inside: true, aspect: +(382 / 438).toFixed(3) }, 'the form on a 360 x 640 screen');
        const [x, y] = await page.$eval('[data-control="Command1(7)"]', (e) => {
            const r = e.getBoundingClientRect();
            return [r.x + r.width / 2, r.y + r.height / 2];
        });
        await page.touchscreen.tap(x, y);
        await t.untilBoard(t.plan.steps[0].after, 'the board after a tap', page);
        await settle(page);
        t.eq(await t.text('Label3', page), '1', 'the counter after a tap');
    },

    // Each state of the page, read as the player gets it: every text's contrast (WCAG 2.1 AA,
    // what a control that takes no input shows exempt), axe-core's rules, the landmarks, and the
    // texts' widths against the faces the page carries. With the look-alikes hidden from the
    // browser (WEB_FONTCONFIG_FILE=hidden-fonts.conf) the widths must not change.
    async 'the page in every state'(t) {
        const off = [];
        for (const [state, { reach, faces = [] }] of Object.entries(states)) {
            // One page at a time: a failure leaves the state it failed in.
            for (const page of t.pages.splice(0)) await page.close();
            t.page = await t.open();
            await reach(t);
            for (const c of await contrasts(t.page)) {
                const least = c.large ? 3 : 4.5;
                console.log(`    ${state}: ${c.name} "${c.text}" ${c.fg} on ${c.bg} ${c.ratio}:1${c.exempt ? ' (exempt)' : ''}`);
                if (!c.exempt && c.ratio < least) off.push(`${state}: ${c.name} "${c.text}" ${c.fg} on ${c.bg} at ${c.ratio}:1, under ${least}`);
                // What takes no input says so in the scheme's grey, as on the desktops.
                if (c.exempt && c.fg !== '#6d6d6d') off.push(`${state}: ${c.name} "${c.text}" in ${c.fg}, not the grey of text that takes no input`);
            }
            for (const w of await textWidths(t.page, faces)) {
                const [shown, serif, mono] = [w.shown, w.serif, w.monospace].map((v) => (v ?? NaN).toFixed(2));
                console.log(`    ${state}: ${w.control} "${w.text}" ${shown} px, carried face ${serif} / ${mono} px`);
                if (!(Math.abs(w.shown - w.serif) < 0.5 && Math.abs(w.shown - w.monospace) < 0.5))
                    off.push(`${state}: ${w.control} "${w.text}" ${shown} px wide, ${serif} and ${mono} in the carried face`);
            }
            const marks = await landmarks(t.page);
            if (marks.main !== 1 || !marks.around || marks.headings.join() !== 'Quarvel' || marks.headingArea > 1)
                off.push(`${state}: landmarks ${JSON.stringify(marks)}`);
            off.push(...(await axeViolations(t.page, axeSource)).map((v) => `${state}: axe ${v}`));
        }
        t.eq(off, [], 'what the page gets wrong');
    },
};
