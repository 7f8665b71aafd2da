// Plays the web build in the system's headless Chromium: the intro against its
// reference frame, a deal, a roll, the saved game after a reload, English
// under an English browser, and a quiet console.
// Usage: node browser_test.mjs [--build] [SHOTS_FOLDER]
// --build first builds the site with tools/build-web; SHOTS_FOLDER keeps the
// intro and the dealt board as the page drew them.
import {spawnSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import {fileURLToPath} from 'node:url';
import puppeteer from 'puppeteer-core';

const tests = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const source = path.dirname(tests);
const www = path.join(source, 'build-web', 'www');
// Pages for the test alone, served under /fixtures/.
const fixtures = path.join(source, 'build-web', 'game', 'fixtures');
const options = process.argv.slice(2);
const shots = options.filter((option) => option !== '--build')[0];
const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
               '.data': 'application/octet-stream', '.png': 'image/png', '.ico': 'image/x-icon'};

let passed = 0;

function fail(message) {
    console.log(`FAIL: ${message}`);
    console.log(`${passed} passed, 1 failed`);
    process.exit(1);
}

// Each step ends on its own bound and names itself when it cannot finish.
async function step(name, seconds, action) {
    let timer;
    const bound = new Promise((_, reject) => {
        timer = setTimeout(() => reject(new Error(`not done within ${seconds} s`)), seconds * 1000);
    });
    try {
        const result = await Promise.race([action(), bound]);
        console.log(`ok: ${name}`);
        passed++;
        return result;
    } catch (error) {
        fail(`${name}: ${error.message}`);
    } finally {
        clearTimeout(timer);
    }
}

const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

// The site as any static server serves it, on a free port of 127.0.0.1.
function serve() {
    const server = http.createServer((request, response) => {
        const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
        const root = name.startsWith('/fixtures/') ? path.dirname(fixtures) + '/' : www;
        const file = path.join(root, name.endsWith('/') ? name + 'index.html' : name);
        if (!file.startsWith(path.resolve(root)) || !fs.existsSync(file)) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, {'Content-Type': types[path.extname(file)] || 'application/octet-stream'});
        fs.createReadStream(file).pipe(response);
    });
    return new Promise((done) => server.listen(0, '127.0.0.1', () => done(server)));
}

const console_errors = [];

// A browser of its own, with a fresh profile, speaking `language`.
async function open_browser(language) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'web-test-'));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        headless: true,
        userDataDir: profile,
        args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync',
               '--enable-unsafe-swiftshader', `--lang=${language}`, `--accept-lang=${language}`],
        env: {...process.env, LANGUAGE: language, LANG: `${language.replace('-', '_')}.UTF-8`},
    });
    const page = await browser.newPage();
    await page.setViewport({width: 1020, height: 710, deviceScaleFactor: 1});
    await page.setExtraHTTPHeaders({'Accept-Language': language});
    page.on('console', (message) => {
        // WebGL tells a draw it refused (such as a rectangle drawn into a
        // bitmap whose texture is still bound) only as a warning.
        if (message.type() === 'error' || /GL_INVALID/.test(message.text())) {
            console_errors.push(message.text());
        }
    });
    page.on('pageerror', (error) => console_errors.push(error.message));
    return {browser, page, profile};
}

function data_url(file) {
    return 'data:image/png;base64,' + fs.readFileSync(file).toString('base64');
}

// Pixel measures run in the page on decoded images: the share of pixels of
// `shot` (within `crop`) whose every channel is within 16 levels of
// `reference`, the mean brightness, and how many pixels have a given colour.
async function measure(page, shot, options) {
    return page.evaluate(async (shot, options) => {
        const load = (source) => new Promise((done, failed) => {
            const image = new Image();
            image.onload = () => done(image);
            image.onerror = () => failed(new Error('an image did not decode'));
            image.src = source;
        });
        const pixels = (image, crop) => {
            const canvas = new OffscreenCanvas(crop.w, crop.h);
            const context = canvas.getContext('2d');
            context.drawImage(image, -crop.x, -crop.y);
            return context.getImageData(0, 0, crop.w, crop.h).data;
        };
        const image = await load(shot);
        const crop = options.crop || {x: 0, y: 0, w: image.width, h: image.height};
        const got = pixels(image, crop);
        const result = {mean: 0, close: 0, colour: 0};
        let want = null;
        if (options.reference) {
            const reference = await load(options.reference);
            want = pixels(reference, options.reference_crop || {x: 0, y: 0, w: crop.w, h: crop.h});
        }
        for (let i = 0; i < got.length; i += 4) {
            result.mean += (got[i] + got[i + 1] + got[i + 2]) / 3 / 255;
            if (want && Math.abs(got[i] - want[i]) <= 16 && Math.abs(got[i + 1] - want[i + 1]) <= 16 &&
                Math.abs(got[i + 2] - want[i + 2]) <= 16) result.close++;
            const c = options.colour;
            if (c && Math.abs(got[i] - c[0]) <= 24 && Math.abs(got[i + 1] - c[1]) <= 24 &&
                Math.abs(got[i + 2] - c[2]) <= 24) result.colour++;
        }
        result.mean /= got.length / 4;
        result.close /= got.length / 4;
        return result;
    }, shot, options);
}

