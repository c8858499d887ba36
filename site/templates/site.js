// The site's page script: sortable tables, rows loaded after the page, the
// qualified view and the search box. One file, cached once for every page.
(function () {
  // The first columns hold text (a table of class "lead2": two); a cell
  // that is not as its column says so.
  function leadingText(table) {
    var found = /(?:^| )lead(\d)(?: |$)/.exec(table.className);
    return found ? +found[1] : 0;
  }
  function key(cell, text) {
    if (cell.className === "t" || (text && cell.className !== "n"))
      return { n: false, v: cell.textContent.trim().toLowerCase() };
    var v = cell.getAttribute("data-v");
    var f = parseFloat(v === null ? cell.textContent : v);
    return { n: true, v: isNaN(f) ? null : f };
  }
  function compare(a, b, up) {
    if (a.n && b.n) {
      if (a.v === null) return b.v === null ? 0 : 1;
      if (b.v === null) return -1;
      return up ? a.v - b.v : b.v - a.v;
    }
    return up ? (a.v < b.v ? -1 : a.v > b.v ? 1 : 0) : (a.v < b.v ? 1 : a.v > b.v ? -1 : 0);
  }
  // A long season table holds its first rows; the rest come from a script of
  // their own, loaded once the reader starts to use the page and made into
  // rows a block at a time while the page is idle. Sorting and the qualified
  // view wait for the whole table. A reader who only looks pays for none of it.
  var later = window.requestIdleCallback || setTimeout;
  function finish(table) {
    var waiting = table.waiting || [];
    table.removeAttribute("data-rows");
    table.waiting = [];
    waiting.forEach(function (then) { then(); });
  }
  function loadRows(table) {
    if (table.loading || !table.getAttribute("data-rows")) return;
    table.loading = true;
    var script = document.createElement("script");
    script.src = table.getAttribute("data-rows");
    script.onerror = function () { finish(table); };
    document.head.appendChild(script);
  }
  function whole(table, then) {
    if (!table.getAttribute("data-rows")) return then();
    (table.waiting = table.waiting || []).push(then);
    loadRows(table);
  }
  window.boxloomRows = function (id, blocks) {
    var table = document.getElementById(id);
    if (!table) return;
    var step = function () {
      do {
        var body = document.createElement("tbody");
        body.innerHTML = blocks.shift();
        table.appendChild(body);
      } while (blocks.length && table.waiting && table.waiting.length);
      if (blocks.length) later(step);
      else finish(table);
    };
    step();
  };
  var started = ["pointerdown", "keydown", "scroll", "touchstart"];
  var start = function () {
    started.forEach(function (name) { window.removeEventListener(name, start, true); });
    document.querySelectorAll("table[data-rows]").forEach(loadRows);
  };
  started.forEach(function (name) { window.addEventListener(name, start, { capture: true, passive: true }); });
  document.querySelectorAll("table.sortable").forEach(function (table) {
    table.querySelectorAll("th").forEach(function (th, column) {
      th.tabIndex = 0;
      th.addEventListener("click", function () {
        var up = th.getAttribute("aria-sort") === "descending";
        whole(table, function () { sort(table, th, column, up); });
      });
    });
  });
  function sort(table, th, column, up) {
    table.querySelectorAll("th").forEach(function (other) { other.removeAttribute("aria-sort"); });
    th.setAttribute("aria-sort", up ? "ascending" : "descending");
    // A traded player's team rows stay under his total, which ranks him.
    var bodies = table.tBodies, groups = [], block = bodies[0].rows.length, leading = leadingText(table);
    for (var b = 0; b < bodies.length; b++)
      Array.prototype.forEach.call(bodies[b].rows, function (row) {
        if (groups.length && row.classList.contains("part")) groups[groups.length - 1].rows.push(row);
        else groups.push({ rows: [row], key: key(row.cells[column], column < leading) });
      });
    groups.sort(function (a, b) { return compare(a.key, b.key, up); });
    // A long table's rows come in blocks: they go back in blocks of the same size.
    var rows = [];
    groups.forEach(function (group) { rows.push.apply(rows, group.rows); });
    for (b = 0; b < bodies.length; b++) {
      var sorted = document.createDocumentFragment();
      rows.slice(b * block, (b + 1) * block).forEach(function (row) { sorted.appendChild(row); });
      bodies[b].appendChild(sorted);
    }
  }
  // The names are loaded when the box is first used; without scripts the box
  // leads to the players' index.
  var form = document.querySelector("form.search");
  if (form) {
    var input = form.querySelector("input"), found = form.querySelector(".found"), root = form.getAttribute("data-root");
    // Every word typed starts a word of the name, in any order: "diaz",
    // "Joel Diaz" and "Diaz, Joel" all find Joel Diaz.
    var wordsOf = function (text) { return text.toLowerCase().split(/[\s,]+/).filter(Boolean); };
    var matches = function (name, words) {
      var own = wordsOf(name);
      return words.every(function (word) {
        return own.some(function (part) { return part.lastIndexOf(word, 0) === 0; });
      });
    };
    var note = function (text) {
      var item = document.createElement("li");
      item.className = "note";
      item.textContent = text;
      found.appendChild(item);
    };
    var show = function () {
      var words = wordsOf(input.value);
      found.textContent = "";
      if (!words.length || !window.boxloomSearch) return;
      var listed = 12, matched = 0;
      for (var i = 0; i < window.boxloomSearch.length; i++) {
        var entry = window.boxloomSearch[i];
        if (!matches(entry[0], words)) continue;
        if (++matched > listed) continue;
        var item = document.createElement("li"), link = document.createElement("a");
        link.href = root + entry[2];
        link.textContent = entry[0];
        item.appendChild(link);
        item.appendChild(document.createTextNode(" " + entry[1]));
        found.appendChild(item);
      }
      if (matched === 0) note("No player or team by that name");
      else if (matched > listed) note(listed + " of " + matched + " shown: type more of the name");
    };
    var load = function () {
      if (form.loading) return;
      form.loading = true;
      var script = document.createElement("script");
      script.src = form.getAttribute("data-index");
      script.onload = show;
      document.head.appendChild(script);
    };
    input.addEventListener("focus", load);
    input.addEventListener("input", function () { load(); show(); });
    form.addEventListener("submit", function (event) {
      var first = found.querySelector("a");
      if (first) { event.preventDefault(); window.location.href = first.href; }
    });
  }
  document.querySelectorAll("label.qualified").forEach(function (label) {
    label.hidden = false;
    var box = label.querySelector("input");
    var table = document.getElementById(label.getAttribute("data-table"));
    box.addEventListener("change", function () {
      whole(table, function () { table.classList.toggle("only-qualified", box.checked); });
    });
  });
})();
