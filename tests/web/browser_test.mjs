// The browser build played in headless chromium. Its canvas is compared with kestor-sim's frames
// of the same moments: the title exactly, the mission's opening exactly outside the two captions
// (the browser draws its own letters), the swatter where the mouse's counts put it. The sound is
// watched at the Web Audio API.
// Usage: node browser_test.mjs PAGE_DIR WORK_DIR ASSET_DIR [webgl|2d]
// (the page asked to draw with WebGL or a 2D canvas; without, the page's own choice)
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { serve, launch, sleep, checker, fill, frameReader } from './harness.mjs';

const [pageDir, workDir, assetDir, asked = ''] = process.argv.slice(2);
let drawing = asked || 'own choice';
const { server, base } = await serve(pageDir, join(workDir, 'ref'));

// Which reference shots show the opening caption. A shot shows the frame of the last tick
// granted before it, and a tick draws the phase it began in: the phase the tick before left.
function introShots(run) {
    const ticks = readFileSync(join(workDir, `${run}.trace`), 'utf8').trim().split('\n')
        .map(line => JSON.parse(line)).filter(o => o.tick !== undefined && o.key === undefined);
    const names = [];
    for (let i = 100; i < 200; i++) {
        const at = 2520 + (i - 100) * 40;
        const last = ticks.findLastIndex(o => o.t < at);
        if (last > 0 && ticks[last - 1].phase === 'MissionIntro') names.push(`${run}${i}`);
    }
    return names;
}

// A clip's length in sample frames and its rate, from its WAV file.
function clipShape(id) {
    const wav = readFileSync(join(assetDir, `wav${id}.wav`));
    let pos = 12, rate = 0, frameBytes = 0, frames = 0;
    while (pos + 8 <= wav.length) {
        const tag = wav.toString('ascii', pos, pos + 4), size = wav.readUInt32LE(pos + 4);
        if (tag === 'fmt ') {
            rate = wav.readUInt32LE(pos + 12);
            frameBytes = wav.readUInt16LE(pos + 10) * wav.readUInt16LE(pos + 22) / 8;
        } else if (tag === 'data') frames = Math.floor(size / frameBytes);
        pos += 8 + size + (size & 1);
    }
    return { rate, frames };
}

// ---- in the page: what the test watches and how it compares frames --------------------------
function watch() {
    window.watched = { keys: [], starts: [], frames: [], moves: [], downs: [] };
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...args) {
        watched.starts.push({ t: performance.now(), frames: this.buffer.length,
                              rate: this.buffer.sampleRate, loop: this.loop });
        return start.apply(this, args);
    };
    // Listening on the way back up: the game, listening on the way down, has had its say.
    addEventListener('keydown', e => watched.keys.push({ code: e.code, t: performance.now(),
                                                         prevented: e.defaultPrevented }));
    addEventListener('mousemove', () => watched.moves.push(performance.now()), true);
    addEventListener('mousedown', () => watched.downs.push(performance.now()), true);
    window.grab = () => watched.frames.push({ t: performance.now(), data: screenNow() });
    window.refs = {};
    window.loadRefs = async names => {
        for (const name of names) {
            const img = new Image();
            img.src = `/ref/${name}.png`;
            await img.decode();
            const c = document.createElement('canvas');
            c.width = 640; c.height = 480;
            const g = c.getContext('2d');
            g.drawImage(img, 0, 0);
            refs[name] = g.getImageData(0, 0, 640, 480).data;
        }
    };
    // Pixels that differ: inside the first box [x0, x1) x [y0, y1), outside all the boxes.
    window.differ = (a, b, ...boxes) => {
        let inside = 0, outside = 0;
        const within = (box, x, y) => x >= box[0] && x < box[1] && y >= box[2] && y < box[3];
        for (let i = 0; i < 640 * 480; i++) {
            if (a[4 * i] === b[4 * i] && a[4 * i + 1] === b[4 * i + 1] && a[4 * i + 2] === b[4 * i + 2]) continue;
            const x = i % 640, y = (i / 640) | 0;
            if (boxes.length && within(boxes[0], x, y)) inside++;
            else if (!boxes.some(box => within(box, x, y))) outside++;
        }
        return { inside, outside };
    };
    // The captions' rows: every pixel where the two frames differ there must be ink in one of
    // them (the colours nearest white and cyan among the reference's own), and the browser's
    // letters must cover about as much as the reference's.
    window.captionsAgree = (frame, ref) => {
        const band = [96, 196];
        const colours = new Map();
        for (let i = band[0] * 640; i < band[1] * 640; i++) {
            const c = ref[4 * i] << 16 | ref[4 * i + 1] << 8 | ref[4 * i + 2];
            colours.set(c, 1);
        }
        const nearest = (r, g, b) => [...colours.keys()].reduce((best, c) => {
            const d = (((c >> 16) & 255) - r) ** 2 + (((c >> 8) & 255) - g) ** 2 + ((c & 255) - b) ** 2;
            return d < best.d ? { c, d } : best;
        }, { c: 0, d: Infinity }).c;
        const inks = [nearest(255, 255, 255), nearest(0, 255, 255)];
        const count = (data, ink) => {
            let n = 0;
            for (let i = band[0] * 640; i < band[1] * 640; i++)
                if ((data[4 * i] << 16 | data[4 * i + 1] << 8 | data[4 * i + 2]) === ink) n++;
            return n;
        };
        for (let i = band[0] * 640; i < band[1] * 640; i++) {
            const f = frame[4 * i] << 16 | frame[4 * i + 1] << 8 | frame[4 * i + 2];
            const r = ref[4 * i] << 16 | ref[4 * i + 1] << 8 | ref[4 * i + 2];
            if (f !== r && !inks.includes(f) && !inks.includes(r)) return `stray colour at ${i % 640},${(i / 640) | 0}`;
        }
        for (const ink of inks) {
            const mine = count(frame, ink), theirs = count(ref, ink);
            if (mine < theirs * 0.6 || mine > theirs * 1.6)
                return `ink ${ink.toString(16)}: ${mine} pixels, the reference has ${theirs}`;
        }
        return '';
    };
    window.captionRows = [0, 640, 96, 196];
    // The reference this frame matches outside the captions, or null.
    window.matchOf = (frame, names) => {
        for (const name of names)
            if (differ(frame, refs[name], captionRows).outside === 0) return name;
        return null;
    };
}

