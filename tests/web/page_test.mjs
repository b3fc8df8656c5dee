// Drives the browser page (build-web/site, made by scripts/web) in headless Chromium, served
// from this process on 127.0.0.1: sections of the committed table entered as a user enters them,
// every input used by keyboard alone, refused entries, the layout at phone and desktop widths,
// and what the page may not do: log an error, or ask anything of another origin.
//
//   node page_test.mjs                 TRALVIK_WEB_SECTIONS (500) sections of the table
//   TRALVIK_WEB_SHOTS=dir node ...      also writes screenshots at both widths into dir
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, mkdirSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, normalize, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import puppeteer from 'puppeteer-core';

const here = dirname(fileURLToPath(import.meta.url));
const root = join(here, '..', '..');
const site = process.env.TRALVIK_WEB_SITE ?? join(root, 'build-web', 'site');
const sectionCount = Number(process.env.TRALVIK_WEB_SECTIONS ?? 500);
const shots = process.env.TRALVIK_WEB_SHOTS;

const resultIds = ['mu0Edit', 'mu1Edit', 'xu1Edit', 'mu2Edit', 'xu2Edit', 'mu3Edit',
                   'xu3Edit', 'z0Edit', 'z1Edit', 'z2Edit', 'z3Edit'];
// The inputs in the order in which Tab reaches them.
const inputIds = ['BRadioGroup', 'FeBRadioGroup', 'PHIhwRadioGroup', 'ScrollBar1',
                  'PHIbgRadioGroup', 'AsNumEdit', 'cNumEdit', 'HNumEdit', 'BNumEdit', 'MEdEdit'];

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8', '.wasm': 'application/wasm', '.svg': 'image/svg+xml',
  '.webmanifest': 'application/manifest+json', '.png': 'image/png',
};

// Every test ends within its bound, whatever the browser does.
const briefly = { timeout: 60_000 };
const atLength = { timeout: 300_000 };

let server;
let origin;
let browser;
let profile;
const served = [];
// The network as the page meets it: gone (every connection dropped), bringing a new version
// of the style sheet, or holding the module back until a promise settles.
const network = { gone: false, newStyle: false, moduleHeld: null };

