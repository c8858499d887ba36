// The season tables as a reader meets them in Chromium: every cell painted
// wherever the table is scrolled, the player column and the header kept in
// view, and the page's script at work (later rows, sorting, the qualified
// view, the search box). BOXLOOM_TEST_SEASON is a season folder of a made site.
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import { existsSync } from "node:fs";
import { pathToFileURL } from "node:url";
import { join } from "node:path";
import { launch, openPage } from "./cdp.mjs";

const season = process.env.BOXLOOM_TEST_SEASON;
const pageUrl = (name) => pathToFileURL(join(season, name)).href;
let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser?.close(); });

// In the page: for the rows in view of the table's box, the cells that the box
// shows, each checked by what the browser hits at its middle; and the first
// cell of each row, which must sit at the box's left edge.
const paintedCells = `(async (fraction) => {
  const box = document.querySelector("table.long").closest(".scroll");
  box.scrollIntoView();
  box.scrollLeft = (box.scrollWidth - box.clientWidth) * fraction;
  box.scrollTop = box.scrollHeight / 3;
  const frame = () => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
  await frame();
  // Blocks that come into view are laid out in a later frame on a busy machine.
  for (let wait = 0; wait < 40 && !(await look()).checked; wait++) await frame();
  return look();
  async function look() {
  const view = box.getBoundingClientRect();
  const header = box.querySelector("thead").getBoundingClientRect();
  // What the player column, kept in view, covers is not the cell's to show.
  const hits = (cell, from = view.left) => {
    const r = cell.getBoundingClientRect();
    const left = Math.max(r.left, from), right = Math.min(r.right, view.right);
    const top = Math.max(r.top, header.bottom), bottom = Math.min(r.bottom, view.bottom);
    if (right - left < 4 || bottom - top < 4) return null;
    const hit = document.elementFromPoint((left + right) / 2, (top + bottom) / 2);
    return hit !== null && cell.contains(hit);
  };
  const rows = [...box.querySelectorAll("tbody tr")].filter((row) => {
    const r = row.getBoundingClientRect();
    return r.top >= header.bottom && r.bottom <= view.bottom;
  }).slice(0, 8);
  const missed = [], firstColumn = [];
  let checked = 0;
  for (const row of rows) {
    const first = row.cells[0];
    firstColumn.push(Math.abs(first.getBoundingClientRect().left - view.left) < 2 && hits(first) === true);
    const covered = first.getBoundingClientRect().right;
    for (const cell of [...row.cells].slice(1)) {
      const painted = hits(cell, covered);
      if (painted === null) continue;
      checked++;
      if (!painted) missed.push(row.rowIndex + ":" + cell.cellIndex);
    }
  }
  const headerInView = Math.abs(header.top - view.top) < 2;
  // Blocks not laid out yet must not make the box scroll past the last column.
  const headings = box.querySelector("thead tr").cells;
  // The first heading stays in view; the others scroll with the columns.
  const columns = headings[headings.length - 1].getBoundingClientRect().right -
    headings[1].getBoundingClientRect().left + headings[0].offsetWidth;
  const pastColumns = Math.round(box.scrollWidth - Math.max(columns, box.clientWidth));
  return { rows: rows.length, checked, missed, firstColumn, headerInView, pastColumns };
  }
})`;

for (const [width, height] of [[1280, 800], [390, 844]])
  describe(`a long season table at ${width} px`, () => {
    for (const name of ["batting.html", "pitching.html", "fielding.html"])
      test(`${name}: every cell in view is painted, the player column and header stay`, async () => {
        const page = await openPage(browser, pageUrl(name), width, height);
        for (const fraction of [0, 0.5, 1]) {
          const seen = await page.evaluate(`${paintedCells}(${fraction})`);
          const at = `${name} scrolled to ${fraction * 100}%`;
          assert.ok(seen.rows >= 3 && seen.checked >= seen.rows, `${at}: too few cells in view ${JSON.stringify(seen)}`);
          assert.deepEqual(seen.missed, [], `${at}: cells not painted`);
          assert.ok(seen.firstColumn.every(Boolean), `${at}: the player column left the view`);
          assert.ok(seen.headerInView, `${at}: the header row left the view`);
          assert.ok(seen.pastColumns < 2, `${at}: the box scrolls ${seen.pastColumns} px past the last column`);
        }
        await page.close();
      });
  });

