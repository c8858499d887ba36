// A headless Chromium driven over the DevTools protocol on a pipe: no
// WebSocket and no package beyond Node's own.
import { spawn } from "node:child_process";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

const kFlags = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
  "--hide-scrollbars", "--remote-debugging-pipe", "about:blank"];

export async function launch(executable = process.env.CHROMIUM || "/usr/bin/chromium") {
  const profile = mkdtempSync(join(tmpdir(), "boxloom-chromium-"));
  const child = spawn(executable, [`--user-data-dir=${profile}`, ...kFlags],
    { stdio: ["ignore", "ignore", "ignore", "pipe", "pipe"] });
  const [, , , toBrowser, fromBrowser] = child.stdio;
  let nextId = 1, pending = new Map(), listeners = [], buffer = "";
  fromBrowser.on("data", (chunk) => {
    buffer += chunk.toString("utf8");
    for (let end = buffer.indexOf("\0"); end >= 0; end = buffer.indexOf("\0")) {
      const message = JSON.parse(buffer.slice(0, end));
      buffer = buffer.slice(end + 1);
      if (message.id && pending.has(message.id)) {
        const { resolve, reject } = pending.get(message.id);
        pending.delete(message.id);
        if (message.error) reject(new Error(message.error.message));
        else resolve(message.result);
      } else listeners.forEach((listen) => listen(message));
    }
  });
  const send = (method, params = {}, sessionId) => new Promise((resolve, reject) => {
    const id = nextId++;
    pending.set(id, { resolve, reject });
    toBrowser.write(JSON.stringify({ id, method, params, sessionId }) + "\0");
  });
  const close = async () => {
    await send("Browser.close").catch(() => {});
    await new Promise((done) => (child.exitCode !== null ? done() : child.on("exit", done)));
    rmSync(profile, { recursive: true, force: true });
  };
  return { send, close, listen: (listener) => listeners.push(listener) };
}

// A page of its own at a viewport's size; `evaluate` runs an expression in it
// and gives its value, awaiting a promise.
export async function openPage(browser, url, width, height) {
  const { targetId } = await browser.send("Target.createTarget", { url: "about:blank" });
  const { sessionId } = await browser.send("Target.attachToTarget", { targetId, flatten: true });
  const send = (method, params) => browser.send(method, params, sessionId);
  await send("Page.enable");
  await send("Emulation.setDeviceMetricsOverride",
    { width, height, deviceScaleFactor: 1, mobile: width < 600 });
  const loaded = new Promise((done) => browser.listen((message) => {
    if (message.sessionId === sessionId && message.method === "Page.loadEventFired") done();
  }));
  await send("Page.navigate", { url });
  await loaded;
  const evaluate = async (expression) => {
    const { result, exceptionDetails } = await send("Runtime.evaluate",
      { expression, awaitPromise: true, returnByValue: true });
    if (exceptionDetails) throw new Error(exceptionDetails.exception?.description || exceptionDetails.text);
    return result.value;
  };
  return { send, evaluate, close: () => browser.send("Target.closeTarget", { targetId }) };
}
