// The main window as a page.  The module's WebFace holds the model and every
// rule of the window; this script builds the controls, forwards their
// events, shows the state the face reports, runs the timers from the
// browser's clock, draws the face's pictures on canvases at the device pixel
// ratio and moves files between the page and the user.
'use strict';

(() => {
  // The window's controls come from the module's layout table (kind, name,
  // parent, place at 100 %, in creation order); the layer gives every
  // caption and text by the control's name.  The page's names of the
  // table's kinds where they differ:
  const PAGE_KINDS = { field: 'edit', list: 'combo', spinner: 'updown', image: 'canvas', item: 'menu' };
  // The pictures the face draws, by image.
  const CANVASES = { Image1: 'view', Image4: 'phase', Image2: 'energy', Image3: 'time' };

  const APP_WIDTH = 950;
  const APP_HEIGHT = 602;
  const MAIN_FONT = 11;   // pixels, the window's face
  const PLOT_FONT = 8;    // pixels, the plots' face
  const FACE = '"DejaVu Sans", Verdana, sans-serif';
  const START_FILE = 'teszt02.gydat';
  const CATCH_UP = 50;    // most ticks made up in one timer call

  const $ = (id) => document.getElementById(id);
  const el = {};
  const kinds = {};
  const targets = {};
  let face = null;
  let velox = null;
  let zoom = 1;
  let ended = false;

  // ---- building the window ------------------------------------------------------
  function place(node, left, top, width, height) {
    node.style.left = `${left}px`;
    node.style.top = `${top}px`;
    if (width) node.style.width = `${width}px`;
    if (height) node.style.height = `${height}px`;
  }

  function create(kind, id, canvasName, items) {
    const make = (tag, props = {}) => Object.assign(document.createElement(tag), props);
    switch (kind) {
      case 'line': return make('div', { className: 'marker-line' });
      case 'wrap': return make('div', { className: 'label wrap' });
      case 'group': {
        const node = make('fieldset', { className: 'group' });
        node.append(make('legend'));
        return node;
      }
      case 'edit': return make('input', { type: 'text', className: 'edit', spellcheck: false });
      case 'button': return make('button', { className: 'button' });
      case 'check': case 'radio': {
        const node = make('label', { className: kind });
        const box = make('input', { type: kind === 'check' ? 'checkbox' : 'radio', id: `${id}Box` });
        el[box.id] = box;
        node.append(box, make('span'));
        return node;
      }
      case 'combo': {
        const node = make('select', { className: 'combo' });
        items.split('|').forEach((item, k) => node.append(new Option(item, String(k))));
        return node;
      }
      case 'updown': {
        const node = make('div', { className: 'updown' });
        node.append(make('button', { textContent: '▲', tabIndex: -1 }), make('button', { textContent: '▼', tabIndex: -1 }));
        return node;
      }
      case 'canvas': {
        const node = make('canvas', { className: 'image' });
        targets[canvasName] = { canvas: node, font: canvasName === 'energy' || canvasName === 'time' ? PLOT_FONT : MAIN_FONT };
        return node;
      }
      case 'stats': return make('div', { className: 'stats', hidden: true });
      case 'marker': return make('div', { className: 'shape', hidden: true });
      default: return make('div', { className: kind });
    }
  }

  // The page's own places where HTML lays out otherwise than the window.
  function pagePlace(c, byName) {
    let { left, top, width, height } = c;
    const parent = byName[c.parent];
    // A fieldset's content starts below its legend.
    if (parent?.kind === 'group') top -= 6;
    // The window's layout step widens the view's frame to its bottom bar,
    // less 5 pixels each side, and fits the view's image in it.
    if (c.name === 'Bevel1') width = byName.Shape49.width - 10;
    if (c.name === 'Image1') width = byName.Shape49.width - 13;
    // A spectrum's canvas is the bitmap, 5 pixels less each way than its image.
    if (c.kind === 'image' && parent?.dark) [width, height] = [width - 5, height - 5];
    // A check box or radio button takes its caption's width; its box is
    // centred in 16 pixels.
    if ((c.kind === 'check' || c.kind === 'radio') && !height) height = 16;
    return [left, top, width, height];
  }

  function build() {
    const table = JSON.parse(velox.layout());
    const byName = Object.fromEntries(table.map((c) => [c.name, c]));
    for (const c of table) {
      const kind = PAGE_KINDS[c.kind] ?? c.kind;
      // The window's position fields under the spinners' display fields:
      // the page's spinners tell the face their steps themselves.
      if (kind === 'menu' || c.name === 'Edit1' || c.name === 'Edit3') continue;
      const node = create(kind, c.name, CANVASES[c.name], c.items);
      node.id = c.name;
      if (kind !== 'marker') kinds[c.name] = kind;
      const [left, top, width, height] = pagePlace(c, byName);
      if (kind !== 'marker') place(node, left, top, width, height);
      if (kind === 'canvas') Object.assign(targets[CANVASES[c.name]], { width, height });
      if (c.dark) node.classList.add('plot');
      if (c.readOnly) node.readOnly = true;
      // A shape in its fill; the view's frame bars take the panel colour
      // (.bar), as the window's layout step gives them.
      if (kind === 'shape') node.style.background = rgb(c.fill);
      // The cavity markers lie in a box over the view's image that cuts them off at its edges.
      if (c.parent === 'Image1' && !el.Markers) {
        el.Markers = Object.assign(document.createElement('div'), { className: 'clip', id: 'Markers' });
        place(el.Markers, ...pagePlace(byName.Image1, byName));
        $('client').append(el.Markers);
      }
      (c.parent === 'Image1' ? el.Markers : c.parent ? el[c.parent] : $('client')).append(node);
      el[c.name] = node;
    }
    // The run clock only shows the time; nothing typed there would count.
    el.Edit15.readOnly = true;
    buildMenu(table.filter((c) => c.kind === 'menu' || c.kind === 'item'));
    for (const node of document.querySelectorAll('#client [id], #menu [id]')) {
      const hint = velox.hint('Form1', node.id);
      if (hint) node.title = hint;
    }
  }

  // The menu bar's items and menus, and the menus' items.
  function buildMenu(entries) {
    const bar = $('menu');
    const lists = {};
    for (const { kind, name, parent } of entries) {
      const b = Object.assign(document.createElement('button'), { id: name });
      el[name] = b;
      kinds[name] = 'menu';
      if (parent) {
        b.addEventListener('click', () => { closeMenus(); command(name); });
        lists[parent].append(b);
        continue;
      }
      const holder = document.createElement('div');
      holder.append(b);
      if (kind === 'menu') {
        lists[name] = Object.assign(document.createElement('div'), { className: 'items' });
        holder.append(lists[name]);
        b.addEventListener('click', (e) => {
          const open = holder.classList.contains('open');
          closeMenus();
          if (!open) holder.classList.add('open');
          e.stopPropagation();
        });
      } else {
        b.addEventListener('click', () => { closeMenus(); command(name); });
      }
      bar.append(holder);
    }
    document.addEventListener('click', closeMenus);
  }

  function closeMenus() {
    for (const m of document.querySelectorAll('#menu .open')) m.classList.remove('open');
  }

  // ---- canvases: the layer draws, the page maps to device pixels ------------------
  let current = null;

  function rgb(c) { return `rgb(${(c >> 16) & 255},${(c >> 8) & 255},${c & 255})`; }

  function fontOf(px) { return `${px}px ${FACE}`; }

  // A drawing target: a canvas, the scale from logical to device pixels and
  // the logical origin of the picture on it.  Fills cover whole device
  // pixels, lines are whole device pixels wide.
  function makeSurface(target, scale, originX) {
    const ctx = target.canvas.getContext('2d');
    let pen = { colour: 0, width: 1 };
    let path = [];
    const X = (x) => Math.round((x + originX) * scale);
    const Y = (y) => Math.round(y * scale);
    const fontPx = target.font * scale;
    ctx.font = fontOf(fontPx);
    if ('letterSpacing' in ctx) ctx.letterSpacing = target.font === MAIN_FONT ? `${-0.4 * scale}px` : '0px';
    const probe = ctx.measureText('ÁÉgjpy|');
    const ascent = Math.ceil(probe.fontBoundingBoxAscent ?? fontPx * 0.93);
    const descent = Math.ceil(probe.fontBoundingBoxDescent ?? fontPx * 0.24);
    const flush = () => {
      if (path.length >= 2) {
        const w = Math.max(1, Math.round(pen.width * scale));
        const shift = w % 2 ? 0.5 : 0;
        Object.assign(ctx, { lineWidth: w, lineCap: 'square', lineJoin: 'miter', strokeStyle: rgb(pen.colour) });
        ctx.beginPath();
        ctx.moveTo(X(path[0][0]) + shift, Y(path[0][1]) + shift);
        for (let k = 1; k < path.length; k += 1) ctx.lineTo(X(path[k][0]) + shift, Y(path[k][1]) + shift);
        ctx.stroke();
      }
      path = path.length ? [path[path.length - 1]] : [];
    };
    return {
      fillRect(l, t, r, b, c) {
        flush();
        ctx.fillStyle = rgb(c);
        ctx.fillRect(X(l), Y(t), X(r) - X(l), Y(b) - Y(t));
      },
      setPen(c, w) { flush(); pen = { colour: c, width: w }; },
      moveTo(x, y) { flush(); path = [[x, y]]; },
      lineTo(x, y) { if (!path.length) path = [[x, y]]; path.push([x, y]); },
      flush,
      ellipse(l, t, r, b, c) {
        flush();
        const w = Math.max(1, Math.round(pen.width * scale));
        ctx.beginPath();
        ctx.ellipse((X(l) + X(r)) / 2, (Y(t) + Y(b)) / 2, Math.max(0, (X(r) - X(l) - w) / 2),
          Math.max(0, (Y(b) - Y(t) - w) / 2), 0, 0, 2 * Math.PI);
        ctx.fillStyle = rgb(c);
        ctx.fill();
        Object.assign(ctx, { lineWidth: w, strokeStyle: rgb(pen.colour) });
        ctx.stroke();
      },
      // bg < 0: the text over what is there.
      textOut(x, y, text, fg, bg) {
        flush();
        if (bg >= 0) {
          ctx.fillStyle = rgb(bg);
          ctx.fillRect(X(x), Y(y), Math.ceil(ctx.measureText(text).width), ascent + descent);
        }
        ctx.fillStyle = rgb(fg);
        ctx.fillText(text, X(x), Y(y) + ascent);
      },
    };
  }

  // The layer's text measure, in the page's faces at 100 %.
  const measureContext = document.createElement('canvas').getContext('2d');
  function measure(small, text) {
    measureContext.font = fontOf(small ? PLOT_FONT : MAIN_FONT);
    if ('letterSpacing' in measureContext) measureContext.letterSpacing = small ? '0px' : '-0.4px';
    return Math.round(measureContext.measureText(text).width);
  }
  function smallHeight() {
    measureContext.font = fontOf(PLOT_FONT);
    const m = measureContext.measureText('ÁÉgjpy|');
    return Math.ceil(m.fontBoundingBoxAscent ?? PLOT_FONT * 0.93) + Math.ceil(m.fontBoundingBoxDescent ?? PLOT_FONT * 0.24);
  }

  function deviceScale() { return zoom * (window.devicePixelRatio || 1); }

  function sizeCanvases() {
    const scale = deviceScale();
    for (const t of Object.values(targets)) {
      if (!t.canvas.isConnected) continue;
      t.canvas.width = Math.round(t.width * scale);
      t.canvas.height = Math.round(t.height * scale);
      t.canvas.style.width = `${t.width}px`;
      t.canvas.style.height = `${t.height}px`;
      t.surface = makeSurface(t, scale, 0);
    }
  }

  // ---- fitting the page to the browser window ------------------------------------
  function fit() {
    zoom = Math.min(window.innerWidth / APP_WIDTH, window.innerHeight / APP_HEIGHT);
    if (!(zoom > 0)) zoom = 1;
    $('app').style.zoom = String(zoom);
    sizeCanvases();
    if (face) face.repaint();
  }

  // ---- showing the layer's state -------------------------------------------------------
  const states = {};

  function setText(node, text) {
    if (node.textContent !== text) node.textContent = text;
  }

  function show(name, s) {
    states[name] = s;
    const node = el[name];
    if (name === 'Form1') { if (document.title !== s.text) document.title = s.text; return; }
    if (name.startsWith('Timer')) { runTimers(); return; }
    if (!node) return;
    const text = s.text.replace(/\r\n?/g, '\n');
    switch (kinds[name]) {
      case 'button': case 'menu':
        setText(node, text);
        node.disabled = !s.enabled;
        node.hidden = !s.visible;
        break;
      case 'label': case 'heading': case 'wrap':
        setText(node, text);
        node.hidden = !s.visible;
        break;
      case 'group': setText(node.firstChild, text); break;
      case 'edit':
        if (node.value !== s.text) node.value = s.text;
        node.disabled = !s.enabled;
        break;
      case 'check': case 'radio':
        setText(node.lastChild, text);
        el[`${name}Box`].checked = s.checked;
        el[`${name}Box`].disabled = !s.enabled;
        break;
      case 'combo':
        node.selectedIndex = s.item;
        node.disabled = !s.enabled;
        break;
      case 'updown': for (const b of node.children) b.disabled = !s.enabled; break;
      case 'shape': node.style.left = `${s.left}px`; break;
      case 'line':
        node.style.left = `${s.left}px`;
        node.hidden = !s.visible;
        break;
      case 'stats': node.hidden = !s.visible; break;
      default: break;
    }
  }

  // Only what changed is written: most markers stand still from tick to tick.
  const shown = {};
  function showShape(node, s, inView) {
    const was = shown[node.id] ?? {};
    if (was.visible !== s.visible) node.hidden = !s.visible;
    // A hidden marker keeps the place it was last shown at.
    shown[node.id] = s.visible ? s : { ...was, visible: false };
    if (!s.visible) return;
    const st = node.style;
    if (was.left !== s.left) st.left = `${inView ? s.left - 13 : s.left}px`;
    if (was.top !== s.top) st.top = `${inView ? s.top - 11 : s.top}px`;
    if (was.width !== s.width) st.width = `${s.width}px`;
    if (was.height !== s.height) st.height = `${s.height}px`;
    if (was.fill !== s.fill) st.background = rgb(s.fill);
    if (was.outline !== s.outline || was.outlineWidth !== s.outlineWidth)
      st.border = s.outlineWidth > 0 ? `${s.outlineWidth}px solid ${rgb(s.outline)}` : 'none';
    if (was.circle !== s.circle) st.borderRadius = s.circle ? '50%' : '0';
    if (was.front !== s.front) st.zIndex = String(10 + (s.front % 100000));
    if (was.tag !== s.tag) node.dataset.tag = s.tag;
  }

  // A change from the layer: controls, marker shapes, the focus, the end.
  function changed(json) {
    const c = JSON.parse(json);
    for (const [name, s] of Object.entries(c.controls)) show(name, s);
    if (c.shapes) {
      for (const [id, shape] of Object.entries(c.shapes)) showShape(el[id], shape, /^Shape([1-9]|1\d|2[01])$/.test(id));
    }
    if (c.focus && el[c.focus]) {
      const node = kinds[c.focus] === 'check' || kinds[c.focus] === 'radio' ? el[`${c.focus}Box`] : el[c.focus];
      setTimeout(() => {
        node.focus();
        const s = states[c.focus];
        if (node.setSelectionRange && s && s.selLength > 0) node.setSelectionRange(s.selStart, s.selStart + s.selLength);
      }, 0);
    }
    if (c.cancelDrag) dragging = false;
    if (c.end) endProgram();
  }

  // ---- timers ---------------------------------------------------------------------------
  // They run as the layer's timer controls say.  Timer2 makes one step per
  // interval of the browser's clock; a late call makes up the steps it
  // missed (a few at most), so the run clock, which counts steps, keeps
  // pace with the wall clock.
  const timers = { Timer2: null, Timer3: null };
  const sim = { interval: 0, base: 0, done: 0 };

  function runTimers() {
    for (const name of ['Timer2', 'Timer3']) {
      const s = states[name];
      const on = s && s.enabled && !ended;
      const t = timers[name];
      if (t && (!on || t.interval !== s.value)) {
        clearInterval(t.handle);
        timers[name] = null;
      }
      if (on && !timers[name]) {
        timers[name] = { interval: s.value, handle: setInterval(name === 'Timer2' ? onTimer2 : onTimer3, s.value) };
        if (name === 'Timer2') Object.assign(sim, { interval: s.value, base: performance.now(), done: 0 });
      }
    }
  }

  function onTimer2() {
    const due = Math.floor((performance.now() - sim.base) / sim.interval) - sim.done;
    if (due > CATCH_UP) sim.done += due - CATCH_UP;  // a background tab: the rest is let go
    const count = Math.min(Math.max(due, 1), CATCH_UP);
    for (let k = 0; k < count && timers.Timer2 && !ended; k += 1) {
      sim.done += 1;
      face.timer2();
    }
  }

  function onTimer3() { if (!ended) face.timer3(); }

  // ---- dialogs --------------------------------------------------------------------------
  let openDialogs = 0;
  let dragging = false;

  function dialog(id, title, fill) {
    const d = document.createElement('dialog');
    d.id = id;
    d.append(Object.assign(document.createElement('div'), { className: 'title', textContent: title }));
    fill(d);
    document.body.append(d);
    return d;
  }

  // Shows a modal dialog until `finish` is called; the main window is not
  // active meanwhile, so its fields are not being typed in.
  function modal(d, focus, wire) {
    return new Promise((resolve) => {
      const finish = (value) => {
        d.close();
        openDialogs -= 1;
        if (!openDialogs) face.setWindowActive(true);
        resolve(value);
      };
      wire(finish);
      openDialogs += 1;
      face.setWindowActive(false);
      d.showModal();
      if (focus) focus.focus();
    });
  }

  // A message box; resolves with the index of the button pressed; Escape
  // answers with the last one.
  async function messageBox(title, text, buttons) {
    const d = dialog('message', title, (node) => {
      node.append(Object.assign(document.createElement('div'), { className: 'body', textContent: text }));
      const row = Object.assign(document.createElement('div'), { className: 'buttons' });
      for (const caption of buttons) row.append(Object.assign(document.createElement('button'), { textContent: caption }));
      node.append(row);
    });
    const answer = await modal(d, d.querySelector('.buttons button'), (finish) => {
      d.querySelectorAll('.buttons button').forEach((b, k) => b.addEventListener('click', () => finish(k)));
      d.addEventListener('cancel', (e) => { e.preventDefault(); finish(buttons.length - 1); });
    });
    d.remove();
    return answer;
  }

  // A name for a download, prefilled with the last one, with the filters
  // when there is a choice; resolves with { name, filterIndex } or null.
  async function askName(title, name, filters, filterIndex) {
    let input;
    let select = null;
    const d = dialog('name', title, (node) => {
      const body = Object.assign(document.createElement('div'), { className: 'body' });
      input = Object.assign(document.createElement('input'), { type: 'text', value: name, id: 'FileName' });
      body.append('Fájlnév: ', input);
      if (filters.length > 1) {
        select = Object.assign(document.createElement('select'), { id: 'FileType' });
        filters.forEach(([label], k) => select.append(new Option(label, String(k + 1))));
        select.value = String(filterIndex);
        body.append(document.createElement('br'), 'Típus: ', select);
      }
      node.append(body);
      const row = Object.assign(document.createElement('div'), { className: 'buttons' });
      row.append(Object.assign(document.createElement('button'), { textContent: 'Mentés', id: 'FileOK' }),
        Object.assign(document.createElement('button'), { textContent: 'Mégse', id: 'FileCancel' }));
      node.append(row);
    });
    const answer = await modal(d, null, (finish) => {
      const accept = () => {
        const value = plainName(input.value);
        if (value) finish({ name: value, filterIndex: select ? Number(select.value) : filterIndex });
        else input.select();
      };
      d.querySelector('#FileOK').addEventListener('click', accept);
      d.querySelector('#FileCancel').addEventListener('click', () => finish(null));
      input.addEventListener('keydown', (e) => { if (e.key === 'Enter') accept(); });
      d.addEventListener('cancel', (e) => { e.preventDefault(); finish(null); });
      setTimeout(() => input.select(), 0);
    });
    d.remove();
    return answer;
  }

  // The last part of a name, without the folders a user may have typed.
  function plainName(text) {
    const name = text.trim().split(/[\\/]/).pop();
    return name && name !== '.' && name !== '..' ? name : '';
  }

  // "Gyorsító adafájl|*.gydat|Minden fájl|*.*" as [[description, pattern], …].
  function filterList(filter) {
    const parts = filter.split('|');
    const out = [];
    for (let k = 0; k + 1 < parts.length; k += 2) out.push([parts[k], parts[k + 1]]);
    return out;
  }

  // ---- the dialogs of the layer's tables ------------------------------------------------
  // A dialog from its layout table, whose first row is the dialog itself:
  // its controls at their places with their fixed captions, their ids led
  // by `prefix`.
  function tableDialog(id, json, prefix) {
    const [win, ...rows] = JSON.parse(json);
    return dialog(id, win.text, (d) => {
      const body = Object.assign(document.createElement('div'), { className: 'table-body' });
      place(body, 0, 0, win.width, win.height);
      const nodes = {};
      for (const c of rows) {
        const node = create(PAGE_KINDS[c.kind] ?? c.kind, prefix + c.name);
        node.id = prefix + c.name;
        place(node, c.left, c.top, c.width, c.height);
        if (node.tagName === 'INPUT') node.value = c.text;
        else if (c.text) node.textContent = c.text;
        const hint = velox.hint(win.name, c.name);
        if (hint) node.title = hint;
        (c.parent ? nodes[c.parent] : body).append(node);
        nodes[c.name] = node;
      }
      d.append(body);
    });
  }

  let cavityDialog = null;
  function buildCavityDialog() { cavityDialog = tableDialog('cavity', velox.cavityDialogLayout(), 'Cavity'); }

  const cavityTexts = () => ['Edit1', 'Edit2', 'Edit3', 'Edit4'].map((id) => $(`Cavity${id}`).value);

  // Resolves with [result (0 OK, 1 Cancel, 2 the delete button), deleteConfirmed].
  let cavityDeleted = null;
  function runCavityDialog(id) {
    const d = cavityDialog;
    const listeners = [];
    const on = (node, type, f) => { node.addEventListener(type, f); listeners.push([node, type, f]); };
    return modal(d, $('CavityOKBtn'), (finish) => {
      const done = (value) => {
        for (const [node, type, f] of listeners) node.removeEventListener(type, f);
        finish(value);
      };
      const ok = () => {
        const refused = face.cavityOk(...cavityTexts());
        if (refused < 0) { done([0, false]); return; }
        const field = $(`CavityEdit${refused + 1}`);
        field.focus();
        field.select();
      };
      on($('CavityOKBtn'), 'click', ok);
      on($('CavityCancelBtn'), 'click', () => done([1, false]));
      // The layer asks its question and then closes the dialog as deleted.
      cavityDeleted = (confirmed) => done([2, confirmed]);
      on($('CavityButton1'), 'click', () => userAction(() => face.cavityDelete(id)));
      on(d, 'cancel', (e) => { e.preventDefault(); done([1, false]); });
      on(d, 'keydown', (e) => { if (e.key === 'Enter' && e.target.tagName === 'INPUT') { e.preventDefault(); ok(); } });
    });
  }

  // ---- the layer's questions, file choices and dialogs -----------------------------------------
  const lastNames = {};

  async function asked(id, json) {
    const q = JSON.parse(json);
    if (q.type === 'question') {
      let text = q.text;
      const pending = pendingDownloads();
      if (pending.length) text += `\n\n${pending.join(' és ')}: az OK gombra a böngésző letöltései közé kerül.`;
      const yesNo = q.kind === 'yesno';
      const k = await messageBox(q.title, text, yesNo ? ['Igen', 'Nem'] : ['OK']);
      userAction(() => face.answer(id, yesNo ? k : 2));
    } else if (q.type === 'cavityDeleted') {
      cavityDeleted?.(q.confirmed);
    } else if (q.type === 'cavity') {
      if (q.texts) ['Edit1', 'Edit2', 'Edit3', 'Edit4'].forEach((f, k) => { $(`Cavity${f}`).value = q.texts[k].t; });
      const [result, confirmed] = await runCavityDialog(id);
      userAction(() => face.cavityClosed(id, result, ...cavityTexts(), confirmed));
    } else if (q.kind === 'open') {
      const filters = filterList(q.filter);
      const file = await pickFile(filters[q.filterIndex - 1]?.[1].replace(/\*/g, '') ?? '');
      if (!file) { userAction(() => face.choiceCancelled(id)); return; }
      face.putFile(file.name, file.bytes);
      userAction(() => face.chosen(id, file.name, q.filterIndex));
    } else {
      const filters = filterList(q.filter);
      const key = q.kind === 'saveChoice' ? 'export' : q.defaultExt;
      const current = q.defaultExt === 'gydat' ? face.setupPath() : q.defaultExt === 'edat' ? face.resultsPath() : '';
      const answer = await askName(q.kind === 'saveChoice' ? 'Exportálás' : 'Mentés másként',
        lastNames[key] ?? (current || `velox.${q.defaultExt}`), q.kind === 'saveChoice' ? filters : [], q.filterIndex);
      if (!answer) { userAction(() => face.choiceCancelled(id)); return; }
      let { name } = answer;
      if (q.kind === 'save' && !/\.[^.]+$/.test(name)) name = `${name.replace(/\.+$/, '')}.${q.defaultExt}`;
      lastNames[key] = name;
      userAction(() => face.chosen(id, name, answer.filterIndex));
    }
  }

  // ---- files ------------------------------------------------------------------------------------
  let downloadQueue = [];

  function pendingDownloads() {
    downloadQueue.push(...face.takeDownloads());
    return downloadQueue.map((d) => d.name);
  }

  // A command from a user action: the files it wrote are downloaded now,
  // while the browser lets the page start downloads.
  function userAction(f) {
    if (ended && !downloadQueue.length) return undefined;
    const result = ended ? undefined : f();
    pendingDownloads();
    for (const d of downloadQueue) download(d.name, d.bytes);
    downloadQueue = [];
    return result;
  }

  function download(name, bytes, type = 'application/octet-stream') {
    const url = URL.createObjectURL(new Blob([bytes], { type }));
    const a = Object.assign(document.createElement('a'), { href: url, download: name });
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  // The browser's file picker; resolves with { name, bytes } or null.
  function pickFile(accept) {
    return new Promise((resolve) => {
      const picker = $('picker');
      picker.value = '';
      picker.accept = accept === '.' ? '' : accept;
      const onChange = async () => {
        picker.removeEventListener('change', onChange);
        const file = picker.files[0];
        resolve(file ? { name: file.name, bytes: new Uint8Array(await file.arrayBuffer()) } : null);
      };
      picker.addEventListener('change', onChange);
      picker.addEventListener('cancel', () => { picker.removeEventListener('change', onChange); resolve(null); }, { once: true });
      picker.click();
    });
  }

  // The export picture: both plots side by side at twice their size.
  function exportPng() {
    const scale = 2;
    const canvas = document.createElement('canvas');
    canvas.width = scale * (260 + 10 + 260);
    canvas.height = scale * 179;
    const ctx = canvas.getContext('2d');
    ctx.fillStyle = '#fff';
    ctx.fillRect(0, 0, canvas.width, canvas.height);
    const half = { canvas, width: 260, height: 179, font: PLOT_FONT };
    targets['export-left'] = { ...half, surface: makeSurface(half, scale, 0) };
    targets['export-right'] = { ...half, surface: makeSurface(half, scale, 270) };
    return () => {
      const data = atob(canvas.toDataURL('image/png').split(',')[1]);
      return Uint8Array.from(data, (ch) => ch.charCodeAt(0));
    };
  }

  // ---- exercise text and quit confirmation --------------------------------------------------
  async function showTask() {
    // Fetched afresh at every showing; a failed fetch is a missing file.
    let bytes = null;
    try {
      const response = await fetch('Velox.rtf', { cache: 'no-store' });
      if (response.ok) bytes = new Uint8Array(await response.arrayBuffer());
    } catch (e) {
      bytes = null;
    }
    face.putTaskFile(bytes ?? new Uint8Array(), bytes !== null);
    const d = tableDialog('task', velox.taskWindowLayout(), 'Task');
    const text = $('TaskRichEdit1');
    const twip = (v) => `${v / 15}px`;
    for (const p of velox.taskText(face)) {
      const para = document.createElement('p');
      para.style.cssText = `text-align:${p.align};margin:${twip(p.before)} ${twip(p.right)} ${twip(p.after)} ${twip(p.left)};` +
        `text-indent:${twip(p.first)};`;
      for (const r of p.runs) {
        const span = Object.assign(document.createElement('span'), { textContent: r.text });
        span.style.cssText = `font-size:${r.size * 4 / 3}px;${r.bold ? 'font-weight:bold;' : ''}` +
          `${r.italic ? 'font-style:italic;' : ''}${r.underline ? 'text-decoration:underline;' : ''}` +
          `${r.color !== undefined ? `color:${rgb(r.color)};` : ''}`;
        para.append(span);
      }
      text.append(para);
    }
    await modal(d, $('TaskButton1'), (finish) => {
      $('TaskButton1').addEventListener('click', () => finish());
      d.addEventListener('cancel', (e) => { e.preventDefault(); finish(); });
    });
    d.remove();
  }

  async function quit() {
    const d = tableDialog('quit', velox.quitDialogLayout(), 'Quit');
    const ok = await modal(d, $('QuitOKBtn'), (finish) => {
      $('QuitOKBtn').addEventListener('click', () => finish(true));
      $('QuitCancelBtn').addEventListener('click', () => finish(false));
      d.addEventListener('cancel', (e) => { e.preventDefault(); finish(false); });
    });
    d.remove();
    if (ok) endProgram();
  }

  // A page cannot close itself: the simulation stops and the page says so.
  function endProgram() {
    ended = true;
    runTimers();
    $('ended').hidden = false;
  }

  // ---- the controls' events -------------------------------------------------------------------
  function command(name) {
    if (name === 'Feladat1') showTask();
    else if (name === 'Vge1') quit();
    else userAction(() => face.click(name));
  }

  // A number field is left by Enter or by the focus moving to another
  // control of the page; a window or a dialog taking the focus is no leave.
  function wireField(node) {
    node.addEventListener('focus', () => face.focus(node.id));
    node.addEventListener('mouseup', () => node.select());
    node.addEventListener('input', () => face.typed(node.id, node.value));
    node.addEventListener('keydown', (e) => {
      if (e.key !== 'Enter') return;
      e.preventDefault();
      userAction(() => face.exit(node.id, true));
    });
    node.addEventListener('blur', (e) => {
      if (openDialogs || !e.relatedTarget || !$('client').contains(e.relatedTarget)) return;
      face.focus(e.relatedTarget.id.replace(/Box$/, ''));
      userAction(() => face.exit(node.id, false));
    });
  }

  function wire() {
    for (const [id, kind] of Object.entries(kinds)) {
      const node = el[id];
      if (kind === 'button') node.addEventListener('click', () => command(id));
      else if (kind === 'check') el[`${id}Box`].addEventListener('change', (e) => userAction(() => face.check(id, e.target.checked)));
      else if (kind === 'radio') el[`${id}Box`].addEventListener('click', () => userAction(() => face.click(id)));
      else if (kind === 'edit' && !node.readOnly) wireField(node);
      else if (kind === 'updown') {
        node.children[0].addEventListener('click', () => userAction(() => face.upDown(id, true)));
        node.children[1].addEventListener('click', () => userAction(() => face.upDown(id, false)));
      } else if (kind === 'stats') node.addEventListener('mouseup', (e) => {
        e.stopPropagation();
        userAction(() => face.click(e.target === node ? id : e.target.id));
      });
      if (kind === 'button' || kind === 'combo') node.addEventListener('focus', () => face.focus(id));
      if (kind === 'check' || kind === 'radio') el[`${id}Box`].addEventListener('focus', () => face.focus(id));
    }
    el.ComboBox1.addEventListener('change', () => userAction(() => face.comboChange(Number(el.ComboBox1.value))));
    for (const [panel, image] of [['Panel4', 'Image2'], ['Panel5', 'Image3']]) {
      el[panel].addEventListener('click', (e) => { if (!el[panel].querySelector('.stats').contains(e.target)) userAction(() => face.click(panel)); });
      el[image].addEventListener('mousedown', (e) => userAction(() => face.imageMouseDown(image, e.button === 2)));
      el[image].addEventListener('contextmenu', (e) => e.preventDefault());
    }
    // Alt + Left / Alt + Right move the chosen spectrum's marker; every key
    // pressed with Alt alone belongs to the window.
    window.addEventListener('keydown', (e) => {
      if (!e.altKey || e.ctrlKey || e.shiftKey || e.metaKey || openDialogs || ended) return;
      if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') userAction(() => face.key(e.key === 'ArrowRight'));
      e.preventDefault();
    }, true);
    wireMarkers();
  }

  // The target is dragged onto the view; a cavity marker's release of a
  // button other than the left one (which drags) opens its dialog.
  function wireMarkers() {
    const overView = (e) => {
      const r = el.Image1.getBoundingClientRect();
      return e.clientX >= r.left && e.clientX < r.right && e.clientY >= r.top && e.clientY < r.bottom &&
        document.elementsFromPoint(e.clientX, e.clientY)[0] !== el.Target;
    };
    el.Target.addEventListener('mousedown', (e) => {
      if (e.button !== 0 || ended) return;
      dragging = true;
      document.body.style.cursor = 'move';
      e.preventDefault();
    });
    window.addEventListener('mousemove', (e) => {
      if (dragging) document.body.style.cursor = overView(e) ? 'move' : 'no-drop';
    });
    window.addEventListener('mouseup', (e) => {
      if (e.button !== 0) return;
      document.body.style.cursor = '';
      if (!dragging) return;
      dragging = false;
      if (!overView(e)) return;
      const r = el.Image1.getBoundingClientRect();
      userAction(() => face.dropTarget(Math.floor((e.clientX - r.left) * targets.view.width / r.width)));
    });
    el.Markers.addEventListener('mouseup', (e) => {
      const marker = e.target.closest('.shape');
      if (marker && e.button !== 0 && !ended) userAction(() => face.shapeMouseUp(Number(marker.dataset.tag)));
    });
    el.Markers.addEventListener('contextmenu', (e) => e.preventDefault());
  }

  // ---- start-up -----------------------------------------------------------------------------
  // The start-up set-up beside the page: teszt02.gydat, or the plain file
  // name given as setup= in the page's address.
  function startFileName() {
    const asked2 = new URLSearchParams(window.location.search).get('setup');
    if (asked2 === null) return START_FILE;
    const plain = asked2 !== '' && !/[/\\:?#%]/.test(asked2) && asked2 !== '.' && !asked2.includes('..');
    if (!plain) console.warn(`setup=${asked2}: csak a lap melletti fájl neve adható meg; ${START_FILE} töltődik be.`);
    return plain ? asked2 : START_FILE;
  }

  async function fetchStartFile(name) {
    try {
      const response = await fetch(encodeURIComponent(name), { cache: 'no-store' });
      if (!response.ok) return null;
      return new Uint8Array(await response.arrayBuffer());
    } catch (e) {
      return null;
    }
  }

  async function start() {
    velox = await VeloxModule();
    // The export picture's canvas is made when the face starts drawing it.
    let exporting = null;
    Object.assign(velox, {
      veloxSelect: (name) => {
        if (name === 'export-left') exporting = exportPng();
        current = targets[name].surface;
      },
      veloxMeasure: measure,
      veloxSmallHeight: smallHeight,
      veloxChanged: changed,
      veloxAsk: (id, json) => { asked(id, json); },
      veloxExportPng: () => (exporting ? exporting() : new Uint8Array(0)),
    });
    Object.defineProperty(velox, 'veloxCanvas', { get: () => current });
    build();
    buildCavityDialog();
    fit();
    window.addEventListener('resize', fit);
    face = new velox.WebFace();
    const name = startFileName();
    const bytes = await fetchStartFile(name);
    if (bytes) face.putStartFile(bytes);
    changed(face.everything());
    wire();
    await new Promise((resolve) => { setTimeout(resolve, states.Timer1?.value ?? 100); });
    face.layout();
    face.activate();
    if (name !== START_FILE) face.setSetupPath(name);
    window.veloxPage = { face, module: velox, ready: true };
  }

  start();
})();