// ---- the run -------------------------------------------------------------------------------
const { check, finish } = checker(drawing);
const browser = await launch(join(workDir, 'node'));
// WebGL asked for is drawn in software here, by the processor, and on two cores keeps the game's
// time only with the picture at the frame's own size: that run asks for whole multiples in a
// window that fits one. (The picture filling windows in WebGL is fill_test.mjs's.)
const shown = asked === 'webgl' ? { width: 1000, height: 700, whole: true } : { width: 1400, height: 1000, whole: false };
const page = await browser.newPage({ viewport: { width: shown.width, height: shown.height } });
const errors = [];
page.on('pageerror', e => errors.push(e.message));
await page.addInitScript(frameReader);
await page.addInitScript(watch);

const still = introShots('still'), moved = introShots('moved'), held = introShots('held');
async function titleShown(timeout) {
    await page.evaluate(() => loadRefs(['title']));
    const until = Date.now() + timeout;
    let d;
    do {
        d = await page.evaluate(() => differ(screenNow(), refs.title).outside);
        if (d === 0) return '';
        await sleep(100);
    } while (Date.now() < until);
    return `${d} pixels differ from kestor-sim's title frame`;
}

try {
    await page.goto(`${base}?${asked}${shown.whole ? '&scale=whole' : ''}`);
    await page.waitForFunction(() => window.Module && Module.kestor && Module.kestor.screen, null, { timeout: 15000 });
    const gl = await page.evaluate(() => Module.kestor.screen.gl ? 'webgl' : '2d');
    if (!asked) drawing = `${gl}, the page's choice`;
    // Left to choose, the page draws with WebGL only where a graphics card draws WebGL, as the
    // browser names its renderer to any page.
    const renderer = await page.evaluate(() => {
        const probe = document.createElement('canvas').getContext('webgl');
        const info = probe && probe.getExtension('WEBGL_debug_renderer_info');
        return info ? probe.getParameter(info.UNMASKED_RENDERER_WEBGL) : 'no WebGL';
    });
    const want = asked || (/SwiftShader|llvmpipe|softpipe|software|no WebGL/i.test(renderer) ? '2d' : 'webgl');
    check(`the frame is drawn with ${gl}`,
          gl === want ? '' : `${want} was ${asked ? 'asked for' : 'due, the renderer being ' + renderer}`);
    check('the title picture matches kestor-sim\'s title frame pixel for pixel', await titleShown(15000));
    if (gl === 'webgl') {
        // The graphics memory taken away and given back, as a phone may: the title comes back.
        const loss = await page.evaluate(async () => {
            const gl = Module.kestor.screen.gl, lose = gl.getExtension('WEBGL_lose_context');
            lose.loseContext();
            await new Promise(resolve => setTimeout(resolve, 300));
            const lost = gl.isContextLost();
            lose.restoreContext();
            return lost;
        });
        check('a WebGL context lost and given back shows the title again',
              loss ? await titleShown(5000) : 'the context was never lost');
    }

    // The frames are read at the middles of the frame's pixels: exact at either scale.
    const layout = await page.evaluate(() => {
        const c = Module.kestor.canvas, r = c.getBoundingClientRect();
        return { x: r.x, y: r.y, w: r.width, h: r.height, pixels: [c.width, c.height] };
    });
    const filled = fill(shown.width, shown.height, shown.whole);
    check(`the picture ${shown.whole ? 'at the largest whole multiple that fits' : 'filling the height of'} a ${shown.width}x${shown.height} window is ${filled.w}x${filled.h}, centred, the canvas's pixels the screen's`,
          layout.w === filled.w && layout.h === filled.h && Math.abs(layout.x - (shown.width - filled.w) / 2) <= 0.5 &&
          Math.abs(layout.y - (shown.height - filled.h) / 2) <= 0.5 &&
          layout.pixels[0] === filled.w && layout.pixels[1] === filled.h ? '' : JSON.stringify(layout));

    // Full screen on request, the button out of the picture meanwhile.
    await page.click('#full');
    await sleep(300);
    const full = await page.evaluate(() => ({
        full: document.fullscreenElement === document.documentElement,
        button: getComputedStyle(document.getElementById('full')).display }));
    await page.evaluate(() => document.exitFullscreen());
    await sleep(300);
    const back = await page.evaluate(() => getComputedStyle(document.getElementById('full')).display);
    check('"Full screen" fills the screen with the page and hides itself until it is left',
          full.full && full.button === 'none' && back !== 'none' ? '' : JSON.stringify({ ...full, back }));

    // The first click takes the pointer and lets the sound start: the title music loops.
    await page.mouse.click(700, 500);
    await sleep(300);
    const started = await page.evaluate(() => ({
        lock: document.pointerLockElement === Module.kestor.canvas,
        audio: Module.kestor.audio.state, starts: watched.starts }));
    const music = clipShape(134);
    check('the first click locks the pointer to the canvas and starts the sound',
          started.lock && started.audio === 'running' ? '' : JSON.stringify(started));
    check('the title music loops at its own rate and length',
          started.starts.some(s => s.loop && s.rate === music.rate && s.frames === music.frames)
              ? '' : JSON.stringify(started.starts));

    // F1, then frames of the mission's opening: the mouse still, then moved, then a click.
    await page.evaluate(names => loadRefs(names), [...still, ...moved]);
    await page.keyboard.press('F1');
    const pressed = Date.now();
    const since = () => Date.now() - pressed;
    while (since() < 3800) {
        if (since() > 3150) await page.evaluate(() => grab());
        await sleep(60);
    }
    await page.mouse.move(700 + 37, 500 - 21);
    while (since() < 4300) {
        await sleep(60);
        await page.evaluate(() => grab());
    }
    await page.mouse.down();
    await page.mouse.up();
    while (since() < 4700) {
        await page.evaluate(() => grab());
        await sleep(25);
    }

    const verdict = await page.evaluate(({ still, moved }) => {
        const f1 = watched.keys.find(k => k.code === 'F1');
        const moveAt = watched.moves[watched.moves.length - 1];
        const clickAt = watched.downs[watched.downs.length - 1];
        // How long after the tick its reference shot shows a frame was caught (shot 100 is
        // 2020 ms after the key, one every 40 ms).
        const late = (at, name) => name ? at - 2020 - 40 * (Number(name.slice(-3)) - 100) : null;
        const out = { prevented: f1.prevented, still: [], moved: [], swat: [] };
        for (const frame of watched.frames) {
            const at = frame.t - f1.t;
            if (at < 3250 || at > 4850) continue;
            if (frame.t < moveAt) {
                const name = matchOf(frame.data, still);
                out.still.push({ at, name, late: late(at, name), captions: name ? captionsAgree(frame.data, refs[name]) : 'no match' });
            } else if (frame.t > moveAt + 100 && frame.t < clickAt) {
                const name = matchOf(frame.data, moved);
                out.moved.push({ at, name, late: late(at, name), captions: name ? captionsAgree(frame.data, refs[name]) : 'no match' });
            } else if (frame.t > clickAt + 50 && frame.t < clickAt + 250) {
                // The same background as a moved frame; the swatter's swing is what differs.
                const swatter = [218 - 48, 218 + 112, 195 - 48, 195 + 96];
                let best = { at, name: null };
                for (const name of moved) {
                    const d = differ(frame.data, refs[name], swatter, captionRows);
                    if (d.outside === 0) { best = { at, name, late: late(at, name), inside: d.inside }; break; }
                }
                out.swat.push(best);
            }
        }
        out.clickAt = clickAt - f1.t;
        out.swishes = watched.starts.filter(s => s.t >= clickAt && s.t < clickAt + 300);
        return out;
    }, { still, moved });

    check('F1 does not reach the browser', verdict.prevented ? '' : 'its default action was not prevented');
    const bad = list => list.filter(f => !f.name || f.captions);
    check('F1 starts mission 1: the opening frames match kestor-sim\'s outside the captions, the captions in white and cyan',
          verdict.still.length < 3 ? `only ${verdict.still.length} frames caught in the opening` :
          bad(verdict.still).length ? JSON.stringify(bad(verdict.still)) : '');
    check('mouse motion of (37, -21) counts moves the swatter by exactly (37, -21) pixels',
          verdict.moved.length < 2 ? `only ${verdict.moved.length} frames caught after the motion` :
          bad(verdict.moved).length ? JSON.stringify(bad(verdict.moved)) : '');
    const swish = clipShape(105);
    check('a click swats: the swatter swings',
          verdict.clickAt < 3250 || verdict.clickAt > 4850 - 250 ?
              `the click came ${Math.round(verdict.clickAt)} ms after F1, not in the opening's frames` :
          verdict.swat.some(f => f.name && f.inside > 0) ? '' : JSON.stringify(verdict.swat));
    // How late each frame is, after the tick it shows: never early (a tick comes no sooner after
    // F1 than in kestor-sim), and as late at the end of the opening as at its start, within a
    // machine's hiccups. How late at the start depends on the machine: the browser does in real
    // time the work kestor-sim does between two of its ticks when the mission begins.
    const lateness = [...verdict.still, ...verdict.moved, ...verdict.swat].filter(f => f.name).map(f => Math.round(f.late));
    const earliest = Math.min(...lateness), latest = Math.max(...lateness);
    check(`the frames keep the game's time (caught ${earliest} to ${latest} ms after their tick)`,
          lateness.length && earliest >= -45 && latest - earliest <= 120 ? '' : JSON.stringify(lateness));
    check('a click starts the swish clip at its own rate and length',
          verdict.swishes.some(s => !s.loop && s.rate === swish.rate && s.frames === swish.frames)
              ? '' : JSON.stringify(verdict.swishes));

    // Escape ends the game, even though browsers keep it for the pointer lock.
    await page.keyboard.press('Escape');
    await sleep(500);
    const ended = await page.evaluate(() => ({
        shown: getComputedStyle(Module.kestor.ended).display,
        code: Module.kestor.ended.dataset.code,
        lock: !!document.pointerLockElement }));
    check('Escape ends the game: the ended page, exit code 0, the pointer free',
          ended.shown === 'flex' && ended.code === '0' && !ended.lock ? '' : JSON.stringify(ended));

    await page.click('#again');
    check('"Play again" starts the game anew on its title', await titleShown(15000));

    // Two players: the right arrow held from the start carries player 2's swatter to the edge
    // of the field in the first second of the mission's opening, one step a tick; the frames
    // of its second second show it there.
    // Clicked where the pointer stands: no motion for player 1.
    await page.mouse.click(700 + 37, 500 - 21);
    await page.evaluate(names => loadRefs(names), held);
    await page.keyboard.press('F2');
    const f2 = Date.now();
    await page.keyboard.down('ArrowRight');
    await sleep(4400);
    while (Date.now() - f2 < 4900) {
        await page.evaluate(() => grab());
        await sleep(80);
    }
    await page.keyboard.up('ArrowRight');
    const heldFrames = await page.evaluate(held => {
        const f2 = watched.keys.filter(k => k.code === 'F2').pop();
        return watched.frames.filter(f => f.t > f2.t + 4350 && f.t < f2.t + 4980)
            .map(f => ({ at: f.t - f2.t, name: matchOf(f.data, held) }));
    }, held);
    check('the right arrow held moves player 2\'s swatter as kestor-sim\'s does',
          heldFrames.length < 2 ? `only ${heldFrames.length} frames caught` :
          heldFrames.some(f => !f.name) ? JSON.stringify(heldFrames) : '');

    // Switching away ends the game as on the desktop. Headless pages all keep the focus, so the
    // window is sent the blur a switch away would send.
    await page.mouse.click(700, 500);
    await page.evaluate(() => dispatchEvent(new FocusEvent('blur')));
    await sleep(500);
    const away = await page.evaluate(() => getComputedStyle(Module.kestor.ended).display);
    check('losing the focus ends the game with the ended page', away === 'flex' ? '' : `the ended page is ${away}`);
    check('no script errors', errors.length ? errors.join('; ') : '');
} catch (e) {
    check('the run', String(e.stack || e));
} finally {
    await browser.close();
    server.close();
}
finish(`web [${drawing}]`);