// The page once it has stood still for a while: three equal screenshots in a
// row, 0.3 s apart. Polls until it does; the step's bound ends a page that
// never stands still.
async function settled(page) {
    let last = '';
    for (let same = 0; same < 2;) {
        await sleep(300);
        const shot = await page.screenshot({encoding: 'base64'});
        same = shot === last ? same + 1 : 0;
        last = shot;
    }
    return 'data:image/png;base64,' + last;
}

// A set's pictures load on a dark, still screen; the board stands still and
// bright once dealt.
async function dealt(page) {
    for (;;) {
        const shot = await settled(page);
        if ((await measure(page, shot, {})).mean > 0.15) return shot;
    }
}

function keep(shot, name) {
    if (shots) fs.writeFileSync(path.join(shots, name), Buffer.from(shot.split(',')[1], 'base64'));
}

const counter = {x: 377, y: 28, w: 36, h: 40};
const offer = {crop: {x: 0, y: 640, w: 1020, h: 22}, colour: [99, 133, 122]};

async function counter_reads_1(page, shot) {
    const close = (await measure(page, shot, {crop: counter, reference: data_url(`${tests}/window/counter-1.png`)})).close;
    return close >= 0.97;
}

async function intro_matches(page, reference) {
    const shot = await settled(page);
    const close = (await measure(page, shot, {reference: data_url(reference)})).close;
    console.log(`   ${(100 * close).toFixed(2)} % of the intro's pixels within 16 levels of ${path.basename(reference)}`);
    if (close < 0.97) throw new Error(`only ${(100 * close).toFixed(2)} % match`);
    return shot;
}

if (options.includes('--build')) {
    const built = spawnSync(path.join(source, 'tools', 'build-web'), {cwd: source, encoding: 'utf8'});
    // No web build of the libraries on this machine: nothing to test.
    if (built.status === 3) {
        console.log(`SKIP: ${built.stderr.trim()}`);
        process.exit(77);
    }
    if (built.status !== 0) fail(`tools/build-web failed:\n${built.stdout}${built.stderr}`);
    console.log('ok: tools/build-web');
    passed++;
}

// The third set with five pictures counted and the sixth whole on the board,
// waiting for the press that counts it.
// The first set took `moves` rotations, the others none, as in the
// reference summaries.
const cube_lines = Array.from({length: 12}, (_, i) =>
    `cube ${i + 1} faces 1 6 2 3 4 5 3 turns 0 0 0 0 0 0 0 rolled 0\n`).join('');
const last_picture_pending = (moves) => 'picture-cubes saved game 1\ngroup 3\n' +
    `finished 1 files 1 2 3 4 5 6 moves ${moves} record 0\nfinished 2 files 1 2 3 4 5 6 moves 0 record 0\n` +
    'files 1 2 3 4 5 6\nmoves 0\nassembled 1 1 1 1 1 0\npending 6\n' + cube_lines + 'end\n';

// Puts a saved game where the page's storage keeps it (Emscripten's IDBFS:
// a database named after the folder, one record per file), from another page
// of the same site, before the game starts.
async function store_saved_game(page, text) {
    await page.goto(address + 'icon.png');
    await page.evaluate((text) => new Promise((done, failed) => {
        const request = indexedDB.open('/state', 21);
        request.onupgradeneeded = () => {
            request.result.createObjectStore('FILE_DATA').createIndex('timestamp', 'timestamp', {unique: false});
        };
        request.onerror = () => failed(request.error);
        request.onsuccess = () => {
            const transaction = request.result.transaction(['FILE_DATA'], 'readwrite');
            transaction.objectStore('FILE_DATA').put(
                {timestamp: new Date(), mode: 0o100600, contents: new TextEncoder().encode(text)}, '/state/game');
            transaction.oncomplete = () => {
                request.result.close();
                done();
            };
            transaction.onerror = () => failed(transaction.error);
        };
    }), text);
}

