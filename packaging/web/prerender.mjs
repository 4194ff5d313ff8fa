// Writes the page with the form as the game leaves it at start-up, so that the browser shows it
// before the module has been fetched, compiled and run. The game itself writes it: the built
// quarvel.js and quarvel.wasm run here, in node, on a small document of their own, exactly as
// they start in the browser (the form built, Form_Load dealt, the form shown); their elements,
// each with its handle, and the colour scheme's style sheet go into the page's template, where
// the module takes them over when it runs in the browser. The controls' style sheet goes in too,
// with the faces it names by file (url(NAME.woff2)) as data, so that the first frame waits for no
// other file.
//   node prerender.mjs TEMPLATE STYLE_CSS quarvel.js quarvel.wasm OUTPUT [FACE.woff2...]
import { readFileSync, writeFileSync } from 'node:fs';
import { basename } from 'node:path';
import { runInThisContext } from 'node:vm';

const [template, style, script, wasm, output, ...faces] = process.argv.slice(2);

const kebab = (name) => name.replace(/[A-Z]/g, (c) => '-' + c.toLowerCase());
const escape = (text, quote) => String(text).replace(/&/g, '&amp;').replace(/</g, '&lt;')
    .replace(/>/g, '&gt;').replace(/"/g, quote ? '&quot;' : '"');
const voidTags = new Set(['img', 'br', 'input', 'meta', 'link']);

// As much of an element as the page's scripts use while the game starts; what they use only on
// input is missing, and fails loudly if the start ever reaches it.
class Element {
    constructor(tag) {
        this.localName = tag;
        this.attributes = new Map();
        this.childNodes = [];
        this.parentElement = null;
        const styles = (this.styles = new Map());
        this.style = new Proxy({ setProperty: (name, value) => styles.set(name, value) }, {
            get: (target, name) => target[name] ?? styles.get(kebab(name)) ?? '',
            set: (target, name, value) => (styles.set(kebab(name), value), true),
        });
        this.dataset = new Proxy({}, {
            get: (target, name) => this.getAttribute('data-' + kebab(name)) ?? undefined,
            set: (target, name, value) => (this.setAttribute('data-' + kebab(name), value), true),
        });
    }
    get tagName() { return this.localName.toUpperCase(); }
    setAttribute(name, value) { this.attributes.set(name, String(value)); }
    getAttribute(name) { return this.attributes.get(name) ?? null; }
    removeAttribute(name) { this.attributes.delete(name); }
    get className() { return this.getAttribute('class') ?? ''; }
    set className(value) { this.setAttribute('class', value); }
    set id(value) { this.setAttribute('id', value); }
    get id() { return this.getAttribute('id') ?? ''; }
    set type(value) { this.setAttribute('type', value); }
    set tabIndex(value) { this.setAttribute('tabindex', value); }
    set hidden(value) { if (value) this.setAttribute('hidden', ''); else this.removeAttribute('hidden'); }
    get hidden() { return this.attributes.has('hidden'); }
    get children() { return this.childNodes.filter((n) => n instanceof Element); }
    get nextElementSibling() {
        const siblings = this.parentElement?.children ?? [];
        return siblings[siblings.indexOf(this) + 1] ?? null;
    }
    get textContent() { return this.childNodes.map((n) => (typeof n === 'string' ? n : n.textContent)).join(''); }
    set textContent(text) { this.childNodes.forEach((n) => n instanceof Element && (n.parentElement = null)); this.childNodes = text ? [String(text)] : []; }
    appendChild(child) { child.remove?.(); child.parentElement = this; this.childNodes.push(child); return child; }
    append(...nodes) { for (const n of nodes) if (typeof n === 'string') this.childNodes.push(n); else this.appendChild(n); }
    remove() {
        if (!this.parentElement) return;
        const siblings = this.parentElement.childNodes;
        siblings.splice(siblings.indexOf(this), 1);
        this.parentElement = null;
    }
    addEventListener() {}
    focus() { document.activeElement = this; }
    // Attribute selectors alone ("[data-h]"), which is all the start asks.
    matches(selector) {
        const attribute = selector.match(/^\[([\w-]+)\]$/);
        if (!attribute) throw new Error(`prerender: no selector ${selector}`);
        return this.attributes.has(attribute[1]);
    }
    closest(selector) {
        for (let e = this; e; e = e.parentElement) if (e.matches(selector)) return e;
        return null;
    }
    querySelectorAll(selector) {
        const found = [];
        const walk = (e) => e.children.forEach((c) => { if (c.matches(selector)) found.push(c); walk(c); });
        walk(this);
        return found;
    }
    get outerHTML() {
        if (this.styles.size)
            this.setAttribute('style', [...this.styles].map(([k, v]) => `${k}: ${v}`).join('; '));
        const attributes = [...this.attributes].map(([k, v]) => (v === '' ? ` ${k}` : ` ${k}="${escape(v, true)}"`)).join('');
        if (voidTags.has(this.localName)) return `<${this.localName}${attributes}>`;
        return `<${this.localName}${attributes}>${this.innerHTML}</${this.localName}>`;
    }
    get innerHTML() { return this.childNodes.map((n) => (typeof n === 'string' ? escape(n) : n.outerHTML)).join(''); }
}

const html = new Element('html'), head = new Element('head'), body = new Element('body');
html.append(head, body);
const game = new Element('div');
game.id = 'game';
body.appendChild(game);
const document = {
    documentElement: html, head, body, title: '', activeElement: body,
    currentScript: { src: 'http://localhost/quarvel.js' },
    createElement: (tag) => new Element(tag),
    getElementById: (id) => {
        const walk = (e) => (e.id === id ? e : e.children.map(walk).find(Boolean) ?? null);
        return walk(html);
    },
    addEventListener() {},
};

let started;
const ready = new Promise((resolve, reject) => {
    started = resolve;
    setTimeout(() => reject(new Error('prerender: the game did not start within 10 s')), 10000).unref();
});
Object.assign(globalThis, {
    window: globalThis, document,
    Module: {
        instantiateWasm: (imports, receive) => {
            WebAssembly.instantiate(readFileSync(wasm), imports).then((r) => receive(r.instance, r.module));
            return {};
        },
        // Shown: the form is built and Form_Load has run.
        onRuntimeInitialized: () => setImmediate(() => (game.dataset.state === 'playing' ? started() : null)),
    },
});
// What the game writes on stderr (a runtime error) reaches console.error: the page is not written.
const complaints = [];
console.error = (...args) => complaints.push(args.join(' '));
runInThisContext(readFileSync(script, 'utf8'), { filename: script });
await ready;
if (complaints.length) throw new Error(`prerender: the game wrote ${complaints.join('\n')}`);

// What the page shows before the module runs: loading, busy for screen readers, nothing focused.
game.dataset.state = 'loading';
game.setAttribute('aria-busy', 'true');
const page = readFileSync(template, 'utf8');
const marker = '<div id="game"></div>', styleMarker = /<!-- style.css[^>]*-->/;
if (!page.includes(marker) || !styleMarker.test(page) || !page.includes('</head>'))
    throw new Error(`prerender: ${template} has no ${marker} or style.css comment`);
let sheet = readFileSync(style, 'utf8');
for (const face of faces) {
    const url = `url(${basename(face)})`;
    if (!sheet.includes(url)) throw new Error(`prerender: ${style} names no ${url}`);
    sheet = sheet.replace(url, `url(data:font/woff2;base64,${readFileSync(face).toString('base64')})`);
}
writeFileSync(output, page.replace(styleMarker, () => `<style>\n${sheet}</style>`)
    .replace('</head>', `${head.innerHTML}\n</head>`).replace(marker, game.outerHTML));
