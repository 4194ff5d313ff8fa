// Runs the browser build in Debian's Chromium, Firefox or WebKit (WebKitGTK's MiniBrowser), driven
// with real mouse, keyboard and touch input by puppeteer-core, or for WebKit over WebDriver
// (webdriver.mjs), and checks what the player gets (the DOM, the accessibility tree, screenshots).
// A failing scenario leaves a screenshot and what it read in E2E_FAILURES.
//   node run.mjs chromium|firefox|webkit SITE_DIR PLANNER [SCENARIO...]
// PLANNER is tests/e2e's e2e_plan; e2e_series beside it makes the series.
// With WEB_FONTCONFIG_FILE set, the browser sees the fonts that fontconfig file gives it
// (hidden-fonts.conf: the system's without the look-alikes the page carries).
// Exit code: 0 all passed, 1 a scenario failed, 77 the browser is not installed.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, writeFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import puppeteer from 'puppeteer-core';
import { serve as serveSite } from '../../scripts/serve.mjs';
import { shownOnPage } from './page.mjs';
import { scenarios } from './scenarios.mjs';
import { launchWebKit, miniBrowser, webDriver } from './webdriver.mjs';

const [which, siteArg, planner, ...only] = process.argv.slice(2);
const site = resolve(siteArg ?? '');
const executables = { chromium: ['/usr/bin/chromium'], firefox: ['/usr/bin/firefox-esr'], webkit: [webDriver, miniBrowser] };
if (!executables[which] || !planner) {
    console.error('usage: node run.mjs chromium|firefox|webkit SITE_DIR PLANNER [SCENARIO...]');
    process.exit(2);
}
for (const program of executables[which]) {
    if (!existsSync(program)) {
        console.log(`SKIP: ${program} is missing (scripts/deps.sh test installs it)`);
        process.exit(77);
    }
}
if (!existsSync(join(site, 'index.html'))) {
    console.error(`FAIL: no page at ${site}/index.html: build it with make web`);
    process.exit(1);
}

// The planner's winning clicks and the next two deals.
function readPlan() {
    const plan = { steps: [], newgames: [] };
    for (const line of execFileSync(planner, { encoding: 'utf8' }).split('\n')) {
        const [kind, a, b, c] = line.split(' ');
        if (kind === 'start') plan.start = a;
        if (kind === 'newgame') plan.newgames.push(a);
        if (kind === 'move' || kind === 'jump')
            plan.steps.push({ jump: kind === 'jump', tile: +a, cell: +b, after: c });
    }
    return plan;
}

// build-web/ on 127.0.0.1 at a free port, served as `make serve` serves it: { server, url }; hold
// as serve() takes it.
const serve = (hold) => serveSite(site, 0, undefined, hold);

// The series of e2e_series (tests/e2e/series.h): with no arguments, the table of sequences alone.
function readSeries(...random) {
    const rows = join(dirname(new URL(import.meta.url).pathname), '../e2e/sequences.txt');
    const text = execFileSync(join(dirname(planner), 'e2e_series'),
        ['--rows', rows, ...(random.length ? ['--random', ...random.map(String)] : [])], { encoding: 'utf8', maxBuffer: 1 << 28 });
    const events = [];
    let row = '';
    for (const line of text.split('\n')) {
        if (line.startsWith('# row: ')) row = line.slice(7);
        else if (line.startsWith('# random')) row = '';
        if (!line || line.startsWith('#')) continue;
        const [number, action, board, clicks, boardState, hover, focus, status] = line.split('\t');
        events.push({ number: +number, row, action, after: { board, clicks, boardState, hover, focus, status } });
    }
    return events;
}

function launch() {
    const fonts = process.env.WEB_FONTCONFIG_FILE;
    const env = fonts ? { ...process.env, FONTCONFIG_FILE: resolve(fonts) } : process.env;
    if (which === 'webkit') return launchWebKit({ env });
    return which === 'chromium'
        ? puppeteer.launch({ executablePath: executables.chromium[0], headless: true, env,
              args: ['--no-sandbox', '--font-render-hinting=none'] })
        : puppeteer.launch({ browser: 'firefox', executablePath: executables.firefox[0], headless: true, env });
}

// What a failing scenario leaves behind: the screen, the DOM boxes and texts, the console.
async function dump(t, name, error) {
    const dir = join(process.env.E2E_FAILURES ?? 'web-failures', `${which}-${name.replace(/[^a-z0-9]+/gi, '-')}-${Date.now()}`);
    mkdirSync(dir, { recursive: true });
    for (const page of t.pages) await t.readConsole(page).catch(() => {});
    const report = { error: String(error?.stack ?? error), read: t.reads, console: t.console };
    for (const [i, page] of t.pages.entries()) {
        try {
            await page.bringToFront?.();
            await page.screenshot({ path: join(dir, `page${i}.png`) });
            report[`page${i}`] = await page.evaluate(() => ({
                state: document.querySelector('#game')?.dataset.state,
                controls: [...document.querySelectorAll('[data-control]')].map((e) => {
                    const r = e.getBoundingClientRect();
                    return [e.dataset.control, r.x, r.y, r.width, r.height, e.hidden,
                        e.textContent.trim(), e.getAttribute('aria-label')];
                }),
                dialog: document.querySelector('dialog[open]')?.textContent,
            }));
            report[`page${i}`].board = await t.board(page);
        } catch (e) {
            report[`page${i}`] = `cannot read the page: ${e}`;
        }
    }
    writeFileSync(join(dir, 'read.json'), JSON.stringify(report, null, 1));
    console.log(`    left ${dir}`);
}

