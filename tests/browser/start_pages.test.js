// Drives the sample start pages in headless Chromium: buttons, title links, descriptions and
// screenshots of the Standard pages; panels and entries of the Extended pages.
'use strict';
const fs = require('fs');
const path = require('path');
const { pathToFileURL } = require('url');
const { chromium } = require('playwright-core');

const expected = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
let passed = 0;
let failed = 0;

function check(condition, what) {
  if (condition) {
    passed += 1;
  } else {
    failed += 1;
    console.error('FAIL: ' + what);
  }
}

// Line breaks as the browser reports them: one \n for CR LF, CR or LF.
const lines = (text) => text.replace(/\r\n|\r/g, '\n');

async function openPage(browser, file) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  // The pages may load only what lies on the disc.
  await page.route('**/*', (route) =>
    route.request().url().startsWith('file:') ? route.continue() : route.abort());
  await page.goto(pathToFileURL(file).href);
  return { page, errors };
}

async function buttonClasses(page) {
  return page.$$eval('p#Bt', (buttons) => buttons.map((b) => b.className));
}

async function standardPage(browser, sample) {
  const name = sample.template;
  const screenshots = name === 'Standard Screenshots';
  const { page, errors } = await openPage(browser, sample.page);
  check((await page.textContent('h2')) === sample.title, `${name}: the title heading`);
  const buttons = page.locator('p#Bt');
  check((await buttons.count()) === sample.entries.length, `${name}: one button per entry`);

  for (let i = 0; i < sample.entries.length; i += 1) {
    const entry = sample.entries[i];
    await buttons.nth(i).hover();
    const classes = await buttonClasses(page);
    check(classes.every((c, k) => c === (k === i ? 'ButActive' : 'But')),
      `${name}: pointing at button ${i} gives ${JSON.stringify(classes)}`);
    const images = await page.$$eval('img#Bi', (imgs) => imgs.map((img) => img.getAttribute('src')));
    check(images.every((src, k) => src === (k === i ? 'Menu/on.gif' : 'Menu/off.gif')),
      `${name}: button images swap ${JSON.stringify(images)}`);

    await buttons.nth(i).click();
    const link = page.locator('#LTitle a');
    check((await link.textContent()) === entry.title, `${name}: title link of ${entry.title}`);
    const href = await link.evaluate((a) => a.href);
    const target = pathToFileURL(path.join(path.dirname(sample.page), entry.link)).href;
    check(decodeURIComponent(href) === decodeURIComponent(target),
      `${name}: link of ${entry.title} goes to ${href}, not ${target}`);
    const description = await page.locator('#Des').evaluate((p) => p.innerText);
    check(lines(description) === lines(entry.description),
      `${name}: description of ${entry.title} reads ${JSON.stringify(description)}`);
    if (screenshots) {
      const shot = page.locator('#SShot img');
      if (entry.screenshot === 'none') {
        check((await shot.count()) === 0, `${name}: no screenshot for ${entry.title}`);
      } else {
        const loaded = await shot.evaluate((img) => img.complete && img.naturalWidth > 0 &&
          img.getAttribute('src'));
        check(loaded === 'Menu/' + entry.screenshot, `${name}: screenshot of ${entry.title} is ${loaded}`);
      }
    }
  }
  check(errors.length === 0, `${name}: script errors ${JSON.stringify(errors)}`);
  await page.close();
}

async function extendedPage(browser, sample) {
  const name = sample.template;
  const { page, errors } = await openPage(browser, sample.page);
  const categories = [...new Set(sample.entries.map((e) => e.category))];
  const panels = page.locator('div#Cat');
  check((await panels.count()) === categories.length, `${name}: one panel per category`);
  const labels = await page.$$eval('p#Bt', (buttons) => buttons.map((b) => b.textContent));
  check(JSON.stringify([...labels].sort()) === JSON.stringify([...categories].sort()),
    `${name}: category buttons ${JSON.stringify(labels)}`);

  for (let c = 0; c < labels.length; c += 1) {
    const inCategory = sample.entries.filter((e) => e.category === labels[c]);
    const titles = await panels.nth(c).locator('p.TLink').allTextContents();
    check(JSON.stringify(titles) === JSON.stringify(inCategory.map((e) => e.title)),
      `${name}: panel ${c} (${labels[c]}) lists ${JSON.stringify(titles)}`);
    const blocks = panels.nth(c).locator('div#Des');
    check((await blocks.count()) === inCategory.length, `${name}: panel ${c} has a description per entry`);
    for (let j = 0; j < inCategory.length; j += 1) {
      const block = blocks.nth(j);
      check((await block.evaluate((d) => d.style.display)) === 'none', `${name}: descriptions start hidden`);
      // Each line break shows as <br>; a stray end tag in the text is dropped by the HTML parser.
      const html = await block.locator('p').evaluate((p) => p.innerHTML);
      const expectedHtml = lines(inCategory[j].description).split('\n').join('<br>').replace('</script>', '');
      check(html === expectedHtml, `${name}: description of ${inCategory[j].title} is ${JSON.stringify(html)}`);
      const open = block.locator('a');
      check((await open.textContent()) === 'Open', `${name}: Open link of ${inCategory[j].title}`);
      const href = await open.evaluate((a) => a.href);
      const target = pathToFileURL(path.join(path.dirname(sample.page), inCategory[j].link)).href;
      check(decodeURIComponent(href) === decodeURIComponent(target), `${name}: Open goes to ${href}`);
      if (name === 'Extended Screenshots') {
        const shot = block.locator('#SShot img');
        check((await shot.count()) === (inCategory[j].screenshot === 'none' ? 0 : 1),
          `${name}: screenshot cell of ${inCategory[j].title}`);
      }
    }
    // Pointing at and clicking a category button runs without error.
    await page.locator('p#Bt').nth(c).hover();
    const classes = await buttonClasses(page);
    check(classes.every((cls, k) => cls === (k === c ? 'ButActive' : 'But')), `${name}: category button ${c} active`);
    await page.locator('p#Bt').nth(c).click();
  }
  check(errors.length === 0, `${name}: script errors ${JSON.stringify(errors)}`);
  await page.close();
}

(async () => {
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
  try {
    for (const sample of expected) {
      if (sample.template.startsWith('Standard')) {
        await standardPage(browser, sample);
      } else {
        await extendedPage(browser, sample);
      }
    }
  } finally {
    await browser.close();
  }
  console.log(`browser: ${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
