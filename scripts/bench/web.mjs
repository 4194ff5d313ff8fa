// The browser half of make bench: the game's page (build-web/) beside its own form as a static
// page (the built index.html with its faces and style sheet but no script, no module and no
// service worker: the floor for this page, written at bench time) and a bare static page with a
// menu bar and twelve buttons and no script (scripts/bench/bare.html), in Debian's chromium,
// headless, in rounds that take turns. Each visit is a first visit, in a fresh browser context
// with an empty cache. Measured from outside through the DevTools protocol; prints one table.
// WEB_COMPARE adds other builds of the site, each NAME=FOLDER, measured as the page is.
//   node scripts/bench/web.mjs      (ROUNDS=8 IDLE_SECONDS=10 WEB_SITE_DIR=build-web BENCH_DIR=build-bench)
import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdirSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { cpus } from 'node:os';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { serve } from '../serve.mjs';

const top = fileURLToPath(new URL('../..', import.meta.url));
const rounds = Number(process.env.ROUNDS ?? 8);
const idleSeconds = Number(process.env.IDLE_SECONDS ?? 10);
const siteDir = resolve(top, process.env.WEB_SITE_DIR ?? 'build-web');
const outDir = join(resolve(top, process.env.BENCH_DIR ?? 'build-bench'), 'web');
const chromium = process.env.CHROMIUM ?? '/usr/bin/chromium';
mkdirSync(outDir, { recursive: true });

// puppeteer-core as the browser tests install it.
const require = createRequire(join(top, 'tests/web/package.json'));
const { default: puppeteer } = await import(require.resolve('puppeteer-core'));

// Runs in an isolated world of every new document, so the page's own script sees nothing of it:
// once the marked controls exist, the frame that draws them is awaited (an animation frame, then
// a task queued from it, which runs once that frame's rendering is done) and its time kept in the
// attribute data-bench-NAME, then it stops watching.
const probe = (selector, name) => `(() => {
  const painted = () => requestAnimationFrame(() => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () =>
      document.documentElement.setAttribute('data-bench-${name}', performance.now().toFixed(2));
    channel.port2.postMessage(0);
  });
  const look = () => {
    if (!document.querySelector(${JSON.stringify(selector)})) return false;
    watcher.disconnect();
    painted();
    return true;
  };
  const watcher = new MutationObserver(look);
  if (!look()) watcher.observe(document, { subtree: true, childList: true, attributes: true });
})()`;

// The page's form alone: the built index.html without its scripts (the input it keeps, its
// scaling, the worker's registration, quarvel.js) and without the module's preload, beside the
// site's other files but the module's and the worker's.
function staticForm(site, dir) {
  mkdirSync(dir, { recursive: true });
  for (const name of readdirSync(site))
    if (!/^(index\.html|quarvel\.js|quarvel\.wasm|sw\.js)$/.test(name)) copyFileSync(join(site, name), join(dir, name));
  const page = readFileSync(join(site, 'index.html'), 'utf8')
    .replace(/<script\b[^>]*>[\s\S]*?<\/script>\n?/g, '')
    .replace(/<link rel="(preload|modulepreload)"[^>]*>\n?/g, '');
  if (/<script|quarvel\.(js|wasm)|serviceWorker/.test(page)) throw new Error('bench web: the form keeps a script');
  writeFileSync(join(dir, 'index.html'), page);
  return dir;
}

// The board is on screen once the page shows it; the game is ready once its module runs and the
// controls take input. A static page is ready as it shows.
const board = '#game [data-control="Command1(7)"]';
const game = (root) => ({ root, path: '', board, ready: '#game[data-state="playing"] [data-control="Command1(7)"]', worker: true });
const subjects = {
  quarvel: game(siteDir),
  ...Object.fromEntries((process.env.WEB_COMPARE ?? '').split(',').filter(Boolean)
    .map((pair) => pair.split('=')).map(([name, dir]) => [name, game(resolve(dir))])),
  form: { root: staticForm(siteDir, join(outDir, 'form')), path: '', board },
  bare: { root: join(top, 'scripts/bench'), path: 'bare.html', board: '.grid button:nth-child(12)' },
};