// Helpers every scenario gets; `t.page` is a fresh page showing the first deal.
function context(browser, url, plan) {
    const t = { which, url, plan, pages: [], reads: [], console: [], browser, readSeries };
    t.fail = (why) => { throw new Error(why); };
    t.eq = (actual, expected, what) => {
        t.reads.push([what, actual]);
        if (JSON.stringify(actual) !== JSON.stringify(expected))
            t.fail(`${what}: read ${JSON.stringify(actual)}, expected ${JSON.stringify(expected)}`);
    };
    // A page at `at` once it shows `shown`: by default once the game runs; with another, once the
    // document is parsed and shows that.
    t.open = async (options = {}, at = url, shown) => {
        const page = await browser.newPage();
        t.pages.push(page);
        page.on('console', (m) => t.console.push(`${m.type()}: ${m.text()}`));
        page.on('pageerror', (e) => t.console.push(`pageerror: ${e.message}`));
        await page.setViewport({ width: 500, height: 560, ...options });
        await page.goto(at, shown ? { waitUntil: 'domcontentloaded' } : {});
        await page.waitForSelector(shown ?? '#game[data-state=playing]', { timeout: 10000 });
        return page;
    };
    t.board = async (page = t.page) => (await page.evaluate(shownOnPage)).board;
    // What the page logged: puppeteer hands it over as it comes, WebDriver when asked.
    t.readConsole = async (page = t.page) => {
        if (page.consoleLines) t.console.push(...await page.consoleLines());
        return t.console;
    };
    t.text = (control, page = t.page) =>
        page.$eval(`[data-control="${control}"]`, (e) => e.textContent.trim());
    t.centre = (selector, page = t.page) => page.$eval(selector, (e) => {
        const r = e.getBoundingClientRect();
        return [r.x + r.width / 2, r.y + r.height / 2];
    });
    t.click = async (control, page = t.page) => {
        const [x, y] = await t.centre(`[data-control="${control}"]`, page);
        await page.mouse.click(x, y);
    };
    // The tile that stands on a cell, clicked in its middle.
    t.clickCell = async (cell, page = t.page) => {
        const [x, y] = await page.$eval('[data-control="Picture1"]', (pic, cell) => {
            const r = pic.getBoundingClientRect(), scale = r.width / (3050 / 15);
            const at = (i) => (pic.clientLeft + i * 1000 / 15 + 33) * scale;
            return [r.left + at(cell % 3), r.top + at(Math.floor(cell / 3))];
        }, cell);
        await page.mouse.click(x, y);
    };
    t.alt = async (key, page = t.page) => {
        await page.keyboard.down('Alt');
        await page.keyboard.press(key);
        await page.keyboard.up('Alt');
    };
    // Waits until fn(arg) in the page is true; fails with what it last read.
    t.until = async (what, fn, arg, page = t.page) => {
        try {
            await page.waitForFunction(fn, { timeout: 5000 }, arg);
        } catch {
            t.fail(`${what}: not within 5 s`);
        }
    };
    t.untilBoard = async (expected, what, page = t.page) => {
        for (const end = Date.now() + 5000; Date.now() < end;)
            if ((await t.board(page)) === expected) return t.reads.push([what, expected]);
        t.eq(await t.board(page), expected, what);
    };
    return t;
}

const plan = readPlan();
const { server, url } = await serve();
let browser;
try {
    browser = await launch();
} catch (e) {
    console.error(`FAIL: ${executables[which][0]} did not start: ${e.message}`);
    process.exit(1);
}
let failed = 0;
for (const [name, scenario] of Object.entries(scenarios)) {
    if (only.length && !only.includes(name)) continue;
    const t = context(browser, url, plan), started = Date.now();
    t.serve = serve;
    try {
        t.page = await t.open();
        // A scenario returns why it cannot run in this browser, or what part of it could not.
        const skipped = await scenario(t), took = `${((Date.now() - started) / 1000).toFixed(1)} s`;
        if (typeof skipped === 'string') console.log(`skip ${name} (${skipped})`);
        else console.log(`ok   ${name} (${took}${skipped ? `; skipped in this browser: ${skipped.skipped}` : ''})`);
    } catch (e) {
        ++failed;
        console.log(`FAIL ${name}: ${e.message}`);
        await dump(t, name, e);
    }
    for (const page of t.pages) await page.close().catch(() => {});
}
await browser.close();
server.closeAllConnections();
server.close();
process.exit(failed ? 1 : 0);
