// WebKit for the browser tests: WebKitGTK's MiniBrowser, driven over W3C WebDriver by Debian's
// WebKitWebDriver in an Xvfb of its own, behind the part of puppeteer's Browser and Page that
// the scenarios use, with the same names and arguments. Puppeteer itself drives no WebKit.
import { spawn } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { cropPng } from './png.mjs';

export const miniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
export const webDriver = '/usr/bin/WebKitWebDriver';

const freePort = () => new Promise((done) => {
    const s = createServer().listen(0, '127.0.0.1', () => { const { port } = s.address(); s.close(() => done(port)); });
});

// WebDriver's key values for puppeteer's key names; a character stands for itself.
const keys = {
    Enter: '\uE007', Escape: '\uE00C', Tab: '\uE004', Backspace: '\uE003', Alt: '\uE00A',
    Shift: '\uE008', Control: '\uE009', ArrowLeft: '\uE012', ArrowUp: '\uE013',
    ArrowRight: '\uE014', ArrowDown: '\uE015', Space: ' ',
};
const keyValue = (name) => keys[name] ?? name;

// Errors and warnings of the page, kept until the runner reads them: WebDriver passes no console.
const consoleHook = () => {
    if (window.__consoleLog) return;
    window.__consoleLog = [];
    for (const type of ['error', 'warn']) {
        const original = console[type];
        console[type] = (...a) => { window.__consoleLog.push(`${type === 'warn' ? 'warning' : type}: ${a.join(' ')}`); original.apply(console, a); };
    }
    addEventListener('error', (e) => window.__consoleLog.push(`pageerror: ${e.message}`));
};

class Session {
    constructor(base, id) { this.base = base; this.id = id; this.current = null; }

    async call(method, path, body) {
        const response = await fetch(`${this.base}/session/${this.id}${path}`, {
            method, headers: { 'content-type': 'application/json' },
            body: body === undefined ? undefined : JSON.stringify(body),
        });
        const { value } = await response.json();
        if (value && value.error) throw new Error(`WebDriver ${path}: ${value.error}: ${value.message}`);
        return value;
    }
}

class Page {
    constructor(session, handle, closed) {
        this.session = session;
        this.handle = handle;
        this.closed = closed;
        this.listeners = [];
        this.mouse = {
            move: (x, y) => this.pointer([{ type: 'pointerMove', x, y, origin: 'viewport' }]),
            down: () => this.pointer([{ type: 'pointerDown', button: 0 }]),
            up: () => this.pointer([{ type: 'pointerUp', button: 0 }]),
            click: (x, y) => this.pointer([{ type: 'pointerMove', x, y, origin: 'viewport' },
                { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }]),
        };
        this.keyboard = {
            down: (k) => this.keyActions([{ type: 'keyDown', value: keyValue(k) }]),
            up: (k) => this.keyActions([{ type: 'keyUp', value: keyValue(k) }]),
            press: (k) => this.keyActions([{ type: 'keyDown', value: keyValue(k) }, { type: 'keyUp', value: keyValue(k) }]),
        };
    }

    // Every command goes to this page's window.
    async call(method, path, body) {
        if (this.session.current !== this.handle) {
            await this.session.call('POST', '/window', { handle: this.handle });
            this.session.current = this.handle;
        }
        return this.session.call(method, path, body);
    }

    pointer(actions) {
        return this.call('POST', '/actions', { actions: [{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions }] });
    }

    keyActions(actions) {
        return this.call('POST', '/actions', { actions: [{ type: 'key', id: 'keyboard', actions }] });
    }

    // The page's function run with JSON arguments; a promise it returns is awaited.
    evaluate(fn, ...args) {
        return this.call('POST', '/execute/sync', { script: `return (${fn}).apply(null, arguments);`, args });
    }

    $eval(selector, fn, ...args) {
        return this.call('POST', '/execute/sync', {
            script: `const e = document.querySelector(arguments[0]); if (!e) throw new Error('no element ' + arguments[0]);
                     return (${fn}).apply(null, [e, ...Array.prototype.slice.call(arguments, 1)]);`,
            args: [selector, ...args],
        });
    }

    $$eval(selector, fn, ...args) {
        return this.call('POST', '/execute/sync', {
            script: `return (${fn}).apply(null, [[...document.querySelectorAll(arguments[0])], ...Array.prototype.slice.call(arguments, 1)]);`,
            args: [selector, ...args],
        });
    }

    // An element's screenshot is cut from the viewport's: WebKitGTK's own (2.50) leaves the top of
    // an element black where its box lies below the page's first rows.
    async $(selector) {
        await this.call('POST', '/element', { using: 'css selector', value: selector });
        return {
            screenshot: async () => {
                const [x, y, w, h, ratio] = await this.$eval(selector, (e) => {
                    const r = e.getBoundingClientRect();
                    return [r.x, r.y, r.width, r.height, devicePixelRatio];
                });
                const at = (v) => Math.round(v * ratio);
                return cropPng(await this.screenshot(), at(x), at(y), at(x + w) - at(x), at(y + h) - at(y));
            },
        };
    }