// The page's main thread in a trace: the renderer that holds the frame, its CrRendererMain.
function mainThread(events, url) {
  let pid;
  for (const e of events) {
    const frames = e.name === 'TracingStartedInBrowser' ? e.args?.data?.frames ?? [] : [];
    for (const f of frames) if (f.url?.startsWith(url) && !f.parent) pid = f.processId;
  }
  const named = events.find(
    (e) => e.ph === 'M' && e.name === 'thread_name' && e.pid === pid && e.args?.name === 'CrRendererMain',
  );
  return named ? { pid, tid: named.tid } : null;
}

// What ran on the page's main thread over the idle span: every task, timers fired, animation
// frames, script entries, and paints.
function idleCounts(events, main) {
  const counts = { idle_tasks: 0, idle_timers: 0, idle_frames: 0, idle_scripts: 0, idle_paints: 0 };
  for (const e of events) {
    if (e.pid !== main.pid || e.tid !== main.tid || (e.ph !== 'X' && e.ph !== 'B')) continue;
    if (e.name === 'ThreadControllerImpl::RunTask' || e.name === 'RunTask') counts.idle_tasks++;
    else if (e.name === 'TimerFire') counts.idle_timers++;
    else if (e.name === 'FireAnimationFrame') counts.idle_frames++;
    else if (e.name === 'FunctionCall' || e.name === 'EvaluateScript') counts.idle_scripts++;
    else if (e.name === 'Paint') counts.idle_paints++;
  }
  return counts;
}

// PSS and private dirty memory of a process, in KiB.
function processMemory(pid) {
  const rollup = readFileSync(`/proc/${pid}/smaps_rollup`, 'utf8');
  const field = (name) => Number(rollup.match(new RegExp(`^${name}:\\s+(\\d+) kB`, 'm'))?.[1] ?? NaN);
  return { pss_kb: field('Pss'), dirty_kb: field('Private_Dirty') };
}

async function metrics(cdp) {
  const { metrics: list } = await cdp.send('Performance.getMetrics');
  return Object.fromEntries(list.map((m) => [m.name, m.value]));
}

async function paintTime(page, name) {
  await page.waitForSelector(`html[data-bench-${name}]`, { timeout: 30000 });
  return Number(await page.$eval('html', (html, name) => html.getAttribute(`data-bench-${name}`), name));
}

