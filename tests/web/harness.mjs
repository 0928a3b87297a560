// What the browser test and the measuring script share: the page served on localhost (with a
// second folder under /ref/ for reference frames) and headless chromium driven by playwright-core.
import { createRequire } from 'node:module';
import { readFileSync, existsSync } from 'node:fs';
import { createServer } from 'node:http';
import { join, extname, resolve } from 'node:path';

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.bmp': 'image/bmp', '.png': 'image/png' };

// Serves pageDir at / and refDir at /ref/; resolves to the server and its address.
export async function serve(pageDir, refDir) {
    const server = createServer((req, res) => {
        const path = decodeURIComponent(new URL(req.url, 'http://x').pathname);
        const file = path.startsWith('/ref/') ? join(refDir, path.slice(5)) :
                     join(pageDir, path === '/' ? 'index.html' : path);
        if (path.includes('..') || !existsSync(file)) { res.writeHead(404); res.end(); return; }
        res.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream' });
        res.end(readFileSync(file));
    });
    await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
    return { server, base: `http://127.0.0.1:${server.address().port}/` };
}

// Debian's chromium, headless, with any more flags; playwright-core is installed in the build
// tree under nodeDir.
export function launch(nodeDir, flags = []) {
    const { chromium } = createRequire(resolve(nodeDir, 'node_modules') + '/')('playwright-core');
    return chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--headless=new', '--no-sandbox', ...flags] });
}

export const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

// The checks of one run, each printed as it is made under the run's label; `finish` prints the
// count and ends the process, failed when one check did.
export function checker(label) {
    const results = [];
    return {
        check(name, problem) {
            results.push({ name, problem });
            console.log(`${problem ? 'FAIL' : 'ok  '} [${label}] ${name}${problem ? ': ' + problem : ''}`);
        },
        finish(title) {
            const failed = results.filter(r => r.problem).length;
            console.log(`${title}: ${results.length - failed} passed, ${failed} failed`);
            process.exit(failed ? 1 : 0);
        },
    };
}
