// The page's side of the game: shows the console the module hands over, feeds it the keyboard,
// a recording or a probe's script, and resumes the game after each pause and key read.
"use strict";

(async () => {
  // As WebMode, kPageKeyHasChar and kPageKeyArrow in the module.
  const MODE = { play: 0, replay: 1, probe: 2 };
  const ASYNCIFY = { unwinding: 1, rewinding: 2 };
  const PAGE_KEY_HAS_CHAR = 0x100;
  const PAGE_KEY_ARROW = 0x200;
  // The letters the arrows steer with during a round.
  const ARROWS = { ArrowUp: "w", ArrowLeft: "a", ArrowDown: "s", ArrowRight: "d" };
  // Cells have the shape of the console font the game asks for on Windows, 12 x 16.
  const CELL_SHAPE = [3, 4];
  const NAMED_KEYS = { Enter: 13, Backspace: 8, Escape: 27 };
  const CHARLESS_KEY = /^(Arrow|F\d|Home|End|Page|Insert|Delete)/;
  // Blocks drawn as rectangles so that they meet their neighbours: x, y, width, height in
  // halves of a cell.
  const BLOCKS = { 0x2588: [0, 0, 2, 2], 0x2580: [0, 0, 2, 1], 0x2584: [0, 1, 2, 1],
                   0x258c: [0, 0, 1, 2], 0x2590: [1, 0, 1, 2] };

  const params = new URLSearchParams(location.search);
  const canvas = document.getElementById("console");
  const context = canvas.getContext("2d", { alpha: false });
  const line = document.getElementById("line");
  const hint = document.getElementById("hint");
  const notice = document.getElementById("notice");
  const download = document.getElementById("download");
  const decoder = new TextDecoder();

  let wasm;
  // The game's stack while the browser runs, and what the game waits for meanwhile.
  let asyncifyData = 0;
  let pending = null;
  let mode = MODE.play;
  const keys = [];
  let keyWaiter = null;
  let lastWake = performance.now();
  const probe = { budget: 0, held: null, deliver: () => {}, records: [], status: null };

  // The console as last handed over, and its look on the canvas.
  let shown = { cells: new Uint32Array(0), columns: 0, rows: 0, cursor: [0, 0, 0] };
  let drawn = new Uint32Array(0);
  let cursorDrawn = -1;
  let palette = [];
  let cell = [0, 0];
  let tooSmall = false;
  let glyph = { ascent: 0, stretch: 1 };

  function text(address, length) {
    return decoder.decode(new Uint8Array(wasm.memory.buffer, address, length));
  }

  function cString(address) {
    const bytes = new Uint8Array(wasm.memory.buffer, address);
    return decoder.decode(bytes.subarray(0, bytes.indexOf(0)));
  }

  // An import that waits: the game's stack unwinds to the browser, which resumes it once the
  // promise settles.
  function waits(start) {
    return (...args) => {
      if (wasm.asyncify_get_state() === ASYNCIFY.rewinding) {
        wasm.asyncify_stop_rewind();
        return;
      }
      pending = start(...args);
      asyncifyData = wasm.asyncify_data();
      wasm.asyncify_start_unwind(asyncifyData);
    };
  }

  async function call(name, ...args) {
    let result = wasm[name](...args);
    while (wasm.asyncify_get_state() === ASYNCIFY.unwinding) {
      wasm.asyncify_stop_unwind();
      await pending;
      wasm.asyncify_start_rewind(asyncifyData);
      result = wasm[name](...args);
    }
    return result;
  }

  // The game can be seen: the tab is shown and the window holds the console.
  function playable() {
    return new Promise((resolve) => {
      const check = () => {
        if (!document.hidden && !tooSmall) {
          document.removeEventListener("visibilitychange", check);
          window.removeEventListener("resize", check);
          resolve();
        }
      };
      document.addEventListener("visibilitychange", check);
      window.addEventListener("resize", check);
      check();
    });
  }

  async function sleep(milliseconds) {
    if (mode === MODE.probe) {
      return new Promise((resolve) => {
        if (probe.budget > 0) {
          probe.budget -= 1;
          resolve();
        } else {
          probe.held = resolve;
          probe.deliver();
        }
      });
    }
    // A tick every so many milliseconds from the last wake, however long the game took.
    const delay = Math.max(0, lastWake + milliseconds - performance.now());
    await new Promise((resolve) => setTimeout(resolve, delay));
    if (document.hidden || tooSmall) {
      // No timer runs while the game cannot be seen; seen again, it goes on from here, and a
      // round in progress pauses as at Esc.
      await playable();
      if (mode === MODE.play) {
        keys.unshift(PAGE_KEY_HAS_CHAR | NAMED_KEYS.Escape);
      }
    }
    lastWake = performance.now();
  }

  async function waitKey() {
    if (keys.length === 0) {
      await new Promise((resolve) => { keyWaiter = resolve; });
    }
    lastWake = performance.now();
  }

  function queueKey(key) {
    keys.push(key);
    if (keyWaiter !== null) {
      const resolve = keyWaiter;
      keyWaiter = null;
      resolve();
    }
  }

  function layout() {
    const ratio = window.devicePixelRatio || 1;
    const room = [window.innerWidth * ratio, (window.innerHeight - 100) * ratio];
    const columns = shown.columns || 1;
    const rows = shown.rows || 1;
    const fit = Math.floor(Math.min(room[0] / (columns * CELL_SHAPE[0]),
                                    room[1] / (rows * CELL_SHAPE[1])));
    tooSmall = fit < 1;
    const scale = Math.max(1, fit);
    notice.hidden = !tooSmall;
    notice.textContent = `Mazewick needs a window of ${columns * CELL_SHAPE[0] / ratio} x ` +
      `${rows * CELL_SHAPE[1] / ratio + 100} pixels; this one is ${window.innerWidth} x ` +
      `${window.innerHeight}. Enlarge it to go on.`;
    canvas.hidden = tooSmall;
    cell = [CELL_SHAPE[0] * scale, CELL_SHAPE[1] * scale];
    canvas.width = columns * cell[0];
    canvas.height = rows * cell[1];
    canvas.style.width = `${canvas.width / ratio}px`;
    canvas.style.height = `${canvas.height / ratio}px`;
    // The font's line fills the cell's height and its advance the cell's width.
    context.font = "100px MazewickConsole, monospace";
    const metrics = context.measureText("\u2550");
    const height = metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent;
    const size = 100 * cell[1] / height;
    glyph = { ascent: metrics.fontBoundingBoxAscent * size / 100,
              stretch: cell[0] / (metrics.width * size / 100) };
    context.font = `${size}px MazewickConsole, monospace`;
    context.textBaseline = "alphabetic";
    drawn = new Uint32Array(0);
    draw();
  }

  function drawCell(index) {
    const { cells, columns } = shown;
    const x = (index % columns) * cell[0];
    const y = Math.floor(index / columns) * cell[1];
    const character = cells[2 * index];
    const attribute = cells[2 * index + 1];
    context.fillStyle = palette[(attribute >> 4) & 15];
    context.fillRect(x, y, cell[0], cell[1]);
    context.fillStyle = palette[attribute & 15];
    const block = BLOCKS[character];
    if (block) {
      const [left, top, width, height] = block.map((half, at) => half * cell[at % 2] / 2);
      context.fillRect(x + left, y + top, width, height);
    } else if (character > 32) {
      context.setTransform(glyph.stretch, 0, 0, 1, x, y);
      context.fillText(String.fromCodePoint(character), 0, glyph.ascent);
      context.setTransform(1, 0, 0, 1, 0, 0);
    }
  }

  // Draws the cells that changed, and those the cursor leaves and enters.
  function draw() {
    const { cells, columns, cursor } = shown;
    const all = drawn.length !== cells.length;
    const cursorCell = cursor[1] * columns + cursor[0];
    for (let index = 0; 2 * index < cells.length; index += 1) {
      if (all || index === cursorCell || index === cursorDrawn ||
          drawn[2 * index] !== cells[2 * index] || drawn[2 * index + 1] !== cells[2 * index + 1]) {
        drawCell(index);
      }
    }
    cursorDrawn = -1;
    if (cursor[2] > 0 && 2 * cursorCell < cells.length) {
      const height = Math.max(1, Math.round(cell[1] * cursor[2] / 100));
      context.fillStyle = palette[cells[2 * cursorCell + 1] & 15];
      context.fillRect(cursor[0] * cell[0], (cursor[1] + 1) * cell[1] - height, cell[0], height);
      cursorDrawn = cursorCell;
    }
    drawn = cells;
  }

  function show(address, columns, rows, cursorX, cursorY, cursorSize, title, titleLength) {
    const cells = new Uint32Array(wasm.memory.buffer, address, columns * rows * 2).slice();
    const resized = columns !== shown.columns || rows !== shown.rows;
    shown = { cells, columns, rows, cursor: [cursorX, cursorY, cursorSize] };
    // The console as text too, for screen readers.
    let rowsText = "";
    for (let at = 0; at < cells.length; at += 2) {
      const rowEnd = (at / 2 + 1) % columns === 0;
      rowsText += String.fromCodePoint(cells[at] || 32) + (rowEnd ? "\n" : "");
    }
    canvas.textContent = rowsText;
    document.title = text(title, titleLength) || "Mazewick";
    if (resized) {
      layout();
    } else {
      draw();
    }
  }

  function keyFor(event) {
    if (event.ctrlKey || event.metaKey || event.altKey) {
      return null;
    }
    if (event.key.length === 1) {
      const code = event.key.charCodeAt(0);
      return code < 0x80 ? PAGE_KEY_HAS_CHAR | code : null;
    }
    if (event.key in NAMED_KEYS) {
      return PAGE_KEY_HAS_CHAR | NAMED_KEYS[event.key];
    }
    if (event.key in ARROWS) {
      return PAGE_KEY_ARROW | ARROWS[event.key].charCodeAt(0);
    }
    return CHARLESS_KEY.test(event.key) ? 0 : null;
  }

  function recording() {
    const body = cString(wasm.recording());
    const date = new Date().toISOString().replace("T", " ").replace(/\.\d+Z$/, " UTC");
    return `# ${document.title} recording\n# recorded ${date}\n` +
           `# browser ${shown.columns} x ${shown.rows}\n${body}`;
  }

  // The bytes of a script for a replay or a probe: null when it reads, else its bad line.
  function loadScript(bytes) {
    new Uint8Array(wasm.memory.buffer, wasm.script_buffer(bytes.length), bytes.length).set(bytes);
    const bad = wasm.load_script();
    return bad === 0 ? null : { line: bad, error: cString(wasm.error_text()) };
  }

  async function play(playMode) {
    mode = playMode;
    keys.length = 0;
    lastWake = performance.now();
    await call("run", playMode, 0, 0, 0);
    line.textContent = playMode === MODE.replay
      ? "The recording has ended: press a key to play."
      : "You have quit: press a key to play again.";
    keys.length = 0;
    await waitKey();
    line.textContent = "";
    play(MODE.play);
  }

  async function replayOrPlay(url) {
    if (url !== null) {
      let problem = null;
      try {
        const response = await fetch(url);
        if (!response.ok) {
          throw new Error(`${response.status} ${response.statusText}`);
        }
        const bad = loadScript(new Uint8Array(await response.arrayBuffer()));
        if (bad !== null) {
          problem = `the recording ${url} cannot be read: line ${bad.line}: ${bad.error}.`;
        }
      } catch (error) {
        problem = `the recording ${url} cannot be loaded: ${error.message}.`;
      }
      if (problem === null) {
        return play(MODE.replay);
      }
      line.textContent = problem[0].toUpperCase() + problem.slice(1);
      loadScript(new Uint8Array(0));
    }
    return play(MODE.play);
  }

  const imports = {
    page: {
      show,
      sleep: waits(sleep),
      wait_key: waits(waitKey),
      take_key: () => (keys.length > 0 ? keys.shift() : -1),
      record: (kind, address, length) => probe.records.push([kind, text(address, length)]),
      stop: waits(() => {
        probe.status = 3;
        probe.deliver();
        return new Promise(() => {});
      }),
    },
    // The C library asks nothing of the system that the game needs.
    wasi_snapshot_preview1: new Proxy({}, {
      get: (_, name) => (name === "proc_exit"
        ? (status) => { throw new Error(`the game ended with status ${status}`); }
        : () => 52),
    }),
  };

  const font = new FontFace("MazewickConsole", "url(console-font.woff2)");
  const [{ instance }] = await Promise.all([
    WebAssembly.instantiateStreaming(fetch("mazewick.wasm"), imports),
    font.load().then((loaded) => document.fonts.add(loaded)),
  ]);
  wasm = instance.exports;
  wasm._initialize();
  const rgb = new Uint8Array(wasm.memory.buffer, wasm.palette(), 48);
  palette = Array.from({ length: 16 }, (_, colour) =>
    `rgb(${rgb[3 * colour]},${rgb[3 * colour + 1]},${rgb[3 * colour + 2]})`);

  document.addEventListener("keydown", (event) => {
    const key = keyFor(event);
    if (key !== null && mode !== MODE.probe) {
      event.preventDefault();
      // Keys typed while the game cannot be seen are not acted on, as on a small terminal.
      if (!tooSmall) {
        queueKey(key);
      }
    }
  });
  const showHint = () => { hint.hidden = document.hasFocus(); };
  window.addEventListener("focus", showHint);
  window.addEventListener("blur", showHint);
  window.addEventListener("resize", layout);
  download.addEventListener("click", () => {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([recording()], { type: "text/plain" }));
    link.download = "mazewick.rec";
    link.click();
    URL.revokeObjectURL(link.href);
    canvas.focus();
  });
  showHint();
  canvas.focus();

  if (params.has("probe")) {
    // The probe's test hook: a script played pause by pause, with mazewick-sim's records.
    mode = MODE.probe;
    window.mazewickProbe = {
      start(script, frames, waits, maxPauses) {
        const bad = loadScript(Uint8Array.from(script));
        if (bad === null) {
          call("run", MODE.probe, frames, waits, maxPauses).then((status) => {
            probe.status = status;
            probe.deliver();
          });
        }
        return bad;
      },
      advance(pauses) {
        return new Promise((resolve) => {
          probe.deliver = () => {
            const records = probe.records;
            probe.records = [];
            resolve({ records, status: probe.status });
          };
          probe.budget = pauses;
          const held = probe.held;
          probe.held = null;
          if (probe.status !== null) {
            probe.deliver();
          } else if (held !== null) {
            held();
          }
        });
      },
    };
  } else {
    replayOrPlay(params.get("replay"));
  }
})();
