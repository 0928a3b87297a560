// The page filling windows of several sizes at several ratios of screen pixels to CSS pixels, and
// on a phone held both ways, drawn with a 2D canvas and with WebGL: where the picture stands on
// the screen (its size by the fill rule, centred, black around it), and how like it is to
// kestor-sim's title frame drawn ideally at that size, each of the frame's pixels an exact square
// of the screen, area-sampled. With ?scale=whole the picture is the frame at a whole multiple,
// pixel for pixel.
// Usage: node fill_test.mjs PAGE_DIR WORK_DIR
import { spawnSync } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { serve, launch, sleep, checker, fill } from './harness.mjs';

const [pageDir, workDir] = process.argv.slice(2);
const title = join(workDir, 'ref', 'title.png');

// Drawn sharp, the picture comes within the rounding of its mixed edges of the ideal (65 dB and
// more); the ways it goes wrong stand far below: nearest-neighbour at a fractional scale (rows
// and columns of uneven widths) came to 26-31 dB, the browser's bilinear stretch of a 640x480
// canvas to 27-36 dB.
const bound = 50;

// A picture file's raw R, G, B bytes, through ImageMagick.
function rgb(file) {
    const r = spawnSync('convert', [file, '-depth', '8', 'rgb:-'], { maxBuffer: 1 << 28 });
    if (r.status !== 0) throw new Error(`convert ${file}: ${r.stderr}`);
    return r.stdout;
}

// The title as it ought to look at w x h: each of the frame's pixels a rectangle of w/640 x h/480
// screen pixels, and each screen pixel the mean of the colours under it, by the area of each.
const frame = rgb(title);
function ideal(w, h) {
    // For each screen pixel along a side of `size`, the frame's pixels under it and their shares.
    const shares = (size, n) => Array.from({ length: size }, (_, j) => {
        const left = j * n / size, right = (j + 1) * n / size, under = [];
        for (let i = Math.floor(left); i < right; i++)
            under.push({ i, share: (Math.min(i + 1, right) - Math.max(i, left)) * size / n });
        return under;
    });
    const across = shares(w, 640), down = shares(h, 480), out = new Float64Array(w * h * 3);
    for (let y = 0; y < h; y++)
        for (const { i: fy, share: sy } of down[y])
            for (let x = 0; x < w; x++)
                for (const { i: fx, share: sx } of across[x])
                    for (let c = 0; c < 3; c++) out[3 * (y * w + x) + c] += sy * sx * frame[3 * (fy * 640 + fx) + c];
    return out;
}

// Over the picture's rectangle of a screenshot `width` pixels wide.
function psnr(shot, width, rect, want) {
    let sum = 0;
    for (let y = 0; y < rect.h; y++)
        for (let x = 0; x < rect.w; x++)
            for (let c = 0; c < 3; c++) {
                const d = shot[3 * ((rect.y + y) * width + rect.x + x) + c] - want[3 * (y * rect.w + x) + c];
                sum += d * d;
            }
    const mse = sum / (rect.w * rect.h * 3);
    return mse === 0 ? Infinity : 10 * Math.log10(255 * 255 / mse);
}

// The first pixel that is not black outside the picture and outside the `others` rectangles.
function strayOutside(shot, width, height, rect, others) {
    const inside = (r, x, y) => x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
    for (let y = 0; y < height; y++)
        for (let x = 0; x < width; x++) {
            if (inside(rect, x, y) || others.some(r => inside(r, x, y))) continue;
            const i = 3 * (y * width + x);
            if (shot[i] || shot[i + 1] || shot[i + 2]) return `${x},${y}`;
        }
    return '';
}

// Windows of whole screen pixels: Chromium's emulation rounds a fractional one one way for the
// page and another for its screenshot.
const desktops = [[1368, 624, [1, 1.25]], [1366, 626, [1.5]], [1920, 936, [1, 1.25, 2]], [1024, 700, [1.5, 2, 3]]]
    .flatMap(([width, height, ratios]) => ratios.map(ratio => ({
        name: `${width}x${height} at ${ratio}`, viewport: { width, height }, deviceScaleFactor: ratio })));
desktops[1].resized = { name: 'resized to 1024x700', viewport: { width: 1024, height: 700 } };
const phones = [{ name: 'phone held sideways', viewport: { width: 852, height: 392 },
                  resized: { name: 'turned upright', viewport: { width: 392, height: 852 } } },
                { name: 'phone held upright', viewport: { width: 392, height: 852 } }]
    .map(p => ({ ...p, deviceScaleFactor: 2.75, isMobile: true, hasTouch: true }));
const wholes = [{ name: '1400x1000 at 1, ?scale=whole', viewport: { width: 1400, height: 1000 }, deviceScaleFactor: 1, whole: true },
                { name: '1024x700 at 3, ?scale=whole', viewport: { width: 1024, height: 700 }, deviceScaleFactor: 3, whole: true }];