async function visit(browser, name, url) {
  const subject = subjects[name];
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.setViewport({ width: 800, height: 600 });
    const cdp = await page.createCDPSession();
    await cdp.send('Performance.enable');
    await cdp.send('Page.enable');
    for (const name of ['board', 'ready'])
      await cdp.send('Page.addScriptToEvaluateOnNewDocument', {
        source: probe(subject[name] ?? subject.board, name),
        worldName: 'bench',
      });
    const result = {};
    await page.goto(url, { waitUntil: 'load' });
    result.board_ms = await paintTime(page, 'board');
    result.ready_ms = await paintTime(page, 'ready');
    result.fcp_ms = await page.evaluate(
      () => performance.getEntriesByName('first-contentful-paint')[0]?.startTime ?? NaN,
    );
    // The service worker's first fetch of the whole site is part of the first visit, not of
    // the idle page: the span starts once it is active.
    if (subject.worker) await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
    const before = await metrics(cdp);
    await page.tracing.start({
      categories: ['toplevel', 'devtools.timeline', 'disabled-by-default-devtools.timeline'],
    });
    await new Promise((done) => setTimeout(done, idleSeconds * 1000));
    const trace = JSON.parse(Buffer.from(await page.tracing.stop()).toString());
    const after = await metrics(cdp);
    const main = mainThread(trace.traceEvents, url);
    if (main) Object.assign(result, idleCounts(trace.traceEvents, main));
    result.idle_busy_ms = (after.TaskDuration - before.TaskDuration) * 1000;

    // Memory after a full collection: the JS heap in use and the DOM, then the page's renderer
    // process as the system counts it (WebAssembly memory, the DOM's and the heap's pages).
    await cdp.send('HeapProfiler.collectGarbage');
    const settled = await metrics(cdp);
    result.heap_kb = settled.JSHeapUsedSize / 1024;
    result.nodes = settled.Nodes;
    result.listeners = settled.JSEventListeners;
    if (main) Object.assign(result, processMemory(main.pid));
    // The service worker runs in the page's renderer. The browser stops it 30 s after its last
    // event (here: its install); the same stop, asked for now, gives what the page keeps then.
    if (subject.worker && main) {
      await cdp.send('ServiceWorker.enable');
      await cdp.send('ServiceWorker.stopAllWorkers');
      await cdp.send('HeapProfiler.collectGarbage');
      const { pss_kb, dirty_kb } = processMemory(main.pid);
      Object.assign(result, { stopped_pss_kb: pss_kb, stopped_dirty_kb: dirty_kb });
    } else if (main) {
      Object.assign(result, { stopped_pss_kb: result.pss_kb, stopped_dirty_kb: result.dirty_kb });
    }

    // A second visit in the same context: the game from its service worker's cache.
    await page.evaluate(() => {
      document.documentElement.removeAttribute('data-bench-board');
      document.documentElement.removeAttribute('data-bench-ready');
    });
    await page.reload({ waitUntil: 'load' });
    result.reload_ms = await paintTime(page, 'board');
    result.reload_fcp_ms = await page.evaluate(
      () => performance.getEntriesByName('first-contentful-paint')[0]?.startTime ?? NaN,
    );
    result.reload_ready_ms = await paintTime(page, 'ready');
    return result;
  } finally {
    await context.close();
  }
}

const median = (values) => {
  const a = [...values].sort((x, y) => x - y);
  return a.length % 2 ? a[(a.length - 1) / 2] : (a[a.length / 2 - 1] + a[a.length / 2]) / 2;
};

const servers = {};
const urls = {};
for (const [name, subject] of Object.entries(subjects)) {
  servers[name] = await serve(subject.root);
  urls[name] = servers[name].url + subject.path;
}
const browser = await puppeteer.launch({
  executablePath: chromium,
  headless: true,
  args: process.getuid?.() === 0 ? ['--no-sandbox'] : [],
});
const names = Object.keys(subjects);
const results = [];
try {
  // Round 0 warms the browser and the disk cache and is not counted; the pages take turns at
  // going first, so that none always follows another.
  for (let round = 0; round <= rounds; round++) {
    console.error(`bench web: round ${round} of ${rounds}`);
    const order = names.map((_, i) => names[(i + round) % names.length]);
    for (const name of order) {
      const result = await visit(browser, name, urls[name]);
      if (round === 0) continue;
      for (const [key, value] of Object.entries(result)) results.push({ name, key, value });
    }
  }
} finally {
  await browser.close();
  for (const { server } of Object.values(servers)) server.close();
}
writeFileSync(join(outDir, 'results.json'), JSON.stringify(results, null, 1));

