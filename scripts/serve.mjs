// A small static file server for the browser build, with no dependency: `make serve` runs it
// on build-web/, and the browser tests import serve() to get the site on a free port.
//   node scripts/serve.mjs [ROOT] [PORT]     (ROOT build-web, PORT 8000; 127.0.0.1 only)
import { createReadStream } from 'node:fs';
import { stat } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join, resolve, sep } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
  '.svg': 'image/svg+xml',
  '.woff2': 'font/woff2',
  '.woff': 'font/woff',
  '.txt': 'text/plain; charset=utf-8',
};

// The file a request names inside root, or null for anything outside it.
function fileFor(root, url) {
  let path;
  try {
    path = decodeURIComponent(new URL(url, 'http://host').pathname);
  } catch {
    return null;
  }
  if (path.includes('\0')) return null;
  if (path.endsWith('/')) path += 'index.html';
  const file = resolve(join(root, path));
  return file === root || file.startsWith(root + sep) ? file : null;
}

async function answer(root, request, response) {
  const send = (status, text) => {
    response.writeHead(status, { 'Content-Type': 'text/plain; charset=utf-8' });
    response.end(request.method === 'HEAD' ? undefined : text + '\n');
  };
  if (request.method !== 'GET' && request.method !== 'HEAD') return send(405, 'Method not allowed');
  const file = fileFor(root, request.url);
  if (!file) return send(404, 'Not found');
  let info;
  try {
    info = await stat(file);
  } catch {
    return send(404, 'Not found');
  }
  if (info.isDirectory()) {
    // A folder named without its slash: the browser resolves relative names against it then.
    response.writeHead(301, { Location: new URL(request.url, 'http://host').pathname + '/' });
    return response.end();
  }
  // no-cache: the browser asks again each time, so a new build shows at the next reload; the
  // tag (size and modification time) lets it keep what it has when the file is the same.
  const tag = `"${info.size.toString(16)}-${Math.round(info.mtimeMs * 1000).toString(16)}"`;
  const headers = { 'Cache-Control': 'no-cache', ETag: tag, 'X-Content-Type-Options': 'nosniff' };
  if (request.headers['if-none-match'] === tag) {
    response.writeHead(304, headers);
    return response.end();
  }
  response.writeHead(200, {
    ...headers,
    'Content-Type': types[extname(file).toLowerCase()] ?? 'application/octet-stream',
    'Content-Length': info.size,
  });
  if (request.method === 'HEAD') return response.end();
  createReadStream(file).pipe(response);
}

// Serves root on host:port (0 picks a free port); resolves to the server and its address. A
// request waits for what hold(url) returns for its URL: a promise for a file held back as on a
// slow network (the browser tests hold the module so), nothing for the others.
export async function serve(root, port = 0, host = '127.0.0.1', hold = () => null) {
  const base = resolve(root);
  const server = createServer(async (request, response) => {
    await hold(request.url);
    answer(base, request, response).catch(() => {
      if (!response.headersSent) response.writeHead(500);
      response.end();
    });
  });
  await new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, host, done);
  });
  const address = server.address();
  return { server, url: `http://${host}:${address.port}/` };
}

if (process.argv[1] && import.meta.url === pathToFileURL(resolve(process.argv[1])).href) {
  const here = fileURLToPath(new URL('..', import.meta.url));
  const root = process.argv[2] ?? join(here, 'build-web');
  const port = Number(process.argv[3] ?? process.env.PORT ?? 8000);
  try {
    if (!(await stat(root)).isDirectory()) throw new Error();
  } catch {
    console.error(`serve: ${root} is not a folder (make web builds build-web/)`);
    process.exit(1);
  }
  const { url } = await serve(root, port);
  console.log(`Serving ${resolve(root)} at ${url} (Ctrl+C stops)`);
}
