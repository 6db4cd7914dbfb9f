// The main window as a page.  The module's WebFace holds the model and every
// rule of the window; this script builds the controls, forwards their
// events, shows the state the face reports, runs the timers from the
// browser's clock, draws the face's pictures on canvases at the device pixel
// ratio and moves files between the page and the user.
'use strict';

(() => {
  // ---- the window's controls, at their places in client coordinates --------
  // [kind, id, parent, left, top, width, height, caption]
  const LAYOUT = [
    ['bar', 'Shape48', '', 7, 5, 620, 5], ['bar', 'Shape49', '', 7, 373, 620, 5],
    ['bar', 'Shape46', '', 7, 5, 5, 373], ['bar', 'Shape47', '', 622, 5, 5, 373],
    ['bevel', 'Bevel1', '', 12, 10, 610, 363],
    ['canvas', 'Image1', '', 13, 11, 607, 360, 'view'],
    ['clip', 'Markers', '', 13, 11, 607, 360],

    ['panel', 'Panel1', '', 7, 384, 166, 193], ['heading', 'Label1', 'Panel1', 8, 8, 0, 0, 'Gyorsító'],
    ['button', 'Button4', 'Panel1', 13, 33, 140, 25, 'Új gyorsítóüreg'],
    ['label', 'Label5', 'Panel1', 9, 73, 0, 0, 'Frekvencia:'], ['edit', 'Edit2', 'Panel1', 84, 70, 44, 21],
    ['updown', 'UpDown1', 'Panel1', 129, 70, 16, 21],
    ['label', 'Label6', 'Panel1', 9, 100, 0, 0, 'Gyorsítófesz: '], ['edit', 'Edit4', 'Panel1', 85, 97, 42, 21],
    ['updown', 'UpDown2', 'Panel1', 128, 97, 16, 21],
    ['group', 'GroupBox3', 'Panel1', 13, 119, 146, 66, 'Aktuális állapot'],
    ['label', 'Label25', 'GroupBox3', 6, 14, 136, 13, 'Feszültség ='],
    ['label', 'Label26', 'GroupBox3', 6, 33, 136, 13, 'Fázis ='],

    ['panel', 'Panel11', '', 178, 384, 136, 193], ['heading', 'Label27', 'Panel11', 8, 8, 0, 0, 'Ionforrás'],
    ['canvas', 'Image4', 'Panel11', 15, 33, 107, 61, 'phase'],
    ['shape', 'Shape50', 'Panel11', 119, 94, 2, 5], ['shape', 'Shape51', 'Panel11', 34, 94, 2, 5],
    ['shape', 'Shape52', 'Panel11', 17, 33, 1, 61],
    ['label', 'Label28', 'Panel11', 8, 98, 122, 26, 'Részecskebelövés\nfázisszöge (fok)'],
    ['label', 'Label30', 'Panel11', 18, 123, 0, 0, 'Kezdő'], ['label', 'Label3', 'Panel11', 77, 123, 0, 0, 'Végső'],
    ['edit', 'Edit13', 'Panel11', 18, 137, 36, 21], ['edit', 'Edit14', 'Panel11', 77, 137, 36, 21],
    ['check', 'CheckBox1', 'Panel11', 19, 163, 110, 16, 'Több részecske'],

    ['panel', 'Panel3', '', 320, 384, 133, 193], ['heading', 'Label2', 'Panel3', 8, 8, 0, 0, 'Szimuláció'],
    ['label', 'Label4', 'Panel3', 17, 34, 0, 0, 'Sebesség'], ['combo', 'ComboBox1', 'Panel3', 78, 31, 45, 21],
    ['label', 'Label29', 'Panel3', 17, 59, 0, 0, 'Idő:'], ['edit', 'Edit15', 'Panel3', 42, 56, 81, 21],
    ['button', 'Button2', 'Panel3', 17, 87, 98, 25, 'Egy lépés'],
    ['button', 'Button1', 'Panel3', 17, 120, 98, 25, 'Folytatás'],
    ['button', 'Button3', 'Panel3', 17, 153, 98, 25, 'Újraindít'],

    ['panel', 'Panel10', '', 456, 384, 169, 193], ['heading', 'Label24', 'Panel10', 8, 8, 0, 0, 'Tájékoztató adatok'],
    ['group', 'GroupBox1', 'Panel10', 15, 31, 151, 60, 'Beérkező részecske'],
    ['label', 'Label21', 'GroupBox1', 4, 13, 146, 13, 'E = 0.000'],
    ['label', 'Label22', 'GroupBox1', 4, 31, 146, 13, 't = 0.000'],
    ['group', 'GroupBox2', 'Panel10', 15, 96, 151, 88, 'Általános adatok'],
    ['label', 'Label18', 'GroupBox2', 4, 13, 146, 13, 'Emax ='],
    ['label', 'Label20', 'GroupBox2', 4, 33, 146, 28, 'Összes indított ='],

    ['panel', 'Panel2', '', 642, 5, 297, 572],
    ['check', 'CheckBox4', 'Panel2', 16, 544, 110, 16, 'Teszt üzemmód'],
    ['label', 'Label7', 'Panel2', 134, 546, 0, 0, 'Eredmények'],
    ['button', 'Button5', 'Panel2', 208, 538, 75, 25, 'Törlés'],
  ];

  // The two spectrum areas of "Eredmények": strips, plot and fields.
  const SPECTRA = [
    { upper: [10, 6], plot: [12, 36], lower: [11, 230], line: 82, choice: 'Energia', radio: 'RadioButton1',
      auto: 'CheckBox2', fields: { Ymax: 'Edit10', Xmin: 'Edit6', Xmax: 'Edit5', 'Csat.': 'Edit9' }, key: 'E' },
    { upper: [12, 273], plot: [12, 307], lower: [12, 499], line: 76, choice: 'Ido', radio: 'RadioButton2',
      auto: 'CheckBox3', fields: { Ymax: 'Edit12', Xmin: 'Edit8', Xmax: 'Edit7', 'Csat.': 'Edit11' }, key: 'T' },
  ];
  SPECTRA.forEach((s, i) => {
    const n = `S${i}`;
    LAYOUT.push(
      ['panel', `${n}Upper`, 'Panel2', s.upper[0], s.upper[1], 281, 28],
      ['label', `${n}YmaxLabel`, `${n}Upper`, 5, 8, 0, 0, 'Ymax'],
      ['edit', s.fields.Ymax, `${n}Upper`, 36, 4, 36, 21],
      ['check', s.auto, `${n}Upper`, 78, 6, 50, 16, 'Auto'],
      ['radio', s.radio, `${n}Upper`, 130, 6, 70, 16, s.choice],
      ['label', `${n}WidthLabel`, `${n}Upper`, 204, 8, 0, 0, 'Csat.:'],
      ['edit', s.fields['Csat.'], `${n}Upper`, 238, 4, 38, 21],
      ['panel', `${n}Plot`, 'Panel2', s.plot[0], s.plot[1], 279, 197],
      ['bevel', `${n}Frame`, `${n}Plot`, 4, 4, 270, 189],
      ['canvas', `${n}Image`, `${n}Plot`, 6, 6, 260, 179, i ? 'time' : 'energy'],
      ['line', `${n}Line`, `${n}Plot`, s.line, 4, 1, 189],
      ['stats', `${n}Stats`, `${n}Plot`, 140, 12, 126, 52],
      ['panel', `${n}Lower`, 'Panel2', s.lower[0], s.lower[1], 281, 30],
      ['label', `${n}XminLabel`, `${n}Lower`, 5, 8, 0, 0, 'Xmin'],
      ['edit', s.fields.Xmin, `${n}Lower`, 36, 5, 36, 21],
      ['label', `MarkerX${i}`, `${n}Lower`, 82, 8, 56, 13, 'X='],
      ['label', `MarkerY${i}`, `${n}Lower`, 140, 8, 56, 13, 'Y='],
      ['label', `${n}XmaxLabel`, `${n}Lower`, 200, 8, 0, 0, 'Xmax'],
      ['edit', s.fields.Xmax, `${n}Lower`, 238, 5, 38, 21]);
  });

  const MENU = [
    ['Feladat', 'Feladat1'],
    ['Gyorsító adatai', [['Mentés', 'Kirs1'], ['Mentés másként', 'Kirsmsknt1'], ['Betöltés', 'Betlts1']]],
    ['Eredmények', [['Kiírás', 'Kirs2'], ['Kiírás másként', 'Kirsmsknt2'], ['Betöltés', 'Betlts2'],
      ['Exportálás…', 'Exportls1']]],
    ['Vége', 'Vge1'],
  ];

  const APP_WIDTH = 950;
  const APP_HEIGHT = 602;
  const MAIN_FONT = 11;   // pixels, the window's face
  const PLOT_FONT = 8;    // pixels, the plots' face
  const FACE = '"DejaVu Sans", Verdana, sans-serif';
  const START_FILE = 'teszt02.gydat';
  const CATCH_UP = 50;    // most ticks made up in one timer call

  const $ = (id) => document.getElementById(id);
  const el = {};
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

  function build() {
    for (const [kind, id, parent, left, top, width, height, caption] of LAYOUT) {
      let node;
      switch (kind) {
        case 'panel': case 'bevel': case 'bar': case 'clip': case 'shape':
          node = document.createElement('div');
          node.className = kind;
          break;
        case 'line':
          node = document.createElement('div');
          node.className = 'marker-line';
          break;
        case 'heading': case 'label':
          node = document.createElement('div');
          node.className = kind;
          node.textContent = caption;
          break;
        case 'group':
          node = document.createElement('fieldset');
          node.className = 'group';
          node.append(Object.assign(document.createElement('legend'), { textContent: caption }));
          break;
        case 'edit':
          node = Object.assign(document.createElement('input'), { type: 'text', className: 'edit', spellcheck: false });
          break;
        case 'button':
          node = Object.assign(document.createElement('button'), { className: 'button', textContent: caption });
          break;
        case 'check': case 'radio': {
          node = document.createElement('label');
          node.className = kind;
          const box = Object.assign(document.createElement('input'), { type: kind === 'check' ? 'checkbox' : 'radio' });
          node.append(box, caption);
          box.id = `${id}Box`;
          el[box.id] = box;
          break;
        }
        case 'combo':
          node = Object.assign(document.createElement('select'), { className: 'combo' });
          for (let k = 1; k <= 5; k += 1) node.append(new Option(String(k), String(k - 1)));
          break;
        case 'updown':
          node = document.createElement('div');
          node.className = 'updown';
          node.append(Object.assign(document.createElement('button'), { textContent: '▲', tabIndex: -1 }),
            Object.assign(document.createElement('button'), { textContent: '▼', tabIndex: -1 }));
          break;
        case 'canvas':
          node = Object.assign(document.createElement('canvas'), { className: 'image' });
          node.dataset.width = width;
          node.dataset.height = height;
          targets[caption] = { canvas: node, width, height, font: caption === 'energy' || caption === 'time' ? PLOT_FONT : MAIN_FONT };
          break;
        case 'stats':
          node = document.createElement('div');
          node.className = 'stats';
          node.hidden = true;
          for (const [k, top2] of [[0, 4], [1, 19], [2, 34]]) {
            const line = document.createElement('div');
            line.style.top = `${top2}px`;
            line.dataset.index = k;
            node.append(line);
          }
          break;
        default:
          throw new Error(kind);
      }
      node.id = id;
      place(node, left, top, width, height);
      (parent ? el[parent] : $('client')).append(node);
      el[id] = node;
    }
    el.S0Plot.classList.add('plot');
    el.S1Plot.classList.add('plot');
    el.Edit2.readOnly = true;
    el.Edit4.readOnly = true;
    el.Edit15.readOnly = true;
    for (let k = 1; k <= 42; k += 1) {
      const shape = document.createElement('div');
      shape.className = 'shape';
      shape.id = `Shape${k}`;
      shape.hidden = true;
      (k <= 21 ? el.Markers : $('client')).append(shape);
      el[shape.id] = shape;
    }
    const target = Object.assign(document.createElement('div'), { className: 'shape', id: 'Target' });
    $('client').append(target);
    el.Target = target;
    el.Shape50.style.background = '#000';
    el.Shape51.style.background = '#000';
    el.Shape52.style.background = '#f00';
    for (const [id, look] of Object.entries({ S0Line: 0, S1Line: 1 })) el[id].dataset.which = look;
    buildMenu();
    for (const node of document.querySelectorAll('#client [id]')) {
      const hint = velox.hint('Form1', node.id);
      if (hint) node.title = hint;
    }
  }

  function buildMenu() {
    const bar = $('menu');
    for (const [caption, item] of MENU) {
      const holder = document.createElement('div');
      const top = Object.assign(document.createElement('button'), { textContent: caption });
      holder.append(top);
      if (Array.isArray(item)) {
        const items = Object.assign(document.createElement('div'), { className: 'items' });
        for (const [sub, id] of item) {
          const b = Object.assign(document.createElement('button'), { textContent: sub, id });
          b.addEventListener('click', () => { closeMenus(); commands[id](); });
          items.append(b);
          el[id] = b;
        }
        holder.append(items);
        top.addEventListener('click', (e) => {
          const open = holder.classList.contains('open');
          closeMenus();
          if (!open) holder.classList.add('open');
          e.stopPropagation();
        });
      } else {
        top.id = item;
        el[item] = top;
        top.addEventListener('click', () => { closeMenus(); commands[item](); });
      }
      bar.append(holder);
    }
    document.addEventListener('click', closeMenus);
  }

  function closeMenus() {
    for (const m of document.querySelectorAll('#menu .open')) m.classList.remove('open');
  }

  // ---- canvases: the face draws, the page maps to device pixels ------------------
  const targets = {};
  let current = null;

  function rgb(c) { return `rgb(${(c >> 16) & 255},${(c >> 8) & 255},${c & 255})`; }

  // A drawing target: a canvas, the scale from logical to device pixels and
  // the logical origin of the picture on it.
  function makeSurface(target, scale, originX) {
    const ctx = target.canvas.getContext('2d');
    let pen = { colour: 0, width: 1 };
    let path = [];
    const X = (x) => Math.round((x + originX) * scale);
    const Y = (y) => Math.round(y * scale);
    const fontPx = target.font * scale;
    ctx.font = `${fontPx}px ${FACE}`;
    if ('letterSpacing' in ctx) ctx.letterSpacing = target.font === MAIN_FONT ? `${-0.4 * scale}px` : '0px';
    ctx.textBaseline = 'alphabetic';
    const probe = ctx.measureText('ÁÉgjpy|');
    const ascent = Math.ceil(probe.fontBoundingBoxAscent ?? fontPx * 0.93);
    const descent = Math.ceil(probe.fontBoundingBoxDescent ?? fontPx * 0.24);
    const flush = () => {
      if (path.length >= 2) {
        const w = Math.max(1, Math.round(pen.width * scale));
        const shift = w % 2 ? 0.5 : 0;
        ctx.lineWidth = w;
        ctx.lineCap = 'square';
        ctx.lineJoin = 'miter';
        ctx.strokeStyle = rgb(pen.colour);
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
        ctx.lineWidth = w;
        ctx.strokeStyle = rgb(pen.colour);
        ctx.stroke();
      },
      textOut(x, y, text, fg, bg) {
        flush();
        if (bg >= 0) {
          ctx.fillStyle = rgb(bg);
          ctx.fillRect(X(x), Y(y), Math.ceil(ctx.measureText(text).width), ascent + descent);
        }
        ctx.fillStyle = rgb(fg);
        ctx.fillText(text, X(x), Y(y) + ascent);
      },
      textWidth(text) { return Math.round(ctx.measureText(text).width / scale); },
      textHeight() { return Math.round((ascent + descent) / scale); },
    };
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

  function select(name) {
    current = targets[name].surface;
  }

  // ---- fitting the page to the browser window ------------------------------------
  function fit() {
    zoom = Math.min(window.innerWidth / APP_WIDTH, window.innerHeight / APP_HEIGHT);
    if (!(zoom > 0)) zoom = 1;
    $('app').style.zoom = String(zoom);
    sizeCanvases();
    if (face) {
      face.drawView();
      face.drawPhase();
      face.repaint(0);
      face.repaint(1);
      render();
    }
  }

  // ---- showing the state ------------------------------------------------------------
  let lastState = null;

  function setText(node, text) {
    if (node.textContent !== text) node.textContent = text;
  }

  function setField(node, text) {
    if (document.activeElement === node && !openDialog) return;
    if (node.value !== text) node.value = text;
  }

  function render() {
    const s = JSON.parse(face.state());
    lastState = s;
    if (document.title !== s.title) document.title = s.title;
    const en = s.enabled;
    for (const id of ['Button1', 'Button2', 'Button3', 'Button4', 'Button5', 'Edit13', 'Edit14']) el[id].disabled = !en[id];
    for (const id of ['UpDown1', 'UpDown2']) for (const b of el[id].children) b.disabled = !en[id];
    for (const id of ['Betlts1', 'Betlts2', 'Exportls1']) el[id].disabled = !en.Load;
    setText(el.Button1, s.text.Button1);
    for (const id of ['Edit2', 'Edit4', 'Edit13', 'Edit14', 'Edit15']) setField(el[id], s.text[id]);
    for (const id of ['Label25', 'Label26', 'Label18', 'Label21', 'Label22', 'MarkerX0', 'MarkerY0', 'MarkerX1', 'MarkerY1'])
      setText(el[id], s.text[id]);
    setText(el.Label20, s.text.Label20.replace(/\r/g, '\n'));
    for (const sp of SPECTRA) for (const id of Object.values(sp.fields)) setField(el[id], s.text[id]);
    for (const id of ['CheckBox1', 'CheckBox2', 'CheckBox3', 'CheckBox4', 'RadioButton1', 'RadioButton2'])
      el[`${id}Box`].checked = s.checked[id];
    el.ComboBox1.value = String(s.speed);
    SPECTRA.forEach((sp, i) => {
      const line = el[`S${i}Line`];
      line.hidden = !s.checked[sp.radio];
      line.style.left = `${6 + s.markerLines[i]}px`;
    });
    el.Shape52.style.left = `${s.phase.cursor}px`;
    el.Shape50.style.left = `${s.phase.start}px`;
    el.Shape51.style.left = `${s.phase.stop}px`;
    for (const [id, shape] of Object.entries(s.shapes)) showShape(el[id], shape, id.startsWith('Shape') && Number(id.slice(5)) <= 21);
    scheduleSimTimer();
  }

  function showShape(node, s, inView) {
    node.hidden = !s.visible;
    if (!s.visible) return;
    const left = inView ? s.left - 13 : s.left;
    const top = inView ? s.top - 11 : s.top;
    const st = node.style;
    st.left = `${left}px`;
    st.top = `${top}px`;
    st.width = `${s.width}px`;
    st.height = `${s.height}px`;
    st.background = rgb(s.fill);
    st.border = s.outlineWidth > 0 ? `${s.outlineWidth}px solid ${rgb(s.outline)}` : 'none';
    st.borderRadius = s.circle ? '50%' : '0';
    st.zIndex = String(10 + (s.front % 100000));
    node.dataset.tag = s.tag;
  }

  // ---- timers -------------------------------------------------------------------------
  // SimTimer: one step per interval of the browser's clock; a late call
  // makes up the steps it missed (a few at most), so the run clock, which
  // counts steps, keeps pace with the wall clock.
  let simTimer = null;
  let simInterval = 0;
  let simBase = 0;
  let simDone = 0;

  function scheduleSimTimer() {
    const running = face.running() && !ended;
    const interval = face.interval();
    if (!running) {
      if (simTimer !== null) clearInterval(simTimer);
      simTimer = null;
      return;
    }
    if (simTimer !== null && interval === simInterval) return;
    if (simTimer !== null) clearInterval(simTimer);
    simInterval = interval;
    simBase = performance.now();
    simDone = 0;
    simTimer = setInterval(onSimTimer, interval);
  }

  function onSimTimer() {
    const due = Math.floor((performance.now() - simBase) / simInterval) - simDone;
    const count = Math.min(Math.max(due, 1), CATCH_UP);
    if (due > CATCH_UP) simDone += due - CATCH_UP;  // a background tab: the rest is let go
    for (let k = 0; k < count; k += 1) {
      simDone += 1;
      if (face.tick()) {
        face.drawView();
        render();
        timedRunEnded();
        return;
      }
      if (!face.running()) break;
    }
    face.drawView();
    render();
  }

  // Timer3: the spectra that hold counts, once a second.
  function onSpectrumTimer() {
    if (!ended) face.redrawCounted();
  }

  // ---- dialogs --------------------------------------------------------------------------
  let openDialog = null;

  function dialog(id, title, build2) {
    const d = document.createElement('dialog');
    d.id = id;
    const head = Object.assign(document.createElement('div'), { className: 'title', textContent: title });
    d.append(head);
    build2(d);
    document.body.append(d);
    return d;
  }

  // A modal message box; resolves with the caption of the button pressed
  // ("Igen", "Nem", "OK"); Escape answers with the last button.
  function messageBox(title, text, buttons) {
    return new Promise((resolve) => {
      const d = dialog('message', title, (node) => {
        node.append(Object.assign(document.createElement('div'), { className: 'body', textContent: text }));
        const row = Object.assign(document.createElement('div'), { className: 'buttons' });
        for (const caption of buttons) {
          const b = Object.assign(document.createElement('button'), { textContent: caption });
          b.addEventListener('click', () => finish(caption));
          row.append(b);
        }
        node.append(row);
      });
      const previous = openDialog;
      const finish = (answer) => {
        d.close();
        d.remove();
        openDialog = previous;
        resolve(answer);
      };
      d.addEventListener('cancel', (e) => { e.preventDefault(); finish(buttons[buttons.length - 1]); });
      openDialog = d;
      d.showModal();
      d.querySelector('.buttons button').focus();
    });
  }

  const ask = async (text, title = '*** MEGEROSÍTÉS ***') => (await messageBox(title, text, ['Igen', 'Nem'])) === 'Igen';
  const inform = (text, title) => messageBox(title, text, ['OK']);

  function showNotice(json) {
    const n = JSON.parse(json);
    if (n.text) return inform(n.text, n.title);
    return Promise.resolve();
  }

  // A name for a download, prefilled with the last one; null when cancelled.
  function askName(title, name) {
    return new Promise((resolve) => {
      let input;
      const d = dialog('name', title, (node) => {
        const body = Object.assign(document.createElement('div'), { className: 'body' });
        body.append('Fájlnév: ');
        input = Object.assign(document.createElement('input'), { type: 'text', value: name });
        body.append(input);
        node.append(body);
        const row = Object.assign(document.createElement('div'), { className: 'buttons' });
        row.append(Object.assign(document.createElement('button'), { textContent: 'Mentés', id: 'nameOk' }),
          Object.assign(document.createElement('button'), { textContent: 'Mégse', id: 'nameCancel' }));
        node.append(row);
      });
      const previous = openDialog;
      const finish = (value) => { d.close(); d.remove(); openDialog = previous; resolve(value); };
      const accept = () => {
        const value = plainName(input.value);
        if (value) finish(value); else input.select();
      };
      d.querySelector('#nameOk').addEventListener('click', accept);
      d.querySelector('#nameCancel').addEventListener('click', () => finish(null));
      input.addEventListener('keydown', (e) => { if (e.key === 'Enter') accept(); });
      d.addEventListener('cancel', (e) => { e.preventDefault(); finish(null); });
      openDialog = d;
      d.showModal();
      input.select();
    });
  }

  // The last part of a name, without the folders a user may have typed.
  function plainName(text) {
    const name = text.trim().split(/[\\/]/).pop();
    return name && name !== '.' && name !== '..' ? name : '';
  }

  function withSuffix(name, suffix) {
    return /\.[^.]+$/.test(name) ? name : `${name.replace(/\.+$/, '')}.${suffix}`;
  }

  // ---- the cavity dialog ---------------------------------------------------------------
  const CAVITY_FIELDS = [
    ['Gyorsító elektróda ', [['Add meg az új hézagot: ', 'Edit2'], ['Add meg az új szélességet: ', 'Edit1']]],
    ['Földpotenciálon lévo elektróda ', [['Add meg az új hézagot: ', 'Edit3'], ['Add meg az új szélességet: ', 'Edit4']]],
  ];
  let cavityDialog = null;

  function buildCavityDialog() {
    cavityDialog = dialog('cavity', 'Gyorsítóüreg', (node) => {
      const body = Object.assign(document.createElement('div'), { className: 'body' });
      body.style.display = 'flex';
      body.style.gap = '8px';
      const panel = Object.assign(document.createElement('div'), { className: 'panel' });
      panel.style.cssText = 'width:267px;height:213px;color:#fff;padding:6px 8px;';
      CAVITY_FIELDS.forEach(([heading, rows], k) => {
        const h = Object.assign(document.createElement('div'), { textContent: heading });
        h.style.cssText = 'font-weight:bold;margin:4px 0 6px;';
        panel.append(h);
        for (const [caption, id] of rows) {
          const row = document.createElement('div');
          row.style.cssText = 'display:flex;justify-content:space-between;align-items:center;margin:3px 0;';
          const input = Object.assign(document.createElement('input'), { type: 'text', value: '10', id: `Cavity${id}` });
          input.style.cssText = 'width:57px;height:21px;font:inherit;text-align:right;';
          input.title = velox.hint('UregAdatDlg', id);
          row.append(caption, input);
          panel.append(row);
        }
        if (k === 0) {
          const del = Object.assign(document.createElement('button'), { textContent: 'Töröld  mindkét elektródát', id: 'CavityButton1' });
          del.style.cssText = 'display:block;margin:6px auto 10px;width:175px;height:25px;font:inherit;';
          panel.append(del);
        }
      });
      const side = document.createElement('div');
      side.style.cssText = 'display:flex;flex-direction:column;gap:6px;';
      side.append(Object.assign(document.createElement('button'), { textContent: 'OK', id: 'CavityOK' }),
        Object.assign(document.createElement('button'), { textContent: 'Cancel', id: 'CavityCancel' }));
      for (const b of side.children) b.style.cssText = 'width:75px;height:25px;font:inherit;';
      body.append(panel, side);
      node.append(body);
    });
  }

  const cavityTexts = () => ['Edit1', 'Edit2', 'Edit3', 'Edit4'].map((id) => $(`Cavity${id}`).value);

  // Resolves with 'ok' (the four texts passed), 'cancel' or 'delete' (with
  // the answer to the delete question).
  function runCavityDialog() {
    return new Promise((resolve) => {
      const d = cavityDialog;
      const previous = openDialog;
      const finish = (how, yes) => {
        d.close();
        openDialog = previous;
        cleanup();
        resolve({ how, yes, texts: cavityTexts() });
      };
      const ok = () => {
        const refused = face.firstRefused(...cavityTexts());
        if (refused < 0) { finish('ok'); return; }
        const field = $(`CavityEdit${refused + 1}`);
        field.focus();
        field.select();
      };
      const cancel = () => finish('cancel');
      const del = async () => {
        const yes = await ask('Valóban törölni akarod ezeket az elektródákat?');
        finish('delete', yes);
      };
      const onCancel = (e) => { e.preventDefault(); cancel(); };
      const onKey = (e) => { if (e.key === 'Enter' && e.target.tagName === 'INPUT') { e.preventDefault(); ok(); } };
      const okButton = $('CavityOK');
      const cancelButton = $('CavityCancel');
      const delButton = $('CavityButton1');
      okButton.addEventListener('click', ok);
      cancelButton.addEventListener('click', cancel);
      delButton.addEventListener('click', del);
      d.addEventListener('cancel', onCancel);
      d.addEventListener('keydown', onKey);
      function cleanup() {
        okButton.removeEventListener('click', ok);
        cancelButton.removeEventListener('click', cancel);
        delButton.removeEventListener('click', del);
        d.removeEventListener('cancel', onCancel);
        d.removeEventListener('keydown', onKey);
      }
      openDialog = d;
      d.showModal();
      okButton.focus();
    });
  }

  async function editCavity(index) {
    const texts = JSON.parse(face.cavityTexts(index));
    if (!texts.length || openDialog) return;
    ['Edit1', 'Edit2', 'Edit3', 'Edit4'].forEach((id, k) => { $(`Cavity${id}`).value = texts[k]; });
    const answer = await runCavityDialog();
    if (answer.how === 'ok') face.editCavity(index, ...answer.texts);
    else if (answer.how === 'delete' && answer.yes) face.deleteCavity(index);
    else face.cavityDialogClosed();
    render();
  }

  async function addCavity() {
    const answer = await runCavityDialog();
    if (answer.how !== 'ok') return;
    const outcome = face.addCavity(...answer.texts);
    render();
    if (outcome === 1) await inform('Nem lehet ilyen sok gyorsítóelektródot alkalmazni!', '*** TÁJÉKOZTATÁS ***');
  }

  // ---- exercise text and quit confirmation --------------------------------------------------
  async function showTask() {
    let bytes = null;
    try {
      const response = await fetch('Velox.rtf', { cache: 'no-store' });
      if (response.ok) bytes = new Uint8Array(await response.arrayBuffer());
    } catch (e) {
      bytes = null;
    }
    if (!bytes) {
      await inform('A feladat szövegét nem sikerült beolvasni:\nVelox.rtf', '*** HIBA ***');
      return;
    }
    const d = dialog('task', 'Feladat', (node) => {
      const text = Object.assign(document.createElement('div'), { className: 'text' });
      for (const p of velox.readRtf(bytes)) {
        const para = document.createElement('p');
        const twip = (v) => `${v / 15}px`;
        para.style.cssText = `text-align:${p.align};margin:${twip(p.before)} ${twip(p.right)} ${twip(p.after)} ${twip(p.left)};` +
          `text-indent:${twip(p.first)};min-height:1em;`;
        for (const r of p.runs) {
          const span = document.createElement('span');
          span.textContent = r.text;
          span.style.cssText = `font-size:${r.size * 4 / 3}px;white-space:pre-wrap;` +
            `${r.bold ? 'font-weight:bold;' : ''}${r.italic ? 'font-style:italic;' : ''}` +
            `${r.underline ? 'text-decoration:underline;' : ''}${r.color !== undefined ? `color:${rgb(r.color)};` : ''}`;
          para.append(span);
        }
        text.append(para);
      }
      const row = Object.assign(document.createElement('div'), { className: 'buttons' });
      row.append(Object.assign(document.createElement('button'), { textContent: 'Vissza', id: 'TaskBack' }));
      node.append(text, row);
    });
    const previous = openDialog;
    openDialog = d;
    await new Promise((resolve) => {
      d.querySelector('#TaskBack').addEventListener('click', resolve);
      d.addEventListener('cancel', (e) => { e.preventDefault(); resolve(); });
      d.showModal();
    });
    d.close();
    d.remove();
    openDialog = previous;
  }

  async function quit() {
    const answer = await messageBox('FIGYELMEZTETÉS! ', 'El vannak mentve az eredmények?  Kiléphetünk? ', ['OK', 'Cancel']);
    if (answer === 'OK') endProgram();
  }

  // A page cannot close itself: the simulation stops and the page says so.
  function endProgram() {
    ended = true;
    scheduleSimTimer();
    $('ended').hidden = false;
  }

  // ---- files ------------------------------------------------------------------------------------
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
      picker.accept = accept;
      const onChange = async () => {
        picker.removeEventListener('change', onChange);
        const file = picker.files[0];
        resolve(file ? { name: file.name, bytes: new Uint8Array(await file.arrayBuffer()) } : null);
      };
      picker.addEventListener('change', onChange);
      picker.addEventListener('cancel', () => resolve(null), { once: true });
      picker.click();
    });
  }

  async function saveSetup(asNew) {
    let name = face.setupName();
    if (asNew || !name) {
      name = await askName('Gyorsító adatai – mentés másként', name || 'gyorsito.gydat');
      if (!name) return;
      name = withSuffix(name, 'gydat');
      face.setSetupName(name);
    }
    download(name, face.setupBytes());
  }

  async function saveResults(asNew) {
    let name = face.resultsName();
    if (asNew || !name) {
      name = await askName('Eredmények – kiírás másként', name || 'eredmeny.edat');
      if (!name) return;
      name = withSuffix(name, 'edat');
      face.setResultsName(name);
    }
    download(name, face.resultsBytes());
  }

  let exportName = 'eredmeny.csv';

  async function exportResults() {
    const asked = await askName('Exportálás (.csv: táblázat, .png: kép)', exportName);
    if (!asked) return;
    const target = JSON.parse(face.exportTarget(asked, /\.png$/i.test(asked)));
    exportName = target.name;
    if (!target.png) {
      download(target.name, face.csvBytes(), 'text/csv');
      return;
    }
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
    face.drawExportPicture();
    canvas.toBlob((blob) => download(target.name, blob, 'image/png'), 'image/png');
  }

  async function loadSetup() {
    const file = await pickFile('.gydat');
    if (!file) return;
    const notice = face.loadSetup(file.name, file.bytes);
    render();
    await showNotice(notice);
  }

  async function loadResults() {
    const file = await pickFile('.edat');
    if (!file) return;
    const notice = face.loadResults(file.name, file.bytes);
    render();
    await showNotice(notice);
  }

  // The end of the timed run: the OK of the end message starts both
  // downloads, one user action that the browser lets download two files.
  async function timedRunEnded() {
    await inform('Az adatok kiírásra kerültek\n\nAz OK gomb a VELOX_2013.gydat és a VELOX_2013.edat fájlt ' +
      'a böngésző letöltései közé menti.', '*** INFORMÁCIÓ ***');
    download('VELOX_2013.gydat', face.endSetupBytes());
    download('VELOX_2013.edat', face.endResultsBytes());
    endProgram();
  }

  // ---- commands -------------------------------------------------------------------------------
  const commands = {
    Feladat1: showTask,
    Kirs1: () => saveSetup(false),
    Kirsmsknt1: () => saveSetup(true),
    Betlts1: loadSetup,
    Kirs2: () => saveResults(false),
    Kirsmsknt2: () => saveResults(true),
    Betlts2: loadResults,
    Exportls1: exportResults,
    Vge1: quit,
  };

  const rendered = (f) => (...args) => { if (ended) return; f(...args); render(); };

  // A number field is left by Enter or by the focus moving to another
  // control of the page; a refused entry takes the focus back with its
  // text selected.
  let refusing = false;
  function wireField(node, name) {
    node.addEventListener('mouseup', () => node.select());
    const leave = () => {
      if (ended || refusing) return;
      if (face.leaveField(name, node.value)) {
        render();
        return;
      }
      refusing = true;
      setTimeout(() => { node.focus(); node.select(); refusing = false; }, 0);
    };
    node.addEventListener('keydown', (e) => { if (e.key === 'Enter') { e.preventDefault(); leave(); } });
    node.addEventListener('blur', (e) => {
      if (openDialog || !document.hasFocus() || (e.relatedTarget && !$('client').contains(e.relatedTarget))) return;
      leave();
    });
  }

  function wire() {
    el.Button1.addEventListener('click', rendered(() => face.continueStop()));
    el.Button2.addEventListener('click', rendered(() => face.step()));
    el.Button3.addEventListener('click', async () => {
      if (ended) return;
      if (face.restart() === 2) {
        render();
        face.restartAnswer(await ask('Valóban törölni akarja az eredményeket? '));
      }
      render();
    });
    el.Button5.addEventListener('click', async () => {
      if (ended || !face.clearAsks()) return;
      face.clearAnswer(await ask('Valóban törölni akarja az eredményeket? '));
      render();
    });
    el.Button4.addEventListener('click', () => { if (!ended) addCavity(); });
    el.ComboBox1.addEventListener('change', rendered(() => face.setSpeed(Number(el.ComboBox1.value))));
    el.CheckBox1Box.addEventListener('change', rendered(() => face.setMultiParticle(el.CheckBox1Box.checked)));
    el.CheckBox4Box.addEventListener('change', rendered(() => face.setFreeMode(el.CheckBox4Box.checked)));
    SPECTRA.forEach((sp, i) => {
      el[`${sp.auto}Box`].addEventListener('change', rendered(() => face.setAuto(i, el[`${sp.auto}Box`].checked)));
      el[`${sp.radio}Box`].addEventListener('click', rendered(() => face.choose(i)));
      el[`S${i}Plot`].addEventListener('click', rendered(() => face.choose(i)));
      for (const [name, id] of Object.entries(sp.fields)) wireField(el[id], `${sp.key}.${name}`);
      el[`S${i}Image`].addEventListener('mousedown', (e) => {
        if (e.button !== 2) return;
        const t = JSON.parse(face.statistics(i));
        const box = el[`S${i}Stats`];
        [t.count, t.mean, t.deviation].forEach((text, k) => { box.children[k].textContent = text; });
        box.hidden = false;
      });
      el[`S${i}Image`].addEventListener('contextmenu', (e) => e.preventDefault());
      el[`S${i}Stats`].addEventListener('mouseup', (e) => { e.currentTarget.hidden = true; e.stopPropagation(); });
    });
    for (const id of ['Edit13', 'Edit14']) wireField(el[id], id);
    [['UpDown1', 0, 'Edit1'], ['UpDown2', 1, 'Edit3']].forEach(([id, which, text]) => {
      const [up, down] = el[id].children;
      up.addEventListener('click', rendered(() => face.setSpinner(which, Number(lastState.text[text]) + 1)));
      down.addEventListener('click', rendered(() => face.setSpinner(which, Number(lastState.text[text]) - 1)));
    });
    // Alt + Left / Alt + Right move the chosen spectrum's marker.
    window.addEventListener('keydown', (e) => {
      if (!e.altKey || e.ctrlKey || e.shiftKey || e.metaKey || openDialog || ended) return;
      if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
        face.moveMarker(e.key === 'ArrowRight');
        render();
      }
      e.preventDefault();
    }, true);
    wireMarkers();
  }

  // ---- the markers: the target is dragged, a cavity marker's right button
  // opens its dialog ------------------------------------------------------------------------
  function wireMarkers() {
    let dragging = false;
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
      if (!dragging || e.button !== 0) return;
      dragging = false;
      document.body.style.cursor = '';
      if (!overView(e)) return;
      const r = el.Image1.getBoundingClientRect();
      face.dropTarget(Math.floor((e.clientX - r.left) * 607 / r.width));
      render();
    });
    el.Markers.addEventListener('mouseup', (e) => {
      const marker = e.target.closest('.shape');
      if (!marker || e.button === 0 || ended) return;
      editCavity(Number(marker.dataset.tag));
    });
    el.Markers.addEventListener('contextmenu', (e) => e.preventDefault());
  }

  // ---- start-up -----------------------------------------------------------------------------
  // The start-up set-up beside the page: teszt02.gydat, or the plain file
  // name given as setup= in the page's address.
  function startFileName() {
    const asked = new URLSearchParams(window.location.search).get('setup');
    if (asked === null) return START_FILE;
    const plain = asked !== '' && !/[\/\\:?#%]/.test(asked) && asked !== '.' && !asked.includes('..');
    if (!plain) console.warn(`setup=${asked}: csak a lap melletti fájl neve adható meg; ${START_FILE} töltődik be.`);
    return plain ? asked : START_FILE;
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
    velox.veloxSelect = select;
    Object.defineProperty(velox, 'veloxCanvas', { get: () => current });
    build();
    buildCavityDialog();
    wire();
    fit();
    window.addEventListener('resize', fit);
    face = new velox.WebFace();
    const name = startFileName();
    const bytes = await fetchStartFile(name);
    const notice = face.start(name, bytes !== null, bytes ?? new Uint8Array(0));
    render();
    setInterval(onSpectrumTimer, 1000);
    window.veloxPage = { face: () => face, module: velox, render, state: () => lastState, ready: true };
    await showNotice(notice);
  }

  start();
})();