const rows = [
  ['fcp_ms', 'first contentful paint, ms', '%.1f'],
  ['board_ms', 'board on screen, ms', '%.1f'],
  ['ready_ms', 'game ready for input, ms', '%.1f'],
  ['reload_fcp_ms', 'first contentful paint, second visit, ms', '%.1f'],
  ['reload_ms', 'board on screen, second visit, ms', '%.1f'],
  ['reload_ready_ms', 'game ready for input, second visit, ms', '%.1f'],
  ['heap_kb', 'JS heap used, KiB', '%.0f'],
  ['pss_kb', 'renderer PSS, MiB', '%.1f', 1024],
  ['dirty_kb', 'renderer private dirty, MiB', '%.1f', 1024],
  ['stopped_pss_kb', 'renderer PSS, service worker stopped, MiB', '%.1f', 1024],
  ['stopped_dirty_kb', 'renderer private dirty, service worker stopped, MiB', '%.1f', 1024],
  ['nodes', 'DOM nodes', '%.0f'],
  ['listeners', 'event listeners', '%.0f'],
  ['idle_busy_ms', 'main thread busy over idle, ms', '%.1f'],
  ['idle_tasks', 'main-thread tasks over idle', '%.0f'],
  ['idle_timers', 'timers fired over idle', '%.0f'],
  ['idle_frames', 'animation frames over idle', '%.0f'],
  ['idle_scripts', 'script runs over idle', '%.0f'],
  ['idle_paints', 'paints over idle', '%.0f'],
];
const format = (f, v) => v.toFixed(Number(f.match(/\.(\d)/)[1]));
const version = execFileSync(chromium, ['--version'], { stdio: ['ignore', 'pipe', 'ignore'] })
  .toString()
  .trim();
const floors = ['form', 'bare'].filter((name) => names.includes(name));
// Each page against each floor listed after it.
const ratios = names.flatMap((name) =>
  floors.filter((floor) => names.indexOf(floor) > names.indexOf(name)).map((floor) => [name, floor]));
const lines = [
  `Measured ${new Date().toISOString().slice(0, 10)} on ${cpus()[0].model.trim()}, ${cpus().length} cores, ` +
    `Debian ${readFileSync('/etc/debian_version', 'utf8').trim()}, ${version} headless, viewport 800x600, ` +
    `served from 127.0.0.1; median (min–max) of ${rounds} first visits after a warm-up, then the ` +
    `ratios of the medians; idle span ${idleSeconds} s.`,
  '',
  `| | ${names.join(' | ')} | ${ratios.map(([a, b]) => `${a} ÷ ${b}`).join(' | ')} |`,
  `|---|${names.map(() => '---|').join('')}${ratios.map(() => '---|').join('')}`,
];
const valuesOf = (name, key, scale = 1) =>
  results.filter((r) => r.name === name && r.key === key && Number.isFinite(r.value)).map((r) => r.value / scale);
const medianOf = (name, key) => (valuesOf(name, key).length ? median(valuesOf(name, key)) : NaN);
for (const [key, label, f, scale = 1] of rows) {
  const cells = names.map((name) => {
    const values = valuesOf(name, key, scale);
    if (!values.length) return '–';
    return `${format(f, median(values))} (${format(f, Math.min(...values))}–${format(f, Math.max(...values))})`;
  });
  const quotients = ratios.map(([a, b]) => {
    const q = medianOf(a, key) / medianOf(b, key);
    return Number.isFinite(q) ? `×${q.toFixed(2)}` : '–';
  });
  lines.push(`| ${label} | ${[...cells, ...quotients].join(' | ')} |`);
}
// What the page aims at against its own form: the same first paint and board, first and second
// visit; the game ready soon after the form's first paint; little more memory.
const targets = [
  ['first contentful paint', 'fcp_ms', 'fcp_ms', 1.05], ['board on screen', 'board_ms', 'board_ms', 1.05],
  ['first contentful paint, second visit', 'reload_fcp_ms', 'reload_fcp_ms', 1.05],
  ['board on screen, second visit', 'reload_ms', 'reload_ms', 1.05],
  ["game ready, against the form's first paint", 'ready_ms', 'fcp_ms', 1.25],
  ['renderer private dirty', 'dirty_kb', 'dirty_kb', 1.25],
];
if (names.includes('form'))
  for (const name of names.filter((n) => subjects[n].worker)) {
    lines.push('', `Targets for ${name} against the form:`);
    for (const [label, key, floorKey, most] of targets) {
      const q = medianOf(name, key) / medianOf('form', floorKey);
      lines.push(`- ${label}: ×${q.toFixed(2)}, at most ×${most.toFixed(2)}: ${q <= most ? 'met' : 'not met'}`);
    }
  }
writeFileSync(join(outDir, 'table.md'), lines.join('\n') + '\n');
console.log(lines.join('\n'));
