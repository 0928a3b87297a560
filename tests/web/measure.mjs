// Measures the browser build in headless chromium over 30 s of battle: the main thread's busy
// time per tick, from the Performance API (the game's own slices between two sleeps, and
// chromium's count of all the main thread's tasks), how steadily the ticks come, and the page's
// memory. RATE slows the processor as DevTools does (4: its "slow phone").
// Usage: node measure.mjs PAGE_DIR NODE_DIR [webgl|2d|own] [RATE] (the page's own choice without)
import { statSync } from 'node:fs';
import { join } from 'node:path';
import { serve, launch, sleep } from './harness.mjs';

const [pageDir, nodeDir, asked = '', rate = '1'] = process.argv.slice(2);
const drawing = asked === 'own' ? '' : asked;
const { server, base } = await serve(pageDir, pageDir);
const browser = await launch(nodeDir);
const page = await browser.newPage({ viewport: { width: 1400, height: 1000 } });
const cdp = await page.context().newCDPSession(page);
await cdp.send('Performance.enable');

async function sample() {
    const { metrics } = await cdp.send('Performance.getMetrics');
    const metric = name => metrics.find(m => m.name === name).value;
    const page_ = await page.evaluate(() => ({
        ticks: Module.kestor.stats.ticks, busyMs: Module.kestor.stats.busyMs, now: performance.now(),
        lateTicks: Module.kestor.stats.lateTicks, lastTickAt: Module.kestor.stats.lastTickAt,
        jsHeap: performance.memory.usedJSHeapSize, wasm: Module.HEAPU8.length }));
    return { ...page_, taskMs: metric('TaskDuration') * 1000, scriptMs: metric('ScriptDuration') * 1000 };
}

await page.goto(`${base}?${drawing}`);
await sleep(2000);
await cdp.send('Emulation.setCPUThrottlingRate', { rate: Number(rate) });
await page.mouse.click(700, 500);
await page.keyboard.press('F1');
// The dish rises for 3 s and the mission is announced for 2 s; then the battle.
await sleep(5500);
const before = await sample();
// A player of sorts: the swatter sweeps the field and swats twice a second.
let x = 700, y = 500, step = 0;
while ((await page.evaluate(() => performance.now())) - before.now < 30000) {
    const dx = Math.round(90 * Math.cos(step / 7)), dy = Math.round(60 * Math.sin(step / 5));
    x += dx; y += dy;
    await page.mouse.move(x, y, { steps: 4 });
    if (step % 3 === 0) { await page.mouse.down(); await sleep(60); await page.mouse.up(); }
    await sleep(250);
    step++;
}
const after = await sample();
const ticks = after.ticks - before.ticks;
const mb = n => (n / 1048576).toFixed(1) + ' MB';
console.log(`drawn with ${await page.evaluate(() => Module.kestor.screen.gl ? 'webgl' : '2d')}`);
console.log(`processor slowed ${rate}x; ticks in ${((after.now - before.now) / 1000).toFixed(1)} s of battle: ${ticks}`);
console.log(`ticks ${((after.lastTickAt - before.lastTickAt) / ticks).toFixed(2)} ms apart on average, ${after.lateTicks - before.lateTicks} later than 50 ms`);
console.log(`game's busy time per tick (its slices between sleeps): ${((after.busyMs - before.busyMs) / ticks * 1000).toFixed(0)} µs`);
console.log(`main thread's busy time per tick (all its tasks): ${((after.taskMs - before.taskMs) / ticks * 1000).toFixed(0)} µs`);
console.log(`of it in scripts and WebAssembly: ${((after.scriptMs - before.scriptMs) / ticks * 1000).toFixed(0)} µs`);
console.log(`memory: JavaScript heap ${mb(after.jsHeap)}, WebAssembly memory ${mb(after.wasm)}`);
console.log(`kestor.wasm: ${mb(statSync(join(pageDir, 'kestor.wasm')).size)}, kestor.js: ${(statSync(join(pageDir, 'kestor.js')).size / 1024).toFixed(0)} KB`);
await browser.close();
server.close();