describe("the page script", () => {
  let page;
  before(async () => { page = await openPage(browser, pageUrl("batting.html"), 1280, 800); });
  after(async () => { await page.close(); });

  test("a reader's first scroll loads every later row", async () => {
    const counts = await page.evaluate(`(async () => {
      const table = document.querySelector("table.long");
      const before = table.querySelectorAll("tbody tr").length;
      window.dispatchEvent(new Event("scroll"));
      for (let i = 0; i < 200 && table.hasAttribute("data-rows"); i++) await new Promise((d) => setTimeout(d, 25));
      return { before, after: table.querySelectorAll("tbody tr").length, pending: table.hasAttribute("data-rows") };
    })()`);
    assert.equal(counts.pending, false, "the rows script never finished");
    assert.ok(counts.before <= 50 && counts.after > counts.before, JSON.stringify(counts));
  });

  test("a header sorts the whole table, traded players' team rows under their total", async () => {
    const sorted = await page.evaluate(`(async () => {
      const table = document.querySelector("table.long");
      const column = [...table.tHead.rows[0].cells].findIndex((th) => th.textContent.trim() === "HR");
      table.tHead.rows[0].cells[column].click();
      await new Promise((d) => setTimeout(d, 50));
      const rows = [...table.querySelectorAll("tbody tr")];
      const ranked = rows.filter((row) => !row.classList.contains("part"));
      const values = ranked.map((row) => parseFloat(row.cells[column].getAttribute("data-v") ?? row.cells[column].textContent));
      const partsFollow = rows.every((row, i) => !row.classList.contains("part") || i > 0);
      return { rows: rows.length, values, partsFollow, sort: table.tHead.rows[0].cells[column].getAttribute("aria-sort") };
    })()`);
    assert.equal(sorted.sort, "descending");
    assert.ok(sorted.rows > 50);
    for (let i = 1; i < sorted.values.length; i++)
      assert.ok(!(sorted.values[i] > sorted.values[i - 1]), `row ${i}: ${sorted.values[i]} after ${sorted.values[i - 1]}`);
    assert.ok(sorted.partsFollow);
  });

  // The text columns are known by the table's class, not by a mark on each cell.
  test("a text column sorts and lines up as text, a number column as numbers", async () => {
    const seen = await page.evaluate(`(() => {
      const table = document.querySelector("table.long");
      const headings = [...table.tHead.rows[0].cells];
      const at = (label) => headings.findIndex((th) => th.textContent.trim() === label);
      const team = at("Team"), hits = at("H");
      headings[team].click();
      const rows = [...table.querySelectorAll("tbody tr")].filter((row) => !row.classList.contains("part"));
      const teams = rows.map((row) => row.cells[team].textContent.trim().toLowerCase());
      const align = (cell) => getComputedStyle(cell).textAlign;
      return { teams, player: align(rows[0].cells[0]), team: align(rows[0].cells[team]),
               hits: align(rows[0].cells[hits]), heading: align(headings[hits]), teamHeading: align(headings[team]) };
    })()`);
    for (let i = 1; i < seen.teams.length; i++)
      assert.ok(!(seen.teams[i] > seen.teams[i - 1]), `row ${i}: ${seen.teams[i]} after ${seen.teams[i - 1]}`);
    assert.ok(new Set(seen.teams).size > 2, "sorted as numbers: every team the same");
    assert.deepEqual([seen.player, seen.team, seen.teamHeading, seen.hits, seen.heading],
      ["left", "left", "left", "right", "right"]);
  });

  test("\"Qualified only\" hides exactly the unqualified rows", async () => {
    const view = await page.evaluate(`(async () => {
      const label = document.querySelector("label.qualified");
      label.querySelector("input").click();
      await new Promise((d) => setTimeout(d, 50));
      const rows = [...document.querySelectorAll("table.long tbody tr")];
      const shown = rows.filter((row) => row.getClientRects().length > 0);
      return { hidden: label.hidden, rows: rows.length, shown: shown.length,
               unqualifiedShown: shown.filter((row) => row.classList.contains("unqualified")).length,
               unqualified: rows.filter((row) => row.classList.contains("unqualified")).length };
    })()`);
    assert.equal(view.hidden, false);
    assert.ok(view.unqualified > 0 && view.shown > 0);
    assert.equal(view.unqualifiedShown, 0);
    assert.equal(view.shown, view.rows - view.unqualified);
  });

  // What a reader types into the box, and what it lists: by part of the first
  // name, by surname alone, by "Surname, First" and "First Surname".
  test("the search box finds a player however his name is typed, and says when it lists fewer than it found", async () => {
    const found = await page.evaluate(`(async () => {
      const input = document.querySelector("form.search input");
      input.focus();
      input.dispatchEvent(new Event("focus"));
      for (let i = 0; i < 200 && !window.boxloomSearch; i++) await new Promise((d) => setTimeout(d, 25));
      const search = (text) => {
        input.value = text;
        input.dispatchEvent(new Event("input"));
        const list = document.querySelector("form.search .found");
        const links = [...list.querySelectorAll("a")];
        return { texts: links.map((a) => a.textContent), href: links[0]?.href ?? "",
                 note: list.querySelector(".note")?.textContent ?? "" };
      };
      const name = document.querySelector("table.long tbody tr td a").textContent.trim();
      const [first, ...rest] = name.split(" ");
      const surname = rest.join(" ");
      return { name, byStart: search(first.slice(0, 3)), bySurname: search(surname.toLowerCase()),
               reversed: search(surname + ", " + first), whole: search(name), one: search("a"),
               nobody: search("zzzz qqqq") };
    })()`);
    const { name, byStart, bySurname, reversed, whole, one, nobody } = found;
    for (const result of [bySurname, reversed, whole])
      assert.ok(result.texts.includes(name), `${name} not in ${JSON.stringify(result)}`);
    assert.ok(byStart.texts.length > 0 && byStart.texts.length <= 12, JSON.stringify(byStart));
    assert.ok(existsSync(new URL(whole.href)), `${whole.href} is not a page of the site`);
    assert.equal(one.texts.length, 12);
    assert.match(one.note, /^12 of \d+ shown/);
    assert.deepEqual(nobody.texts, []);
    assert.match(nobody.note, /No player or team/);
  });
});
