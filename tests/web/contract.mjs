// The host contract on the web host: each test of the shared suite in a page of its own in
// headless chromium, its rig dispatching the page's events. GoogleTest's report comes through
// the console.
// Usage: node contract.mjs CONTRACT_DIR NODE_DIR [PART_OF_A_NAME]
import { serve, launch } from './harness.mjs';

const [contractDir, nodeDir] = process.argv.slice(2);
const { server, base } = await serve(contractDir, contractDir);
const browser = await launch(nodeDir);

// Runs one page to the end of GoogleTest's report; its console lines.
async function run(query, timeout) {
    const context = await browser.newContext();
    const page = await context.newPage();
    const lines = [];
    let done;
    const finished = new Promise(resolve => { done = resolve; });
    page.on('console', m => {
        lines.push(m.text());
        if (/^\[  (PASSED|FAILED) {2}\]|^\[==========\] .* ran\./.test(m.text()) && query !== '?list') done();
    });
    page.on('pageerror', e => { lines.push(`page error: ${e.message}`); done(); });
    await page.goto(base + query);
    const timer = setTimeout(done, timeout);
    if (query === '?list') await page.waitForTimeout(3000); else await finished;
    clearTimeout(timer);
    // The summary follows the "ran" line within a moment.
    await page.waitForTimeout(200);
    await context.close();
    return lines;
}

const tests = [];
let suite = '';
for (const line of await run('?list', 20000)) {
    if (/^\S+\.$/.test(line)) suite = line;
    else if (/^ {2}\S/.test(line)) tests.push(suite + line.trim().split(' ')[0]);
}

// The page shares the machine's two cores with everything else; a test that fails gets one
// more page, and says so when that one passes.
let passed = 0, failed = 0, skipped = 0;
for (const test of tests.filter(t => t.includes(process.argv[4] || ''))) {
    let text = '', again = false;
    for (let attempt = 0; attempt < 2; attempt++) {
        const lines = await run(`?filter=${test}`, 120000);
        text = lines.join('\n');
        if (!/\[  (SKIPPED|PASSED  )\] 1 test/.test(text) && attempt === 0) { again = true; continue; }
        break;
    }
    if (/\[  SKIPPED \] 1 test/.test(text)) {
        skipped++;
        const lines = text.split('\n');
        const at = lines.findIndex(l => /Skipped/.test(l));
        console.log(`skip ${test}: ${at >= 0 ? lines[at + 1] : 'skipped'}`);
    } else if (/\[  PASSED  \] 1 test/.test(text)) {
        passed++;
        console.log(`ok   ${test}${again ? ' (on its second page)' : ''}`);
    } else {
        failed++;
        console.log(`FAIL ${test}\n${text}`);
    }
}
await browser.close();
server.close();
console.log(`contract.web: ${passed} passed, ${skipped} skipped, ${failed} failed`);
process.exit(failed || tests.length === 0 ? 1 : 0);
