// Drives the sample start pages in headless Chromium: buttons, title links, descriptions and
// screenshots of the Standard pages; panels and entries of the Extended pages.
'use strict';
const fs = require('fs');
const path = require('path');
const { pathToFileURL } = require('url');
const { chromium } = require('playwright-core');

const expected = JSON.parse(fs.readFileSync(process.argv[2], 'utf8')).map((sample) => ({ ...sample,
  entries: sample.entries.map(([category, title, link, description, screenshot]) =>
    ({ category, title, link, description, screenshot })) }));
const failures = [];
let passed = 0;
const check = (condition, what) => (condition ? (passed += 1) : failures.push(what));
const same = (a, b) => JSON.stringify(a) === JSON.stringify(b);
// Line breaks as the browser reports them: one \n for CR LF, CR or LF.
const lines = (text) => text.replace(/\r\n|\r/g, '\n');
// Whether a link of the page goes to the file `link` below the page's folder.
const goesTo = async (sample, anchor, link) => decodeURIComponent(await anchor.evaluate((a) => a.href)) ===
  decodeURIComponent(pathToFileURL(path.join(path.dirname(sample.page), link)).href);

// Points at button i and clicks it: it alone is active and shows the "on" picture.
async function pointAt(page, name, i) {
  await page.locator('p#Bt').nth(i).hover();
  const classes = await page.$$eval('p#Bt', (buttons) => buttons.map((b) => b.className));
  check(classes.every((c, k) => c === (k === i ? 'ButActive' : 'But')), `${name}: pointing at button ${i} gives ${classes}`);
  const images = await page.$$eval('img#Bi', (imgs) => imgs.map((img) => img.getAttribute('src')));
  check(images.every((src, k) => src === (k === i ? 'Menu/on.gif' : 'Menu/off.gif')), `${name}: button images ${images}`);
  await page.locator('p#Bt').nth(i).click();
}

async function standardPage(page, sample, name) {
  check((await page.locator('p#Bt').count()) === sample.entries.length, `${name}: one button per entry`);
  for (const [i, entry] of sample.entries.entries()) {
    await pointAt(page, name, i);
    const link = page.locator('#LTitle a');
    check((await link.textContent()) === entry.title && (await goesTo(sample, link, entry.link)),
      `${name}: title link of ${entry.title}`);
    const description = await page.locator('#Des').evaluate((p) => p.innerText);
    check(lines(description) === lines(entry.description), `${name}: description of ${entry.title} reads ${description}`);
    if (name === 'Standard Screenshots') {
      const shots = await page.locator('#SShot img').evaluateAll((imgs) =>
        imgs.map((img) => img.complete && img.naturalWidth > 0 && img.getAttribute('src')));
      check(same(shots, entry.screenshot === 'none' ? [] : ['Menu/' + entry.screenshot]),
        `${name}: screenshot of ${entry.title} is ${shots}`);
    }
  }
}

async function extendedPage(page, sample, name) {
  const categories = [...new Set(sample.entries.map((e) => e.category))];
  const labels = await page.$$eval('p#Bt', (buttons) => buttons.map((b) => b.textContent));
  const panels = page.locator('div#Cat');
  check(same([...labels].sort(), categories.sort()) && (await panels.count()) === categories.length,
    `${name}: a button and a panel per category: ${labels}`);
  for (const [c, label] of labels.entries()) {
    const inCategory = sample.entries.filter((e) => e.category === label);
    const titles = await panels.nth(c).locator('p.TLink').allTextContents();
    const blocks = panels.nth(c).locator('div#Des');
    check(same(titles, inCategory.map((e) => e.title)) && (await blocks.count()) === inCategory.length,
      `${name}: panel ${c} (${label}) lists ${titles}, each with its description`);
    for (const [j, entry] of inCategory.entries()) {
      const block = blocks.nth(j);
      check((await block.evaluate((d) => d.style.display)) === 'none', `${name}: descriptions start hidden`);
      // Each line break shows as <br>; a stray end tag in the text is dropped by the HTML parser.
      const html = await block.locator('p').evaluate((p) => p.innerHTML);
      check(html === lines(entry.description).split('\n').join('<br>').replace('</script>', ''),
        `${name}: description of ${entry.title} is ${html}`);
      const open = block.locator('a');
      check((await open.textContent()) === 'Open' && (await goesTo(sample, open, entry.link)),
        `${name}: Open link of ${entry.title}`);
      if (name === 'Extended Screenshots') {
        check((await block.locator('#SShot img').count()) === (entry.screenshot === 'none' ? 0 : 1),
          `${name}: screenshot cell of ${entry.title}`);
      }
    }
    await pointAt(page, name, c);
  }
}

(async () => {
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--headless', '--no-sandbox',
    '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run'] });
  try {
    for (const sample of expected) {
      const page = await browser.newPage();
      const errors = [];
      page.on('pageerror', (e) => errors.push(e.message));
      // The pages may load only what lies on the disc.
      await page.route('**/*', (route) =>
        route.request().url().startsWith('file:') ? route.continue() : route.abort());
      await page.goto(pathToFileURL(sample.page).href);
      check((await page.textContent('h2')) === sample.title, `${sample.template}: the title heading`);
      await (sample.template.startsWith('Standard') ? standardPage : extendedPage)(page, sample, sample.template);
      check(errors.length === 0, `${sample.template}: script errors ${errors}`);
      await page.close();
    }
  } finally {
    await browser.close();
  }
  failures.forEach((f) => console.error('FAIL: ' + f));
  console.log(`browser: ${passed} passed, ${failures.length} failed`);
  process.exitCode = failures.length === 0 ? 0 : 1;
})().catch((e) => { console.error(e); process.exitCode = 1; });