before(async () => {
  server = createServer((request, response) => {
    const path = new URL(request.url, 'http://127.0.0.1').pathname;
    const file = normalize(join(site, path === '/' ? 'index.html' : path));
    served.push(path);
    if (network.gone) {
      request.socket.destroy();
      return;
    }
    let body;
    try {
      if (!file.startsWith(site))
        throw new Error('outside the site');
      body = readFileSync(file);
      if (network.newStyle && path === '/page.css')
        body = Buffer.concat([body, Buffer.from('\n/* a new version */\n')]);
    } catch {
      response.writeHead(404).end();
      return;
    }
    const held = path === '/tralvik.wasm' && network.moduleHeld;
    (held || Promise.resolve()).then(() => response.writeHead(200,
      { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' }).end(body));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  origin = `http://127.0.0.1:${server.address().port}`;
  profile = mkdtempSync(join(tmpdir(), 'tralvik-chromium-'));
  browser = await puppeteer.launch({
    executablePath: process.env.TRALVIK_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    timeout: 30000,
    protocolTimeout: 30000,
    // Without the background-networking switches Chromium reaches out on its own, which this
    // machine refuses and which is no part of the page.
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
  if (profile)
    rmSync(profile, { recursive: true, force: true });
});

// A fresh page at the given size that records what it logs and asks for, loaded up to its
// first results.
async function openPage(width = 1280, height = 900, scale = 1, address = '/', opener = browser) {
  const page = await opener.newPage();
  page.setDefaultTimeout(10000);
  await page.setViewport({ width, height, deviceScaleFactor: scale });
  const log = { problems: [], requests: [] };
  page.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warn')
      log.problems.push(`${message.type()}: ${message.text()}`);
  });
  page.on('pageerror', (error) => log.problems.push(`page error: ${error.message}`));
  page.on('requestfailed', (request) => log.problems.push(`failed: ${request.url()}`));
  page.on('request', (request) => log.requests.push(request.url()));
  await page.goto(origin + address, { waitUntil: 'load' });
  await page.waitForFunction(() => document.getElementById('status').hidden, { timeout: 10000 });
  return { page, log };
}

const fields = (page) => page.evaluate((ids) => Object.fromEntries(ids.map((id) => {
  const element = document.getElementById(id);
  return [id, element.matches('input, select') ? element.value : element.textContent];
})), [...resultIds, 'dNumEdit', 'AsNumEdit', 'nEdit', 'fbDrukEdit', 'fsEdit']);

// Focus, select all and type, as a user replaces a field's text.
async function typeInto(page, id, text) {
  await page.$eval('#' + id, (element) => { element.focus(); element.select(); });
  if (text === '')
    await page.keyboard.press('Backspace');
  else
    await page.keyboard.sendCharacter(text);
}

test('the page and its module stay below 400 KB compressed', briefly, () => {
  let raw = 0;
  let compressed = 0;
  for (const file of ['index.html', 'page.js', 'page.css', 'tralvik.js', 'tralvik.wasm']) {
    const body = readFileSync(join(site, file));
    raw += body.length;
    compressed += gzipSync(body, { level: 9 }).length;
  }
  console.log(`page: ${raw} bytes, ${compressed} bytes with gzip -9`);
  assert.ok(compressed < 400 * 1024, `${compressed} bytes compressed`);
});

test('the start state shows the worked example within a second of loading', briefly, async () => {
  const firstResultsOf = (page) => page.evaluate(
    () => performance.getEntriesByName('tralvik-first-results')[0].startTime);
  const { page, log } = await openPage();
  const loads = [await firstResultsOf(page)];
  // This machine is shared and now and then stalls for longer than the page needs; a load that
  // misses the second is tried again, up to four times, each time in a browser context of its
  // own, with an empty cache and no service worker, as a first visit is.
  while (loads.at(-1) >= 1000 && loads.length < 5) {
    const context = await browser.createBrowserContext();
    loads.push(await firstResultsOf((await openPage(1280, 900, 1, '/', context)).page));
    await context.close();
  }
  const firstResults = Math.min(...loads);
  console.log(`first results ${loads.map((time) => time.toFixed(0)).join(', then ')} ms after ` +
              'the start of navigation');
  const shown = await fields(page);
  assert.deepEqual(resultIds.map((id) => shown[id]),
                   ['83', '79', '184', '80', '163', '80', '151', '0.9', '0.85', '0.86', '0.87']);
  assert.equal(shown.dNumEdit, '471');
  assert.equal(shown.AsNumEdit, '452');
  assert.equal(shown.nEdit, '4');
  const selected = await page.evaluate(() => ['BRadioGroup', 'FeBRadioGroup', 'PHIhwRadioGroup',
    'PHIbgRadioGroup'].map((id) => document.getElementById(id).selectedOptions[0].text));
  assert.deepEqual(selected, ['C12/15', 'FeB500', '12', '8']);
  const calculation = await page.$eval('#calculation', (element) => element.textContent);
  assert.match(calculation, /Mu = As·fyd·z = 452 × 435 × 401\.9 \/ 10\^6 = 79\.0 kNm/);
  assert.ok(firstResults < 1000,
            `first results after ${loads.map((time) => time.toFixed(0)).join(', ')} ms`);
  assert.deepEqual(log.problems, []);
  await page.close();
});

// Bars, stirrup and cover that give the table's d from a height within 0 .. 3000; the first three
// change from one group of rows to the next, so that every bar and stirrup is taken, and the
// height from row to row. Null when no height reaches d.
const halves = [3, 4, 5, 6, 8, 10, 12, 16, 20];
const stirrups = [6, 8, 10, 12, 0];
function geometryFor(d, group, row) {
  const bar = (group * 7) % 9;
  const stirrup = (group * 3) % 5;
  const cover = 15 + ((group * 11) % 36);
  const below = cover + stirrups[stirrup] + halves[bar];
  if (d === -1)
    return { bar, stirrup, cover, height: Math.max(0, below - (row % 4)) };
  if (d < 1)
    return null;
  if (d + below <= 3000)
    return { bar, stirrup, cover, height: d + below };
  if (d + 18 <= 3000)
    return { bar: 0, stirrup: 4, cover: 15, height: d + 18 };
  return null;
}

// The sections of the committed table that the controls reach, as many as `count`, taken by
// material: each change of class or grade costs the browser a round trip, and the order of the
// rows matters to no result. `wanted` picks rows by their line number and material group.
function tableSections(count, wanted = () => true) {
  const lines = execFileSync('xz', ['-dc', join(root, 'tests/sections/sections.txt.xz')],
                             { maxBuffer: 64 << 20 }).toString().split('\n');
  const rows = [];
  let skipped = 0;
  for (let line = 0; rows.length < count && line < lines.length; ++line) {
    const [concrete, grade, As, d, b, ...texts] = lines[line].split(' ');
    const group = Number(concrete) * 3 + Number(grade);
    if (!wanted(line, group))
      continue;
    const geometry = geometryFor(Number(d), group, line);
    if (!geometry || Number(As) < 0 || Number(As) > 50000 || Number(b) < 0 || Number(b) > 2000)
      ++skipped;
    else
      rows.push({ line: line + 1, group, concrete, grade, As, d, b, texts, geometry });
  }
  rows.sort((x, y) => x.group - y.group || x.line - y.line);
  return { rows, skipped };
}

// Enters a section as a user does, changing only the controls that differ from the last one.
function sectionEntry(page) {
  const current = { BRadioGroup: '0', FeBRadioGroup: '2', PHIhwRadioGroup: '3',
                    PHIbgRadioGroup: '1', cNumEdit: '15', HNumEdit: '500', BNumEdit: '200' };
  const choose = async (id, value) => {
    if (current[id] !== value) {
      await page.select('#' + id, value);
      current[id] = value;
    }
  };
  const type = async (id, value) => {
    if (current[id] !== value) {
      await typeInto(page, id, value);
      current[id] = value;
    }
  };
  return async (row) => {
    await choose('BRadioGroup', row.concrete);
    await choose('FeBRadioGroup', row.grade);
    await choose('PHIhwRadioGroup', String(row.geometry.bar));
    await choose('PHIbgRadioGroup', String(row.geometry.stirrup));
    await type('cNumEdit', String(row.geometry.cover));
    await type('HNumEdit', String(row.geometry.height));
    await type('BNumEdit', row.b);
    // Last: a new bar diameter writes its own As over a typed one.
    await typeInto(page, 'AsNumEdit', row.As);
  };
}

test('sections of the table entered as a user does give the table\'s eleven texts', atLength,
     async () => {
  const { page, log } = await openPage();
  const { rows, skipped } = tableSections(sectionCount);
  const enter = sectionEntry(page);
  const differences = [];
  const start = performance.now();
  for (const row of rows) {
    await enter(row);
    const shown = await fields(page);
    // Without a section the page shows a dash where the main window shows 0, nan and a d <= 0.
    const none = row.texts[resultIds.indexOf('z0Edit')] === 'nan';
    const expected = { dNumEdit: none && Number(row.d) <= 0 ? '—' : row.d, AsNumEdit: row.As };
    resultIds.forEach((id, i) => { expected[id] = none ? '—' : row.texts[i]; });
    for (const [id, text] of Object.entries(expected)) {
      if (shown[id] !== text)
        differences.push(`line ${row.line}, ${id}: page ${shown[id]}, table ${text}`);
    }
  }
  const seconds = (performance.now() - start) / 1000;
  console.log(`${rows.length} sections compared, ${skipped} out of the controls' reach ` +
              `skipped, ${differences.length} texts differ, ${seconds.toFixed(1)} s`);
  assert.deepEqual(differences.slice(0, 20), []);
  assert.equal(rows.length, sectionCount);
  assert.deepEqual(log.problems, []);
  await page.close();
});

// Each model's lines and the notes, as the page shows them.
const designLines = (page) => page.evaluate(() => ({
  models: [...document.querySelectorAll('#models section')].map((model) =>
    [...model.querySelectorAll('li')].map((line) => line.textContent)),
  notes: [...document.querySelectorAll('#notes li')].map((line) => line.textContent),
}));

// What check_design (the rules built for the page, without the page's code) gives for the
// sections, in designLines's form.
function checkedDesignLines(sections) {
  const input = sections.map((s) => [s.concrete, s.grade, s.geometry.bar, s.geometry.stirrup,
                                     s.As, s.geometry.cover, s.geometry.height, s.b,
                                     s.MEd].join(' ') + '\n').join('');
  const output = execFileSync(process.execPath, [join(site, '..', 'check_design.js')],
                              { input }).toString();
  return output.split('\n\n').slice(0, sections.length).map((block) => {
    const lines = { models: [[], [], [], []], notes: [] };
    for (const line of block.split('\n').filter(Boolean)) {
      const [where, text] = line.split('\t');
      (where === 'note' ? lines.notes : lines.models[Number(where)]).push(text);
    }
    return lines;
  });
}

test('MEd gives each model its As,nodig as the rules compute it, for sections of the table',
     atLength, async () => {
  const { page, log } = await openPage();
  await typeInto(page, 'MEdEdit', '100');
  const start = await designLines(page);
  const needed = start.models.map((lines) => lines.find((line) => line.startsWith('As,nodig')));
  assert.deepEqual(needed.map((line) => line.match(/^As,nodig = (\d+) mm²/)?.[1]),
                   ['543', '609', '594', '593']);
  assert.match(needed[1], /meer dan As,vloei = 553 mm²/);
  assert.equal(start.notes.length, 1);

  // The first section of each material, with a design moment of every kind: none, zero, a
  // decimal comma or point, beyond every model's reach, and one that is refused.
  const moments = ['', '0', '37,5', '112.25', '1e4', '250', 'abc'];
  const { rows } = tableSections(24, (line, group) => line < 20000 && line % 24 === group);
  rows.forEach((row, i) => { row.MEd = moments[i % moments.length]; });
  const expected = checkedDesignLines(rows);
  const enter = sectionEntry(page);
  const differences = [];
  for (const [i, row] of rows.entries()) {
    await enter(row);
    await typeInto(page, 'MEdEdit', row.MEd);
    const shown = await designLines(page);
    if (JSON.stringify(shown) !== JSON.stringify(expected[i]))
      differences.push({ line: row.line, MEd: row.MEd, page: shown, rules: expected[i] });
  }
  assert.ok(rows.length >= 20, `${rows.length} sections`);
  assert.deepEqual(differences.slice(0, 2), []);
  assert.deepEqual(log.problems, []);
  await page.close();
});

// The drawing as the page shows it.
const drawing = (page) => page.evaluate(() => {
  const svg = document.querySelector('#picture svg');
  const numbers = [...svg.querySelectorAll('*')].flatMap((element) => [...element.attributes])
    .filter((a) => /^(x|y|width|height|r|cx|cy|points|d|font-size|textLength)$/.test(a.name));
  return {
    failed: !document.getElementById('status').hidden,
    role: svg.getAttribute('role'),
    title: svg.querySelector('title')?.textContent,
    desc: svg.querySelector('desc')?.textContent,
    description: document.getElementById('description').textContent,
    // In the colours of the steel and of a stress block, as the chart's markers are not.
    bars: svg.querySelectorAll('circle[fill="rgb(40,40,40)"]').length,
    blocks: svg.querySelectorAll('polygon[fill="rgb(120,160,215)"], ' +
                                 'polygon[fill="rgb(250,190,100)"]').length,
    texts: [...svg.querySelectorAll('text')].map((text) => text.textContent),
    numbers: numbers.map((a) => a.value).join(' '),
  };
});

test('the drawing shows the section as entered, named and described for a screen reader',
     briefly, async () => {
  const { page, log } = await openPage();
  let shown = await drawing(page);
  assert.equal(shown.role, 'img');
  assert.equal(shown.title, 'Doorsnede b × h = 200 × 500 mm');
  assert.match(shown.desc, /200 bij 500 mm met 4 staven van 12 mm/);
  assert.equal(shown.description, shown.desc);
  assert.deepEqual([shown.bars, shown.blocks], [4, 3], 'four bars, three stress blocks');
  // The section, a result, a strain and a verdict, and the chart's axis.
  for (const text of ['h = 500', 'b = 200', 'd = 471', 'Mu = 83 kNm', 'xu = 151 mm',
                      'εs = 7.360 ‰', 'As,vloei = 553 mm2', 'Mu (kNm)'])
    assert.ok(shown.texts.includes(text), text);
  await typeInto(page, 'MEdEdit', '100');
  assert.ok((await drawing(page)).texts.includes('As,nodig = 609 mm2'), 'As,nodig drawn');
  // Each row's verdict in the words and the tone the page's style sheet colours.
  const verdicts = () => page.$$eval('#results .verdict', (cells) =>
    cells.map((cell) => `${cell.textContent} (${cell.dataset.tone})`));
  assert.deepEqual(await verdicts(), Array(4).fill('voldoet niet (warning)'));
  await typeInto(page, 'MEdEdit', '50');
  assert.deepEqual(await verdicts(), Array(4).fill('voldoet (ok)'));

  await page.$eval('#ScrollBar1', (bars) => {
    bars.value = '7';
    bars.dispatchEvent(new Event('input'));
  });
  await typeInto(page, 'BNumEdit', '300');
  shown = await drawing(page);
  assert.equal(shown.title, 'Doorsnede b × h = 300 × 500 mm');
  assert.equal(shown.bars, 7);
  assert.match(shown.description, /300 bij 500 mm met 7 staven/);

  await typeInto(page, 'HNumEdit', '0');
  shown = await drawing(page);
  assert.deepEqual([shown.failed, shown.title, shown.bars, shown.blocks],
                   [false, 'Doorsnede', 0, 0]);
  assert.ok(shown.texts.length > 0, 'an empty drawing says why');
  const empty = await fields(page);
  const note = await page.$eval('#results-note', (line) => line.hidden ? '' : line.textContent);
  assert.deepEqual([empty.mu1Edit, empty.z1Edit, note, (await verdicts())[0]],
                   ['—', '—', 'Geen doorsnede: de hoogte h is 0 mm. Geen model geeft dan een ' +
                    'uitkomst.', 'geen doorsnede (invalid)'], 'no section: no nan, and why');
  assert.deepEqual(log.problems, []);
  await page.close();
});

test('no entry the controls allow, nor an absurd MEd, gives NaN or a broken drawing', briefly,
     async () => {
  const { page, log } = await openPage();
  const slide = (count) => page.$eval('#ScrollBar1', (bars, value) => {
    bars.value = value;
    bars.dispatchEvent(new Event('input'));
  }, count);
  const steps = [
    () => typeInto(page, 'BNumEdit', '1'),
    () => typeInto(page, 'HNumEdit', '3000'),
    () => typeInto(page, 'AsNumEdit', '50000'),
    () => typeInto(page, 'MEdEdit', '1e30'),
    () => typeInto(page, 'BNumEdit', '2000'),
    () => typeInto(page, 'HNumEdit', '1'),
    () => typeInto(page, 'MEdEdit', '0,0000001'),
    () => slide('50'),
    () => page.select('#PHIhwRadioGroup', '8'),
    () => page.select('#PHIbgRadioGroup', '4'),
    () => typeInto(page, 'cNumEdit', '50'),
    () => typeInto(page, 'HNumEdit', '60'),
    () => typeInto(page, 'MEdEdit', '99999999999999999999'),
    () => page.select('#BRadioGroup', '7'),
    () => page.select('#FeBRadioGroup', '0'),
    () => typeInto(page, 'MEdEdit', '1e-4000'),
    () => slide('0'),
    () => typeInto(page, 'AsNumEdit', '0'),
    () => typeInto(page, 'BNumEdit', '0'),
    () => typeInto(page, 'MEdEdit', '   7   '),
  ];
  for (const [i, step] of steps.entries()) {
    await step();
    const shown = await drawing(page);
    const body = await page.evaluate(() => document.body.innerText);
    assert.equal(shown.failed, false, `step ${i + 1}: the drawing shows`);
    assert.ok(shown.title?.startsWith('Doorsnede'), `step ${i + 1}`);
    assert.doesNotMatch(shown.numbers, /[^-0-9., ML]/, `step ${i + 1}: only finite numbers`);
    // The main window's z/d reads "nan" for a section without depth, and the drawing says so;
    // the script's own NaN or a lost value would read otherwise.
    assert.doesNotMatch(shown.texts.join(' ') + body, /NaN|undefined|Infinity|\[object/,
                        `step ${i + 1}`);
    const lines = await designLines(page);
    assert.doesNotMatch([...lines.models.flat(), ...lines.notes].join(' '), /\bnan\b|\binf(inity)?\b/i,
                        `step ${i + 1}: the design lines`);
  }
  assert.deepEqual(log.problems, []);
  await page.close();
});

test('every input is reached by Tab in order and works from the keyboard', briefly, async () => {
  const { page, log } = await openPage();
  const reached = [];
  for (let i = 0; i < 40 && reached.length < inputIds.length; ++i) {
    await page.keyboard.press('Tab');
    const id = await page.evaluate(() => document.activeElement?.id ?? '');
    if (inputIds.includes(id) && !reached.includes(id))
      reached.push(id);
  }
  assert.deepEqual(reached, inputIds);

  const focus = async (id) => {
    await page.evaluate(() => document.activeElement?.blur());
    for (let i = 0; i < 40; ++i) {
      await page.keyboard.press('Tab');
      if (await page.evaluate((want) => document.activeElement?.id === want, id))
        return;
    }
    assert.fail(`Tab never reaches ${id}`);
  };
  const retype = async (text) => {
    await page.keyboard.down('Control');
    await page.keyboard.press('KeyA');
    await page.keyboard.up('Control');
    await page.keyboard.press('Backspace');
    await page.keyboard.type(text);
  };

  await focus('BRadioGroup');
  for (let i = 0; i < 7; ++i)
    await page.keyboard.press('ArrowDown');
  let shown = await fields(page);
  assert.equal(shown.fbDrukEdit, '46.7', 'the last concrete class by arrow keys');
  assert.deepEqual(resultIds.slice(0, 4).map((id) => shown[id]), ['83', '90', '31', '90']);
  await page.keyboard.press('Home');

  await focus('FeBRadioGroup');
  await page.keyboard.press('ArrowUp');
  assert.equal((await fields(page)).fsEdit, '348', 'FeB400 by the arrow key');
  await page.keyboard.press('ArrowDown');

  await focus('ScrollBar1');
  await page.keyboard.press('ArrowRight');
  shown = await fields(page);
  assert.deepEqual([shown.nEdit, shown.AsNumEdit], ['5', '565']);
  await page.keyboard.press('Home');
  shown = await fields(page);
  assert.deepEqual([shown.nEdit, shown.AsNumEdit, shown.z1Edit], ['0', '0', '1']);
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('ArrowRight');

  await focus('PHIhwRadioGroup');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  shown = await fields(page);
  assert.deepEqual([shown.AsNumEdit, shown.dNumEdit], ['1256', '467'], 'four bars of 20 mm');
  assert.deepEqual(resultIds.map((id) => shown[id]),
                   ['229', '0', '0', '158', '455', '159', '421', '0.9', '0', '0.62', '0.62']);
  await page.keyboard.press('ArrowUp');
  await page.keyboard.press('ArrowUp');

  await focus('PHIbgRadioGroup');
  await page.keyboard.press('End');
  assert.equal((await fields(page)).dNumEdit, '479', 'no stirrups');
  await page.keyboard.press('ArrowUp');
  await page.keyboard.press('ArrowUp');
  await page.keyboard.press('ArrowUp');

  await focus('HNumEdit');
  await retype('600');
  assert.equal((await fields(page)).dNumEdit, '571');
  await focus('cNumEdit');
  await retype('30');
  assert.equal((await fields(page)).dNumEdit, '556');
  await focus('BNumEdit');
  await retype('1');
  shown = await fields(page);
  assert.deepEqual(resultIds.slice(0, 4).map((id) => shown[id]), ['98', '0', '0', '0']);
  await focus('AsNumEdit');
  await retype('0');
  assert.equal((await fields(page)).mu0Edit, '0');
  await focus('MEdEdit');
  await retype('12,5');
  const needed = (await designLines(page)).models.map((lines) =>
    lines.find((line) => line.startsWith('As,nodig')));
  assert.equal(needed.filter(Boolean).length, 4, 'every model says its As,nodig');
  const calculation = await page.$eval('#calculation', (element) => element.textContent);
  assert.match(calculation, /^MEd = 12\.5 kNm;/m, 'MEd typed with a decimal comma');
  assert.deepEqual(log.problems, []);
  await page.close();
});

test('a refused entry says why in words and the results keep the last valid value', briefly,
     async () => {
  const { page, log } = await openPage();
  const starts = { HNumEdit: '500', cNumEdit: '15', BNumEdit: '200', AsNumEdit: '452' };
  const cases = [
    ['HNumEdit', '3001', /buiten het bereik.*0 tot en met 3000 mm.*500 mm/i],
    ['HNumEdit', 'abc', /geen heel getal.*0 tot en met 3000 mm/i],
    ['HNumEdit', '', /leeg/i],
    ['cNumEdit', '14', /15 tot en met 50 mm/],
    ['BNumEdit', '-5', /0 tot en met 2000 mm/],
    ['AsNumEdit', '99999999999', /geen heel getal.*0 tot en met 50000/i],
  ];
  for (const [id, text, words] of cases) {
    await typeInto(page, id, text);
    const state = await page.evaluate((id) => ({
      invalid: document.getElementById(id).getAttribute('aria-invalid'),
      message: document.getElementById(id + '-message').hidden ? ''
        : document.getElementById(id + '-message').textContent,
      text: document.getElementById(id).value,
    }), id);
    assert.equal(state.invalid, 'true', `${id} "${text}"`);
    assert.match(state.message, words);
    assert.equal(state.text, text, 'the text stays as typed');
    const shown = await fields(page);
    assert.equal(shown.mu0Edit, '83', `${id} "${text}" leaves the results as they were`);
    await typeInto(page, id, starts[id]);
    assert.equal(await page.$eval('#' + id + '-message', (element) => element.hidden), true);
  }
  await typeInto(page, 'HNumEdit', '0');
  const body = await page.evaluate(() => document.body.innerText);
  assert.doesNotMatch(body, /NaN|undefined|Infinity|\[object/);
  await typeInto(page, 'HNumEdit', '500');

  const refusedMoments = [['abc', /"abc" is geen getal.*112,5/], ['-1', /0 of groter/],
                          ['1e31', /groter dan 1e30/], ['1,2,3', /geen getal/], ['.', /geen getal/]];
  for (const [text, words] of refusedMoments) {
    await typeInto(page, 'MEdEdit', '100');
    await typeInto(page, 'MEdEdit', text);
    const state = await page.evaluate(() => ({
      invalid: document.getElementById('MEdEdit').getAttribute('aria-invalid'),
      message: document.getElementById('MEdEdit-message').hidden ? ''
        : document.getElementById('MEdEdit-message').textContent,
    }));
    assert.equal(state.invalid, 'true', `MEd "${text}"`);
    assert.match(state.message, words);
    const lines = await designLines(page);
    assert.equal(lines.models.flat().some((line) => line.startsWith('As,nodig')), false,
                 `MEd "${text}" leaves no design lines`);
    assert.deepEqual(lines.notes, []);
  }
  await typeInto(page, 'MEdEdit', ' ');
  assert.equal(await page.$eval('#MEdEdit-message', (element) => element.hidden), true,
               'blanks are no design moment, and no mistake');
  assert.deepEqual(log.problems, []);
  await page.close();
});

test('a change is shown within a few frames, also with the network gone', briefly, async () => {
  const { page, log } = await openPage();
  const before = log.requests.length;
  await page.setOfflineMode(true);
  // With a design moment, so that every change also searches each model's As,nodig, and the
  // moment itself typed anew.
  const measure = () => page.evaluate(() => {
    const change = (id, text) => {
      const control = document.getElementById(id);
      control.value = text;
      const start = performance.now();
      control.dispatchEvent(new Event('input'));
      return performance.now() - start;
    };
    change('MEdEdit', '100');
    const spent = [];
    for (let i = 0; i < 200; ++i)
      spent.push(i % 4 ? change('ScrollBar1', String(i % 51)) : change('MEdEdit', String(i * 3)));
    return spent.sort((a, b) => a - b);
  });
  // Half the changes within one frame of a 60 Hz screen. The page's test runs alone, but on a
  // shared machine; a stall as long as the measurement is measured again, twice at most.
  const medians = [];
  do {
    const times = await measure();
    medians.push(times[times.length >> 1]);
    console.log(`a change: median ${medians.at(-1).toFixed(2)} ms, ` +
                `slowest ${times.at(-1).toFixed(2)} ms`);
  } while (medians.at(-1) >= 16 && medians.length < 3);
  assert.ok(Math.min(...medians) < 16,
            `medians ${medians.map((time) => time.toFixed(2)).join(', ')} ms`);
  assert.equal((await fields(page)).nEdit, String(199 % 51));
  await page.keyboard.press('Tab');
  assert.equal(log.requests.length, before, 'nothing asked for after loading');
  for (const url of log.requests)
    assert.equal(new URL(url).origin, origin, url);
  assert.deepEqual(log.problems, []);
  await page.close();
});

// How the drawing fits its frame.
const pictureFit = (page) => page.evaluate(() => {
  const frame = document.getElementById('picture');
  const svg = frame.querySelector('svg');
  return {
    width: Number(svg.getAttribute('width')),
    frameWidth: frame.clientWidth,
    scrolls: frame.scrollWidth > frame.clientWidth,
    hintHidden: document.getElementById('picture-wider').hidden,
    smallestFont: Math.min(...[...svg.querySelectorAll('text')].map((text) =>
      Number(text.getAttribute('font-size')))),
  };
});

test('the drawing is laid out anew for the column\'s width when the window is resized', briefly,
     async () => {
  const { page, log } = await openPage(1280, 900);
  const wide = await pictureFit(page);
  assert.equal(wide.width, wide.frameWidth, 'the drawing fills the column');
  await page.setViewport({ width: 1200, height: 900 });
  await page.waitForFunction((before) => {
    const frame = document.getElementById('picture');
    const width = Number(frame.querySelector('svg').getAttribute('width'));
    return width !== before && width === frame.clientWidth;
  }, { timeout: 5000 }, wide.width);
  const narrower = await pictureFit(page);
  assert.ok(narrower.width < wide.width && !narrower.scrolls, JSON.stringify(narrower));
  assert.deepEqual(log.problems, []);
  await page.close();
});

test('one column at phone width, two at desktop width, no sideways scrolling at 200 %', briefly,
     async () => {
  const layouts = [['phone', 390, 844, 1, 1], ['desktop', 1280, 900, 1, 2],
                   ['desktop at 200 %', 640, 450, 2, 1]];
  for (const [name, width, height, scale, columns] of layouts) {
    const { page, log } = await openPage(width, height, scale);
    const layout = await page.evaluate(() => {
      const inputs = document.querySelector('.inputs').getBoundingClientRect();
      const outputs = document.querySelector('.outputs').getBoundingClientRect();
      return { sideBySide: outputs.left >= inputs.right, overflow:
        document.documentElement.scrollWidth - document.documentElement.clientWidth };
    });
    assert.equal(layout.sideBySide, columns === 2, name);
    assert.equal(layout.overflow, 0, `${name}: scrolls sideways`);
    const picture = await pictureFit(page);
    assert.ok(picture.smallestFont >= 11, `${name}: text of ${picture.smallestFont} px`);
    assert.equal(picture.scrolls, !picture.hintHidden, `${name}: the hint says it scrolls`);
    // Where four models beside the section would not read, they go in pairs below it.
    assert.equal(picture.scrolls, false, `${name}: the drawing scrolls`);
    if (shots) {
      mkdirSync(shots, { recursive: true });
      await page.screenshot({ path: join(shots, `${name.replace(/\W+/g, '-')}.png`),
                              fullPage: true });
    }
    assert.deepEqual(log.problems, []);
    await page.close();
  }
  const strangers = served.filter((path) =>
    !['/', '/index.html', '/page.js', '/page.css', '/tralvik.js', '/tralvik.wasm',
      '/tralvik.svg', '/favicon.ico', '/sw.js', '/manifest.webmanifest',
      '/icons/tralvik_192.png', '/icons/tralvik_512.png'].includes(path));
  assert.deepEqual(strangers, []);
});

test('the controls wait for the module, so that nothing typed before it is lost', briefly,
     async () => {
  let release;
  network.moduleHeld = new Promise((resolve) => { release = resolve; });
  const before = served.length;
  const page = await browser.newPage();
  const usable = () => page.$$eval('input, select, button', (controls) =>
    controls.filter((control) => !control.matches(':disabled')).map((control) => control.id));
  try {
    await page.goto(origin + '/', { waitUntil: 'domcontentloaded' });
    // Bounded by the test's own time.
    while (!served.slice(before).includes('/tralvik.wasm'))
      await new Promise((resolve) => setTimeout(resolve, 20));
    assert.deepEqual(await usable(), [], 'usable while the module loads');
  } finally {
    release();
    network.moduleHeld = null;
  }
  await page.waitForFunction(() => document.getElementById('status').hidden);
  assert.ok((await usable()).includes('HNumEdit'));
  await page.close();
});

// What a link restores: every input and every field.
const inputState = (page) => page.evaluate((ids) => Object.fromEntries(ids.map((id) =>
  [id, document.getElementById(id).value])), inputIds);

test('a link opens the same section, and a bad one says which values it replaced', briefly,
     async () => {
  const { page, log } = await openPage();
  const { rows } = tableSections(6, (line, group) => line % 1000 === group);
  const enter = sectionEntry(page);
  for (const [i, row] of rows.entries()) {
    await enter(row);
    await typeInto(page, 'MEdEdit', ['', '37,5', '112.25'][i % 3]);
    const Dmax = ['16', '8', '32'][i % 3];
    await typeInto(page, 'DmaxEdit', Dmax);
    const dmax = (shown) => shown.$eval('#DmaxEdit', (edit) => edit.value);
    const want = { inputs: await inputState(page), fields: await fields(page), Dmax };
    // Dmax is the link's last input, and typed last.
    await page.waitForFunction((n, d) => location.hash.includes(`As=${n}&`) &&
                               location.hash.endsWith(`Dmax=${d}`), {}, row.As, Dmax)
      .catch(() => assert.fail(`line ${row.line}: the address never named As = ${row.As} and ` +
                               `Dmax = ${Dmax}: ${page.url()}`));
    const link = await page.evaluate(() => location.href);
    const opened = await openPage(1280, 900, 1, new URL(link).pathname + new URL(link).hash);
    assert.deepEqual({ inputs: await inputState(opened.page), fields: await fields(opened.page),
                       Dmax: await dmax(opened.page) }, want, `line ${row.line}: ${link}`);
    assert.equal(await opened.page.$eval('#notice', (line) => line.hidden), true, link);
    assert.deepEqual(opened.log.problems, []);
    await opened.page.close();
  }
  const bad = await openPage(1280, 900, 1, '/#beton=C99/99&staal=FeB500&phi=16&n=6&beugel=8' +
                                           '&c=15&h=drie&Dmax=16&MEd=-3');
  // The next change shows the module's own state again.
  await typeInto(bad.page, 'cNumEdit', '15');
  const shown = { ...await fields(bad.page), ...await inputState(bad.page) };
  assert.deepEqual([shown.nEdit, shown.AsNumEdit, shown.fbDrukEdit, shown.dNumEdit,
                    shown.HNumEdit, shown.MEdEdit], ['6', '1206', '8', '469', '500', ''],
                   'the good values taken, the start values for the rest');
  const note = await bad.page.$eval('#notice', (line) => line.textContent);
  assert.match(note, /betonklasse, .*hoogte, de breedte, MEd/);
  assert.doesNotMatch(note, /staalsoort|aantal|As\b/);
  await bad.page.close();
  assert.deepEqual(log.problems, []);
  await page.close();
});

test('after one visit the page opens offline, is installable, and tells of a new version',
     briefly, async () => {
  const { page, log } = await openPage();
  await page.evaluate(() => navigator.serviceWorker.ready);
  const session = await page.createCDPSession();
  const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, []);
  await session.detach();
  network.gone = true;
  try {
    await page.reload({ waitUntil: 'load' });
    await page.waitForFunction(() => document.getElementById('status').hidden);
    await typeInto(page, 'HNumEdit', '600');
    assert.equal((await fields(page)).dNumEdit, '571', 'it computes offline');
  } finally {
    network.gone = false;
  }
  network.newStyle = true;
  try {
    await page.reload({ waitUntil: 'load' });
    await page.waitForFunction(() => /nieuwe versie/.test(
      document.getElementById('notice').textContent), { timeout: 10000 });
  } finally {
    network.newStyle = false;
  }
  assert.deepEqual(log.problems, []);
  await page.close();
});

test('a section prints on at most two A4 pages with the drawing inside the sheet', briefly,
     async () => {
  for (const [width, height, link] of [[1280, 900, '/#n=8&MEd=100'], [390, 844, '/']]) {
    const { page, log } = await openPage(width, height, 1, link);
    const pdf = Buffer.from(await page.pdf({ format: 'A4' }));
    const pages = pdf.toString('latin1').match(/\/Type\s*\/Page\b/g)?.length;
    assert.ok(pages >= 1 && pages <= 2, `${width} px wide: ${pages} pages`);
    // The sheet's width between its margins, as the screen's drawing meets it.
    await page.emulateMediaType('print');
    await page.setViewport({ width: 703, height: 1000 });
    const fit = await page.evaluate(() => ({
      sheet: document.documentElement.clientWidth,
      drawing: document.querySelector('#picture svg').getBoundingClientRect().right,
    }));
    assert.ok(fit.drawing <= fit.sheet, `${width} px wide: ${JSON.stringify(fit)}`);
    assert.deepEqual(log.problems, []);
    await page.close();
  }
});

test('on a phone nothing is wider than the screen, the moments stay in view, targets fit a ' +
     'finger', briefly, async () => {
  const { page, log } = await openPage(390, 844);
  // The drawing's own texts too: laid out for the frame, its notes set as page text.
  const wide = await page.evaluate(() => [...document.querySelectorAll('body *')]
    .filter((element) => element.getBoundingClientRect().right > innerWidth)
    .map((element) => element.id || element.tagName));
  assert.deepEqual(wide, []);
  await typeInto(page, 'BNumEdit', '2000');
  await typeInto(page, 'HNumEdit', '100');
  const notes = await page.$$eval('#picture-notes li', (lines) => lines.map((l) => l.textContent));
  assert.ok(notes.some((note) => /verticaal/.test(note)), notes.join(' | '));
  await typeInto(page, 'HNumEdit', '800');
  const summary = await page.evaluate(() => {
    document.getElementById('HNumEdit').scrollIntoView();
    const box = document.getElementById('summary').getBoundingClientRect();
    return { inView: box.top >= 0 && box.bottom <= innerHeight,
             text: document.getElementById('summary').textContent };
  });
  assert.ok(summary.inView, 'the moments in view beside the height');
  const moment = (await fields(page)).mu0Edit;
  assert.ok(summary.text.startsWith(`benadering ${moment} kNm`), summary.text);
  const small = await page.evaluate(() => [...document.querySelectorAll(
    'input, select, button, summary, a')]
    .filter((element) => element.getClientRects().length)
    .filter((element) => element.getBoundingClientRect().height < 44)
    .map((element) => `${element.id || element.textContent}: ` +
                      element.getBoundingClientRect().height));
  assert.deepEqual(small, []);
  assert.deepEqual(log.problems, []);
  await page.close();
});