    // The role and the name that WebKit's accessibility tree gives each element the selector finds.
    async computedNames(selector) {
        const found = await this.call('POST', '/elements', { using: 'css selector', value: selector });
        const names = [];
        for (const e of found) {
            const id = Object.values(e)[0];
            // WebKit answers nothing for an element outside the tree (a closed menu's list).
            const role = await this.call('GET', `/element/${id}/computedrole`).catch(() => null);
            if (role !== null) names.push([role, await this.call('GET', `/element/${id}/computedlabel`)]);
        }
        return names;
    }

    async screenshot({ path } = {}) {
        const png = Buffer.from(await this.call('GET', '/screenshot'), 'base64');
        if (path) writeFileSync(path, png);
        return png;
    }

    // The viewport's size, through the window's: the difference is the browser's own frame. A new
    // window may tell no size yet, hence a few rounds.
    async setViewport({ width, height }) {
        let [w, h] = await this.evaluate(() => [innerWidth, innerHeight]);
        for (let round = 0; (w !== width || h !== height) && round < 3; ++round) {
            const rect = await this.call('GET', '/window/rect');
            await this.call('POST', '/window/rect', {
                width: width + Math.max(0, rect.width - w), height: height + Math.max(0, rect.height - h) });
            [w, h] = await this.evaluate(() => [innerWidth, innerHeight]);
        }
    }

    async goto(url) {
        await this.call('POST', '/url', { url });
        await this.evaluate(consoleHook);
    }

    async reload() {
        await this.call('POST', '/refresh', {});
        await this.evaluate(consoleHook);
    }

    focus(selector) {
        return this.$eval(selector, (e) => e.focus());
    }

    async waitForFunction(fn, { timeout = 30000 } = {}, ...args) {
        for (const end = Date.now() + timeout; ;) {
            if (await this.evaluate(fn, ...args)) return;
            if (Date.now() > end) throw new Error(`waiting for ${fn} timed out after ${timeout} ms`);
            await new Promise((ok) => setTimeout(ok, 20));
        }
    }

    waitForSelector(selector, { timeout = 30000 } = {}) {
        return this.waitForFunction((s) => !!document.querySelector(s), { timeout }, selector);
    }

    // What the page logged since the last call, as the runner's console lines.
    consoleLines() {
        return this.evaluate(() => (window.__consoleLog ?? []).splice(0));
    }

    on() {} // WebDriver sends no events: consoleLines() reads what consoleHook kept.

    // The session's last window stays, blank, for the next page: without a window it would end.
    async close() {
        const handles = await this.session.call('GET', '/window/handles');
        if (handles.length > 1) {
            await this.call('DELETE', '/window');
            this.session.current = null;
        } else {
            await this.call('POST', '/url', { url: 'about:blank' });
        }
        this.closed(this);
    }
}

// Starts Xvfb, WebKitWebDriver and a MiniBrowser session; `env` adds to the browser's environment.
export async function launchWebKit({ env = {} } = {}) {
    const children = [];
    const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
        { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
    children.push(xvfb);
    const display = await new Promise((done, fail) => {
        let text = '';
        xvfb.stdio[3].on('data', (d) => { text += d; if (text.includes('\n')) done(`:${text.trim()}`); });
        xvfb.on('exit', () => fail(new Error('Xvfb did not start')));
    });
    const port = await freePort();
    const driver = spawn(webDriver, [`--port=${port}`], { env: { ...process.env, ...env, DISPLAY: display }, stdio: 'ignore' });
    children.push(driver);
    const base = `http://127.0.0.1:${port}`;
    const stop = () => children.forEach((c) => c.kill());
    let created;
    for (const end = Date.now() + 20000; !created;) {
        try {
            const response = await fetch(`${base}/session`, {
                method: 'POST', headers: { 'content-type': 'application/json' },
                body: JSON.stringify({ capabilities: { alwaysMatch: { browserName: 'MiniBrowser',
                    'webkitgtk:browserOptions': { binary: miniBrowser, args: ['--automation'] } } } }),
            });
            created = (await response.json()).value;
            if (created.error) { stop(); throw new Error(`${created.error}: ${created.message}`); }
        } catch (e) {
            if (!/fetch failed|ECONNREFUSED/.test(String(e.cause ?? e)) || Date.now() > end) { stop(); throw e; }
            await new Promise((ok) => setTimeout(ok, 50));
        }
    }
    const session = new Session(base, created.sessionId);
    const pages = [];
    return {
        version: async () => `MiniBrowser (WebKitGTK ${created.capabilities.browserVersion})`,
        async newPage() {
            // The session's first window serves the first page; later ones get a window each.
            const handles = await session.call('GET', '/window/handles');
            const unused = handles.find((h) => !pages.some((p) => p.handle === h));
            const handle = unused ?? (await session.call('POST', '/window/new', { type: 'window' })).handle;
            const page = new Page(session, handle, (p) => pages.splice(pages.indexOf(p), 1));
            pages.push(page);
            return page;
        },
        async close() {
            await session.call('DELETE', '').catch(() => {});
            stop();
        },
    };
}