// Resumes such a game, counts its last picture by a press on a cube, and
// compares the summary's title, its lines of rotations and its restart
// button with the reference summary.
async function reaches_summary(page, moves, reference, shot_name) {
    await store_saved_game(page, last_picture_pending(moves));
    await page.goto(address, {waitUntil: 'load'});
    await settled(page);
    await page.mouse.click(510, 300, {delay: 100});
    await dealt(page);
    await page.mouse.click(560, 350, {delay: 100});
    const shot = await settled(page);
    keep(shot, shot_name);
    const end_screen = data_url(reference);
    // Texts must match closely: a wrong plural form is one letter. The
    // button's light is caught at another moment of its pulse.
    for (const [what, crop, least] of [['title', {x: 520, y: 118, w: 220, h: 40}, 0.995],
                                       ['first set\'s rotations', {x: 615, y: 170, w: 320, h: 24}, 0.995],
                                       ['second set\'s rotations', {x: 615, y: 310, w: 320, h: 24}, 0.995],
                                       ['restart button', {x: 565, y: 608, w: 130, h: 32}, 0.97]]) {
        const {close} = await measure(page, shot, {crop, reference: end_screen, reference_crop: crop});
        if (close < least) throw new Error(`the summary's ${what} matches in only ${(100 * close).toFixed(2)} %`);
    }
}

let address;
const server = await serve();
address = `http://127.0.0.1:${server.address().port}/`;
if (shots) fs.mkdirSync(shots, {recursive: true});

const polish = await open_browser('pl-PL');
const page = polish.page;
await step('rectangles drawn into the canvas just after a present all land', 60, async () => {
    const told = new Promise((done) => page.on('console', (message) => {
        const counts = /primitives check: (\d+) of (\d+)/.exec(message.text());
        if (counts) done(counts);
    }));
    await page.goto(address + 'fixtures/primitives-check.html');
    const [, landed, drawn] = await told;
    if (landed !== drawn) throw new Error(`only ${landed} of ${drawn} landed`);
});
await step('the page loads and the game starts', 60, async () => {
    await page.goto(address, {waitUntil: 'load'});
    await page.waitForFunction(() => document.getElementById('loading').style.display === 'none', {timeout: 0});
});
await step('the intro matches its reference frame', 60, async () => {
    const shot = await intro_matches(page, `${tests}/reference/intro-faded-in.png`);
    keep(shot, 'intro.png');
    if ((await measure(page, shot, offer)).colour > 50) throw new Error('a fresh game offers a saved one');
    const title = await page.title();
    if (title !== 'Obrazkowe klocki') throw new Error(`the title is "${title}"`);
});
const board = await step('a click deals the set', 60, async () => {
    await page.mouse.click(510, 300, {delay: 100});
    const shot = await dealt(page);
    keep(shot, 'dealt.png');
    if (await counter_reads_1(page, shot)) throw new Error('the counter reads 1 before any roll');
    return shot;
});
await step('a drag rolls cube 6 and the counter reads 1', 60, async () => {
    await page.mouse.move(560, 350);
    await page.mouse.down();
    for (let x = 565; x <= 610; x += 5) {
        await page.mouse.move(x, 350);
        await sleep(30);
    }
    await page.mouse.up();
    const shot = await settled(page);
    if (shot === board) throw new Error('the board did not change');
    if (!(await counter_reads_1(page, shot))) throw new Error('the counter does not read 1');
});
await step('a reload offers the saved game, and it resumes', 90, async () => {
    await page.reload({waitUntil: 'load'});
    const shot = await settled(page);
    if ((await measure(page, shot, offer)).colour <= 50) throw new Error('the intro offers no saved game');
    await page.mouse.click(510, 300, {delay: 100});
    if (!(await counter_reads_1(page, await dealt(page)))) throw new Error('the resumed counter does not read 1');
});
await step('a saved game one press from its end reaches the summary', 120, async () => {
    await reaches_summary(page, 18, `${tests}/reference/end-screen.png`, 'summary.png');
});
await polish.browser.close();

const english = await open_browser('en-US');
await step('English under an English browser', 90, async () => {
    await english.page.goto(address, {waitUntil: 'load'});
    await intro_matches(english.page, `${tests}/reference/en-intro-faded-in.png`);
    const title = await english.page.title();
    if (title !== 'Picture Cubes') throw new Error(`the title is "${title}"`);
});
await step('the summary in English', 120, async () => {
    await reaches_summary(english.page, 12, `${tests}/reference/en-end-screen.png`, 'en-summary.png');
});
await step('the exit button fades out to the page after the game', 60, async () => {
    await english.page.mouse.click(510, 300, {delay: 100});
    await dealt(english.page);
    await english.page.mouse.click(920, 673, {delay: 100});
    await english.page.waitForFunction(() => document.getElementById('again').textContent === 'Play again' &&
                                       document.getElementById('left').style.display === 'block', {timeout: 0});
});
await english.browser.close();

for (const profile of [polish.profile, english.profile]) fs.rmSync(profile, {recursive: true, force: true});
server.close();
if (console_errors.length) fail(`the console showed errors:\n  ${console_errors.join('\n  ')}`);
console.log('ok: no console errors');
passed++;
console.log(`${passed} passed, 0 failed`);
