// The page's JavaScript libraries (platform/host/web/NAME.js beside NAME.cpp, linked with
// --js-library), held to what the linker and the C++ expect of them before anything is built.
// Each is run as the linker runs it, against a stand-in for its mergeInto, and read beside the
// C++ it serves: every function the C++ declares extern "C" is there, taking as many arguments;
// every function there is declared (the linker leaves out what no C++ calls, silently); what a
// function uses of other libraries' functions and helpers is among its __deps, and the exports
// it calls are the C++'s own; the functions that suspend the program are exactly those the
// link names in ASYNCIFY_IMPORTS (one left out unwinds a caller Asyncify never instrumented).
// And they are laid out alike: four spaces a level, no tabs, nothing trailing, 100 columns.
// Usage: node libraries.mjs [HOST_DIR]
import { readdirSync, readFileSync } from 'node:fs';
import { basename, join } from 'node:path';
import vm from 'node:vm';

const dir = process.argv[2] || new URL('../../platform/host/web', import.meta.url).pathname;
const read = name => readFileSync(join(dir, name), 'utf8');

// The library's entries, as mergeInto(LibraryManager.library, {...}) adds them.
function load(name) {
    const library = {};
    let merged = 0;
    const context = {
        LibraryManager: { library },
        mergeInto(target, entries) {
            if (target !== library) throw new Error('mergeInto not into LibraryManager.library');
            Object.assign(target, entries);
            merged++;
        },
    };
    vm.runInNewContext(read(name), context, { filename: name });
    if (merged !== 1) throw new Error(`mergeInto called ${merged} times, not once`);
    return library;
}

