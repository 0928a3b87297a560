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

// The picture's size in a space of width x height screen pixels, as the hosts size it: filling
// the limiting side at 4:3, or the largest whole multiple; never under its own 640x480.
export function fill(width, height, whole) {
    if (whole) {
        const scale = Math.max(1, Math.min(Math.floor(width / 640), Math.floor(height / 480)));
        return { w: 640 * scale, h: 480 * scale };
    }
    const [w, h] = width * 3 >= height * 4 ? [Math.floor((height * 4 + 1) / 3), height]
                                           : [width, Math.floor((width * 3 + 2) / 4)];
    return { w: Math.max(w, 640), h: Math.max(h, 480) };
}

// In the page, before its own scripts: the game's 640x480 frame read back from the canvas (or
// from an image put on it), each of its pixels from the canvas pixel at its middle. Exact at a
// scale of 2 or more, where every pixel of the frame has a pixel of the canvas wholly inside it.
export function frameReader() {
    window.frameFrom = (data, width, height) => {
        const frame = new Uint8ClampedArray(640 * 480 * 4);
        for (let y = 0; y < 480; y++) {
            const row = Math.floor((y + 0.5) * height / 480) * width;
            for (let x = 0; x < 640; x++) {
                const from = 4 * (row + Math.floor((x + 0.5) * width / 640)), to = 4 * (y * 640 + x);
                frame[to] = data[from];
                frame[to + 1] = data[from + 1];
                frame[to + 2] = data[from + 2];
                frame[to + 3] = 255;
            }
        }
        return frame;
    };
    // The canvas as it shows now, whether WebGL or a 2D context draws it: shrunk unsmoothed, which
    // takes the same middles and spares reading the whole canvas back while the game plays.
    window.screenNow = () => {
        const copy = document.createElement('canvas');
        copy.width = 640;
        copy.height = 480;
        const g = copy.getContext('2d');
        g.imageSmoothingEnabled = false;
        g.drawImage(document.getElementById('screen'), 0, 0, 640, 480);
        return g.getImageData(0, 0, 640, 480).data;
    };
}
