// The host contract on the web host: each test of the shared suite in a page of its own in
// headless chromium, its rig dispatching the page's events and recording the page's sound. The
// page plays its sound without waiting for a click, as a test has no player to click. GoogleTest's
// report comes through the console.
// Usage: node contract.mjs CONTRACT_DIR NODE_DIR [PART_OF_A_NAME]
import { serve, launch } from './harness.mjs';

const [contractDir, nodeDir] = process.argv.slice(2);
const { server, base } = await serve(contractDir, contractDir);
const browser = await launch(nodeDir, ['--autoplay-policy=no-user-gesture-required']);

// Runs one page to the end of GoogleTest's report; its console lines.
async function run(query, timeout) {
    const context = await browser.newContext();
    const page = await context.newPage();
    const lines = [];
    let done;
    const finished = new Promise(resolve => { done = resolve; });
    // The last line of GoogleTest's report, whichever way the test went; the list page says
    // when its list has ended.
    const last = /^\[  PASSED  \] 1 test\.|FAILED TESTS?$|^\[  SKIPPED \] \S+\.\S+$|^\[list ends\]$/;
    page.on('console', m => {
        lines.push(m.text());
        if (last.test(m.text())) done();
    });
    page.on('pageerror', e => { lines.push(`page error: ${e.message}`); done(); });
    await page.goto(base + query);
    const timer = setTimeout(() => { lines.push(`no end of the report in ${timeout} ms`); done(); }, timeout);
    await finished;
    clearTimeout(timer);
    await context.close();
    return lines;
}

const tests = [];
let suite = '';
for (const line of await run('?list', 20000)) {
    if (/^\S+\.$/.test(line)) suite = line;
    else if (/^ {2}\S/.test(line)) tests.push(suite + line.trim().split(' ')[0]);
}

let passed = 0, failed = 0, skipped = 0;
for (const test of tests.filter(t => t.includes(process.argv[4] || ''))) {
    const text = (await run(`?filter=${test}`, 120000)).join('\n');
    if (/\[  SKIPPED \] 1 test/.test(text)) {
        skipped++;
        const lines = text.split('\n');
        const at = lines.findIndex(l => /Skipped/.test(l));
        console.log(`skip ${test}: ${at >= 0 ? lines[at + 1] : 'skipped'}`);
    } else if (/\[  PASSED  \] 1 test/.test(text)) {
        passed++;
        console.log(`ok   ${test}`);
    } else {
        failed++;
        console.log(`FAIL ${test}\n${text}`);
    }
}
await browser.close();
server.close();
console.log(`contract.web: ${passed} passed, ${skipped} skipped, ${failed} failed`);
process.exit(failed || tests.length === 0 ? 1 : 0);
