// Firefox for the browser test: Puppeteer drives it over WebDriver BiDi, the
// browser's own remote protocol (no geckodriver). One JSON command a line on
// standard input, one JSON answer a line on standard output.
//   {"open": url}  {"script": source, "args": [...]}  {"screenshot": true}
//   {"click": [x, y]}  {"keys": ["End", "Backspace", "0"]}  {"size": [w, h]}
import puppeteer from 'puppeteer-core';
import readline from 'node:readline';

const [executablePath, width, height] = process.argv.slice(2);
const browser = await puppeteer.launch({
  browser: 'firefox',
  executablePath,
  // Headless Firefox has no WebGL here: it runs on the test's own display.
  headless: false,
  defaultViewport: { width: Number(width), height: Number(height) },
  extraPrefsFirefox: { 'browser.shell.checkDefaultBrowser': false },
});
const [page] = await browser.pages();

async function answer(command) {
  if (command.open !== undefined) {
    await page.goto(command.open);
    return null;
  }
  if (command.script !== undefined) {
    // A WebDriver-style script: a function body with its arguments.
    return page.evaluate((source, args) => new Function(source)(...args), command.script,
                         command.args || []);
  }
  if (command.screenshot)
    return Buffer.from(await page.screenshot({ type: 'png' })).toString('base64');
  if (command.click) {
    const [x, y] = command.click;
    await page.mouse.click(x, y);
    await page.mouse.move(1, 1);
    return null;
  }
  if (command.keys) {
    for (const key of command.keys)
      await page.keyboard.press(key);
    return null;
  }
  if (command.close) {
    await browser.close();
    return null;
  }
  throw new Error(`unknown command ${JSON.stringify(command)}`);
}

for await (const line of readline.createInterface({ input: process.stdin })) {
  try {
    process.stdout.write(JSON.stringify({ value: await answer(JSON.parse(line)) }) + '\n');
  } catch (error) {
    process.stdout.write(JSON.stringify({ error: String(error) }) + '\n');
  }
}
await browser.close();