const { check, finish } = checker('fill');
const { server, base } = await serve(pageDir, join(workDir, 'ref'));
const measured = [];

// One window on the title, and the same window resized (a phone turned) where the device says:
// the title must come again at the new size, as a new size clears the canvas.
async function look(browser, device, drawing) {
    const { name, whole, resized, ...options } = device;
    const context = await browser.newContext(options);
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', e => errors.push(e.message));
    await page.goto(`${base}?${drawing}${whole ? '&scale=whole' : ''}`);
    await page.waitForFunction(() => window.Module && Module.kestor && Module.kestor.screen, null, { timeout: 60000 });
    // The page's own button is no part of the picture.
    await page.addStyleTag({ content: '#full { visibility: hidden }' });
    await measure(page, `${name}, ${drawing}`, whole, errors);
    if (resized) {
        await page.setViewportSize(resized.viewport);
        await measure(page, `${name}, then ${resized.name}, ${drawing}`, whole, errors);
    }
    await context.close();
}

// The picture's place, then its likeness, taken again until the title has come (or for five
// seconds).
async function measure(page, label, whole, errors) {
    // The window's new size reaches the layout, and the layout's the canvas, a frame later each.
    await page.evaluate(() => new Promise(done => requestAnimationFrame(() => requestAnimationFrame(done))));
    const layout = await page.evaluate(() => {
        const ratio = devicePixelRatio, box = e => {
            const r = e.getBoundingClientRect();
            return { x: Math.round(r.x * ratio), y: Math.round(r.y * ratio), w: Math.round(r.width * ratio), h: Math.round(r.height * ratio) };
        };
        return { picture: box(Module.kestor.canvas), beside: document.body.classList.contains('beside'),
                 keys: [...document.querySelectorAll('.keys')].filter(k => getComputedStyle(k).display !== 'none').map(box) };
    });
    const rect = layout.picture, drawn = ideal(rect.w, rect.h);
    let shot, width, height, likeness;
    const until = Date.now() + 5000;
    do {
        const png = await page.screenshot();
        width = png.readUInt32BE(16); height = png.readUInt32BE(20);
        const at = join(workDir, 'fill-shot.png');
        writeFileSync(at, png);
        shot = rgb(at);
        likeness = psnr(shot, width, rect, drawn);
        if (likeness >= (whole ? Infinity : bound)) break;
        await sleep(200);
    } while (Date.now() < until);
    const pixels = await page.evaluate(() => [Module.kestor.canvas.width, Module.kestor.canvas.height]);

    // Where it ought to be: in the window less the control keys, beside it or below.
    const keys = layout.keys.reduce((sum, k) => layout.beside ? sum + k.w : sum + k.h, 0);
    const space = layout.beside || !keys ? { w: width - keys, h: height } : { w: width, h: height - keys };
    const want = fill(space.w, space.h, whole);
    const across = (width - want.w) / 2, down = (space.h - want.h) / 2;
    check(`${label}: the picture is ${want.w}x${want.h} screen pixels, centred, black around it, the canvas as many`,
          rect.w !== want.w || rect.h !== want.h ? `it is ${rect.w}x${rect.h} at ${rect.x},${rect.y}` :
          pixels[0] !== rect.w || pixels[1] !== rect.h ? `the canvas holds ${pixels.join('x')} pixels` :
          Math.abs(rect.x - across) > 1 || Math.abs(rect.y - down) > 1 ? `it stands at ${rect.x},${rect.y}, not ${across},${down}` :
          strayOutside(shot, width, height, rect, layout.keys) ? `not black at ${strayOutside(shot, width, height, rect, layout.keys)}` :
          errors.length ? errors.join('; ') : '');
    measured.push(`${label} ${likeness.toFixed(1)}`);
    check(whole ? `${label}: the picture is the title frame ${rect.w / 640} times, pixel for pixel` :
                  `${label}: the picture is like the title drawn ideally at its size (${likeness.toFixed(1)} dB, at least ${bound})`,
          likeness >= (whole ? Infinity : bound) ? '' : `${likeness.toFixed(1)} dB`);
}

// Each ratio in a browser of its own that has the screen at that ratio: Chromium's emulation of
// a ratio alone lays the page out in CSS pixels and stands the canvas between the screen's.
try {
    const devices = [...desktops, ...phones, ...wholes];
    for (const ratio of new Set(devices.map(d => d.deviceScaleFactor))) {
        const browser = await launch(join(workDir, 'node'), [`--force-device-scale-factor=${ratio}`]);
        try {
            for (const drawing of ['2d', 'webgl'])
                for (const device of devices.filter(d => d.deviceScaleFactor === ratio))
                    await look(browser, device, drawing);
        } finally {
            await browser.close();
        }
    }
    console.log(`     PSNR against the ideal, dB: ${measured.join('; ')}`);
} catch (e) {
    check('the run', String(e.stack || e));
} finally {
    server.close();
}
finish('fill');