// The functions a C++ source declares extern "C" without a body, by name, with their number of
// parameters; and those it exports to JavaScript (EMSCRIPTEN_KEEPALIVE).
function declarations(source) {
    const code = source.replace(/\/\/.*$/gm, '').replace(/\/\*[\s\S]*?\*\//g, '');
    const declared = new Map();
    const declare = text => {
        const m = /(\w+)\s*\(([^)]*)\)\s*$/.exec(text.trim());
        if (!m) return;
        const params = m[2].trim();
        declared.set(m[1], params === '' || params === 'void' ? 0 : params.split(',').length);
    };
    for (const [, block] of code.matchAll(/extern\s+"C"\s*\{([^}]*)\}/g))
        block.split(';').forEach(declare);
    for (const [, one] of code.matchAll(/extern\s+"C"\s+(?!\{|EMSCRIPTEN_KEEPALIVE)([^;{}]*);/g))
        declare(one);
    const exported = [...code.matchAll(/extern\s+"C"\s+EMSCRIPTEN_KEEPALIVE\s[^(]*?(\w+)\s*\(/g)]
        .map(m => m[1]);
    return { declared, exported };
}

const results = [];
function check(name, run) {
    const faults = [];
    try {
        run(fault => faults.push(fault));
    } catch (e) {
        faults.push(e.stack || String(e));
    }
    results.push({ name, faults });
    console.log(faults.length ? `FAIL ${name}\n  ${faults.join('\n  ')}` : `ok   ${name}`);
}

const files = readdirSync(dir).sort();
const topics = files.filter(f => f.endsWith('.js') && files.includes(basename(f, '.js') + '.cpp'))
    .map(f => basename(f, '.js'));
const libraries = new Map();
for (const topic of topics)
    check(`${topic}.js loads as a library`, () => libraries.set(topic, load(`${topic}.js`)));

const isConfig = key => /__(deps|sig|postset|docs|proxy|import)$/.test(key);
const functionsOf = library => Object.keys(library).filter(k => !isConfig(k) && !k.startsWith('$'));
const everywhere = new Map(); // every entry of every library, by name
check('no name is in two libraries', fault => {
    for (const [topic, library] of libraries)
        for (const [key, value] of Object.entries(library)) {
            if (everywhere.has(key)) fault(`${key} of ${topic}.js is in another library too`);
            everywhere.set(key, value);
        }
});

// What web.h declares extern "C" is declared to the whole host, whichever library holds it.
const shared = declarations(read('web.h')).declared;
const exported =
    new Set(files.filter(f => f.endsWith('.cpp')).flatMap(f => declarations(read(f)).exported));

for (const [topic, library] of libraries) {
    const { declared } = declarations(read(`${topic}.cpp`));
    check(`${topic}.js holds what ${topic}.cpp declares`, fault => {
        for (const [name, count] of declared) {
            if (typeof library[name] !== 'function')
                fault(`${name} is declared but not in ${topic}.js`);
            else if (library[name].length !== count)
                fault(`${name} takes ${library[name].length} arguments, ${topic}.cpp passes ${count}`);
        }
        for (const name of functionsOf(library)) {
            if (typeof library[name] !== 'function') fault(`${name} is no function`);
            else if (!declared.has(name) && !shared.has(name)) fault(`${name} is declared by no C++`);
            else if (shared.has(name) && library[name].length !== shared.get(name))
                fault(`${name} takes ${library[name].length} arguments, web.h's ${shared.get(name)}`);
        }
    });
}

check('web.h\'s functions are each in one library', fault => {
    for (const name of shared.keys()) {
        const holders = topics.filter(t => typeof libraries.get(t)?.[name] === 'function');
        if (holders.length !== 1) fault(`${name} is in ${holders.length} libraries`);
    }
});

// Helpers are what any library defines as $name and what Emscripten's own it names in __deps.
const helpers = new Set([...everywhere.keys()].filter(k => k.startsWith('$')));
for (const value of everywhere.values())
    if (Array.isArray(value)) value.filter(d => d.startsWith('$')).forEach(d => helpers.add(d));
check('every library function names what it uses in __deps', fault => {
    for (const [key, value] of everywhere) {
        if (typeof value !== 'function') continue;
        const source = value.toString(), deps = everywhere.get(`${key}__deps`) || [];
        for (const helper of helpers)
            if (new RegExp(`(?<![\\w.$])${helper.slice(1)}\\b`).test(source) && !deps.includes(helper))
                fault(`${key} uses ${helper.slice(1)} without ${helper} in its __deps`);
        for (const [, name] of source.matchAll(/(?<![\w.$])_([A-Za-z]\w*)\s*\(/g))
            if (!deps.includes(name) && !exported.has(name))
                fault(`${key} calls _${name}, neither among its __deps nor exported by the C++`);
    }
});

check('the functions that suspend are the link\'s ASYNCIFY_IMPORTS', fault => {
    const named = /-sASYNCIFY_IMPORTS=([\w,[\]]+)/.exec(read('CMakeLists.txt'));
    if (!named) return fault('CMakeLists.txt names no ASYNCIFY_IMPORTS');
    const listed = new Set(named[1].replace(/^\[|\]$/g, '').split(','));
    const suspending = [...everywhere]
        .filter(([k, v]) => typeof v === 'function' && !k.startsWith('$') &&
                            /Asyncify\.handle(Async|Sleep)\b/.test(v.toString()))
        .map(([k]) => k);
    for (const name of suspending)
        if (!listed.has(name)) fault(`${name} suspends the program but is not in ASYNCIFY_IMPORTS`);
    for (const name of listed)
        if (!suspending.includes(name)) fault(`${name} is in ASYNCIFY_IMPORTS but suspends nothing`);
});

for (const topic of topics)
    check(`${topic}.js is laid out as the others`, fault => {
        read(`${topic}.js`).split('\n').forEach((line, i) => {
            const at = `${topic}.js:${i + 1}`;
            if (/\t/.test(line)) fault(`${at} has a tab`);
            if (/\s$/.test(line)) fault(`${at} ends in white space`);
            if (/^ */.exec(line)[0].length % 4) fault(`${at} is indented by no multiple of four`);
            if (line.length > 100) fault(`${at} is longer than 100 columns`);
        });
    });

const failed = results.filter(r => r.faults.length).length;
console.log(`libraries: ${results.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
