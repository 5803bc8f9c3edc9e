// The page: entry box, live picture, status, options, copy, download and share.
// Everything typed or found in the link is untrusted: it reaches the page only as
// text nodes and attribute values, never as markup.
"use strict";

(function () {
  const SVG_NS = "http://www.w3.org/2000/svg";
  const MAX_LINES = 20;
  const STORAGE_KEY = "molvex2.options";
  // The fonts shipped with the page, by the face name the equation's font record holds.
  const FAMILIES = [
    { face: "Arial", label: "Liberation Sans" },
    { face: "Times New Roman", label: "Liberation Serif" },
    { face: "Courier New", label: "Liberation Mono" },
  ];
  const ZOOMS = ["fit", "1", "2", "3"];
  // "Fit" enlarges a picture to the panel's width, but no more than this.
  const MAX_FIT = 3;
  const NUMBER_OPTIONS = ["LevelArrow", "LevelSuper", "LevelSub", "LevelPhase", "TextArrow", "TextSuper",
    "TextSub", "TextPhase", "ArrowWidth", "VerticalSpacing", "EquilibriumArrow"];

  const $ = (id) => document.getElementById(id);
  const entry = $("entry");
  const picture = $("picture");
  const status = $("status");
  const notice = $("notice");
  const form = $("options");

  let api = null;
  let defaults = null;     // the engine's default options, MLV2.ini names to text
  let settings = null;     // what the options form shows
  let current = null;      // the last typeset equation: { svg, width, height, speech, element }
  let firstPicture = true;

  // ---- options

  // The font record's text form: thirteen LOGFONT numbers, colour, HIMETRIC height, face.
  function splitFont(text) {
    const parts = text.split(",");
    return { numbers: parts.slice(0, 15), face: parts.slice(15).join(",") };
  }
  function defaultSettings() {
    const font = splitFont(defaults.Font);
    const s = {
      family: font.face, height: Math.abs(parseInt(font.numbers[0], 10)) || 14,
      bold: parseInt(font.numbers[4], 10) >= 700, italic: parseInt(font.numbers[5], 10) !== 0,
      ItalicPhase: defaults.ItalicPhase === "1", zoom: "fit",
    };
    for (const name of NUMBER_OPTIONS)
      s[name] = Number(defaults[name]);
    return s;
  }
  // Settings from storage or a link are untrusted: only known names with values of
  // the right type are taken; the engine brings numbers into range.
  function mergeSettings(base, incoming) {
    const s = Object.assign({}, base);
    if (!incoming || typeof incoming !== "object")
      return s;
    for (const name of NUMBER_OPTIONS.concat(["height"]))
      if (typeof incoming[name] === "number" && Number.isFinite(incoming[name]))
        s[name] = incoming[name];
    for (const name of ["bold", "italic", "ItalicPhase"])
      if (typeof incoming[name] === "boolean")
        s[name] = incoming[name];
    if (typeof incoming.family === "string" && FAMILIES.some((f) => f.face === incoming.family))
      s.family = incoming.family;
    if (ZOOMS.includes(incoming.zoom))
      s.zoom = incoming.zoom;
    s.height = Math.min(200, Math.max(6, Math.round(s.height)));
    return s;
  }
  function engineOptions(s) {
    const font = splitFont(defaults.Font);
    font.numbers[0] = String(-s.height);
    font.numbers[4] = s.bold ? "700" : "400";
    font.numbers[5] = s.italic ? "1" : "0";
    const o = { Font: font.numbers.join(",") + "," + s.family, ItalicPhase: s.ItalicPhase };
    for (const name of NUMBER_OPTIONS)
      o[name] = s[name];
    return o;
  }
  function showSettings() {
    for (const el of form.elements) {
      if (!el.name || !(el.name in settings))
        continue;
      if (el.type === "checkbox")
        el.checked = settings[el.name];
      else
        el.value = String(settings[el.name]);
      showOutput(el);
    }
  }
  function showOutput(el) {
    const out = el.nextElementSibling;
    if (out && out.tagName === "OUTPUT")
      out.textContent = Number(el.value).toFixed(el.step === "1" ? 0 : 2);
  }
  function readSettings(el) {
    if (el.id === "zoom")
      settings.zoom = el.value;
    else if (el.type === "checkbox")
      settings[el.name] = el.checked;
    else if (el.name === "family")
      settings.family = el.value;
    else if (el.value !== "" && Number.isFinite(Number(el.value)))
      settings[el.name] = Number(el.value);
    settings = mergeSettings(settings, settings);
    showOutput(el);
    saveSettings();
  }
  function saveSettings() {
    try {
      localStorage.setItem(STORAGE_KEY, JSON.stringify(settings));
    } catch (e) {
      // Storage may be off (private windows, file:// in some browsers): options then
      // last as long as the page.
    }
  }
  function storedSettings() {
    try {
      return JSON.parse(localStorage.getItem(STORAGE_KEY) || "null");
    } catch (e) {
      return null;
    }
  }

  // ---- the picture

  const ELEMENTS = new Set(["svg", "g", "path", "line", "polyline", "polygon", "rect", "text", "tspan", "title", "desc"]);
  const ATTRIBUTES = new Set(["width", "height", "viewBox", "x", "y", "dx", "dy", "x1", "y1", "x2", "y2", "d", "points",
    "fill", "stroke", "stroke-width", "stroke-linecap", "stroke-linejoin", "fill-rule", "transform", "font-family",
    "font-size", "font-weight", "font-style", "text-anchor", "dominant-baseline", "xml:space", "role", "aria-label",
    "aria-labelledby", "id", "version", "preserveAspectRatio", "opacity", "fill-opacity", "stroke-opacity"]);
  const SAFE_VALUE = /^[^<>]*$/;

  // The module's SVG, parsed as XML (which runs nothing) and cut down to elements and
  // attributes that can only draw before it enters the page: any script, event
  // attribute, link or reference the text might smuggle in is dropped.
  function importSvg(svgText) {
    const doc = new DOMParser().parseFromString(svgText, "image/svg+xml");
    const root = doc.documentElement;
    if (!root || root.namespaceURI !== SVG_NS || root.localName !== "svg")
      throw new Error("the picture could not be read");
    clean(root);
    const desc = root.querySelector("desc");
    return { element: document.importNode(root, true), speech: desc ? desc.textContent : "" };
  }
  function clean(el) {
    for (const attr of Array.from(el.attributes)) {
      if (!ATTRIBUTES.has(attr.name) || /url\s*\(|javascript:|expression\s*\(/i.test(attr.value) || !SAFE_VALUE.test(attr.value))
        el.removeAttributeNode(attr);
    }
    for (const child of Array.from(el.childNodes)) {
      if (child.nodeType === Node.ELEMENT_NODE && child.namespaceURI === SVG_NS && ELEMENTS.has(child.localName))
        clean(child);
      else if (child.nodeType !== Node.TEXT_NODE)
        child.remove();
    }
  }

  function lineCount(text) {
    return text === "" ? 0 : text.replace(/\r\n?/g, "\n").replace(/\n$/, "").split("\n").length;
  }

  function update() {
    const text = entry.value;
    const options = engineOptions(settings);
    scheduleLink();
    if (text.trim() === "") {
      clearPicture();
      status.replaceChildren();
      return;
    }
    if (lineCount(text) > MAX_LINES) {
      clearPicture();
      showStatus([{ kind: "error", text: "An equation has at most 20 lines." }]);
      return;
    }
    let rendered = null;
    const said = [];
    try {
      rendered = api.renderSvg(text, options);
    } catch (e) {
      // No picture rather than one of an earlier text, which Copy would then give.
      clearPicture();
      said.push({ kind: "error", text: String(e.message).replace(/^molvex2: /, "") });
    }
    if (rendered) {
      // The picture's description is the spoken equation: the label of the picture.
      const { element, speech } = importSvg(rendered.svg);
      element.setAttribute("aria-hidden", "true");
      sizeFor(element, rendered);
      picture.replaceChildren(element);
      picture.setAttribute("aria-label", speech);
      current = { svg: rendered.svg, width: rendered.width, height: rendered.height, speech, element, text, options };
      if (firstPicture) {
        firstPicture = false;
        performance.mark("molvex2-first-picture");
      }
    }
    const lines = lineCount(text);
    try {
      const perLine = [];
      for (const v of api.check(text).lines)
        perLine.push({ line: v.line, kind: v.verdict, message: v.message });
      for (const h of api.hints(text))
        perLine.push({ line: h.line, kind: "hint", message: h.message });
      // Each line's verdict, then its hints (the sort is stable).
      perLine.sort((a, b) => a.line - b.line);
      for (const item of perLine)
        said.push({ kind: item.kind, text: (lines > 1 ? "Line " + item.line + ": " : "") + capital(item.message) });
    } catch (e) {
      said.push({ kind: "error", text: String(e.message).replace(/^molvex2: /, "") });
    }
    showStatus(said);
  }
  function clearPicture() {
    current = null;
    picture.replaceChildren();
    picture.setAttribute("aria-label", "No equation");
  }
  // The picture shown larger than its pixels: it is a vector drawing, so it stays sharp.
  // Sized before it enters the page, so the page is laid out once per keystroke.
  function sizeFor(element, size) {
    let zoom = Number(settings.zoom);
    if (settings.zoom === "fit") {
      const room = picture.clientWidth - 34; // the panel's padding and border
      zoom = Math.max(1, Math.min(MAX_FIT, room / size.width));
    }
    element.style.width = size.width * zoom + "px";
    element.style.height = size.height * zoom + "px";
  }
  function showZoomed() {
    if (current)
      sizeFor(current.element, current);
  }
  function capital(s) {
    return s ? s[0].toUpperCase() + s.slice(1) : s;
  }
  function showStatus(items) {
    const nodes = items.map((item) => {
      const p = document.createElement("p");
      p.className = item.kind.replace(/ /g, "-");
      p.textContent = item.text;
      return p;
    });
    status.replaceChildren(...nodes);
  }
  function say(text) {
    notice.textContent = text;
  }

  // ---- picture as PNG: the live SVG drawn onto a canvas primitive by primitive, so
  // that the page's own fonts are used (an SVG drawn as an image cannot reach them).

  function pngBlob(scale) {
    const el = current.element;
    const canvas = document.createElement("canvas");
    canvas.width = Math.max(1, Math.ceil(current.width * scale));
    canvas.height = Math.max(1, Math.ceil(current.height * scale));
    const ctx = canvas.getContext("2d");
    const rootMatrix = el.getScreenCTM();
    // Screen positions back to the picture's own pixels, then to the PNG's.
    const base = new DOMMatrix().scale(scale, scale).multiply(rootMatrix ? rootMatrix.inverse() : new DOMMatrix());
    drawChildren(ctx, el, base);
    return new Promise((resolve, reject) =>
      canvas.toBlob((b) => (b ? resolve(b) : reject(new Error("the PNG could not be made"))), "image/png"));
  }
  function drawChildren(ctx, parent, base) {
    for (const node of parent.children)
      drawNode(ctx, node, base);
  }
  function drawNode(ctx, node, base) {
    const name = node.localName;
    if (name === "title" || name === "desc")
      return;
    const style = getComputedStyle(node);
    if (style.display === "none" || style.visibility === "hidden")
      return;
    const m = node.getScreenCTM();
    if (m)
      ctx.setTransform(base.multiply(m));
    const fill = style.fill && style.fill !== "none" ? style.fill : null;
    const stroke = style.stroke && style.stroke !== "none" ? style.stroke : null;
    ctx.lineWidth = parseFloat(style.strokeWidth) || 1;
    ctx.lineCap = style.strokeLinecap || "butt";
    ctx.lineJoin = style.strokeLinejoin || "miter";
    if (name === "g" || name === "svg") {
      drawChildren(ctx, node, base);
    } else if (name === "text") {
      drawText(ctx, node, style);
    } else {
      let path = null;
      if (name === "path")
        path = new Path2D(node.getAttribute("d") || "");
      else if (name === "line") {
        path = new Path2D();
        path.moveTo(num(node, "x1"), num(node, "y1"));
        path.lineTo(num(node, "x2"), num(node, "y2"));
      } else if (name === "rect") {
        path = new Path2D();
        path.rect(num(node, "x"), num(node, "y"), num(node, "width"), num(node, "height"));
      } else if (name === "polyline" || name === "polygon") {
        path = new Path2D();
        const p = (node.getAttribute("points") || "").trim().split(/[\s,]+/).map(Number);
        for (let i = 0; i + 1 < p.length; i += 2)
          i ? path.lineTo(p[i], p[i + 1]) : path.moveTo(p[i], p[i + 1]);
        if (name === "polygon")
          path.closePath();
      }
      if (path) {
        if (fill) {
          ctx.fillStyle = fill;
          ctx.fill(path, style.fillRule === "evenodd" ? "evenodd" : "nonzero");
        }
        if (stroke) {
          ctx.strokeStyle = stroke;
          ctx.stroke(path);
        }
      }
    }
  }
  function num(node, name) {
    return parseFloat(node.getAttribute(name)) || 0;
  }
  // Text as the browser laid it out: each character at the position the SVG gave it.
  function drawText(ctx, node, style) {
    const count = node.getNumberOfChars();
    ctx.font = [style.fontStyle, style.fontWeight, style.fontSize, style.fontFamily].join(" ");
    ctx.fillStyle = style.fill && style.fill !== "none" ? style.fill : "black";
    ctx.textBaseline = "alphabetic";
    ctx.textAlign = "left";
    const chars = Array.from(node.textContent);
    let i = 0;
    for (const ch of chars) {
      if (i >= count)
        break;
      const p = node.getStartPositionOfChar(i);
      ctx.fillText(ch, p.x, p.y);
      i += ch.length;
    }
  }

  // ---- clipboard, downloads, link

  function blobToDataUrl(blob) {
    return new Promise((resolve, reject) => {
      const reader = new FileReader();
      reader.onload = () => resolve(reader.result);
      reader.onerror = () => reject(reader.error);
      reader.readAsDataURL(blob);
    });
  }
  function escapeHtml(s) {
    return s.replace(/[&<>"']/g, (c) => "&#" + c.charCodeAt(0) + ";");
  }
  async function copyPicture() {
    if (!current)
      return say("Nothing to copy.");
    const png = await pngBlob(Number($("png-scale").value) || 2);
    const mathml = api.format(current.text, "mathml", current.options);
    const html = '<img alt="' + escapeHtml(current.speech) + '" width="' + current.width + '" height="' + current.height +
      '" src="' + (await blobToDataUrl(png)) + '">';
    const items = {
      "image/png": png,
      "text/html": new Blob([html], { type: "text/html" }),
      "text/plain": new Blob([api.format(current.text, "text", current.options)], { type: "text/plain" }),
    };
    const extra = {
      "image/svg+xml": new Blob([current.svg], { type: "image/svg+xml" }),
      "web application/mathml+xml": new Blob([mathml], { type: "application/mathml+xml" }),
    };
    for (const [type, blob] of Object.entries(extra))
      if (!ClipboardItem.supports || ClipboardItem.supports(type))
        items[type] = blob;
    await navigator.clipboard.write([new ClipboardItem(items)]);
    say("Copied the picture (" + Object.keys(items).join(", ") + ").");
  }
  async function copyForm(kind, label) {
    if (!current)
      return say("Nothing to copy.");
    await navigator.clipboard.writeText(api.format(current.text, kind, current.options));
    say("Copied as " + label + ".");
  }
  function download(blob, name) {
    const url = URL.createObjectURL(blob);
    const a = document.createElement("a");
    a.href = url;
    a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  // The address follows the equation a moment after typing stops: rewriting it is
  // slow for a long equation and nobody reads it mid-word.
  let linkTimer = 0;
  function scheduleLink() {
    clearTimeout(linkTimer);
    linkTimer = setTimeout(() => writeLink(entry.value), 300);
  }
  function writeLink(text) {
    const params = new URLSearchParams();
    params.set("eq", text);
    params.set("opt", JSON.stringify(settings));
    history.replaceState(null, "", "#" + params.toString());
  }
  function readLink() {
    if (!location.hash || location.hash.length < 2)
      return null;
    const params = new URLSearchParams(location.hash.slice(1));
    let opt = null;
    try {
      opt = JSON.parse(params.get("opt") || "null");
    } catch (e) {
      opt = null;
    }
    const eq = params.get("eq");
    return { text: typeof eq === "string" ? eq.slice(0, 16384) : null, settings: opt };
  }

  function guarded(action) {
    return () => Promise.resolve().then(action).catch((e) => say("Could not do that: " + e.message));
  }

  // ---- start

  function start(module) {
    api = module;
    defaults = api.options();
    for (const f of FAMILIES) {
      const option = document.createElement("option");
      option.value = f.face;
      option.textContent = f.label;
      $("family").appendChild(option);
    }
    const link = readLink();
    settings = mergeSettings(mergeSettings(defaultSettings(), storedSettings()), link && link.settings);
    if (link && link.text !== null)
      entry.value = link.text;
    showSettings();
    $("zoom").value = settings.zoom;

    entry.addEventListener("input", update);
    $("zoom").addEventListener("change", (e) => {
      readSettings(e.target);
      showZoomed();
    });
    window.addEventListener("resize", showZoomed);
    entry.addEventListener("keydown", (e) => {
      if (e.key === "Enter" && lineCount(entry.value + "\nx") > MAX_LINES) {
        e.preventDefault();
        say("An equation has at most 20 lines.");
      }
    });
    form.addEventListener("input", (e) => {
      readSettings(e.target);
      update();
    });
    form.addEventListener("change", (e) => {
      readSettings(e.target);
      update();
    });
    $("reset-options").addEventListener("click", () => {
      settings = defaultSettings();
      try {
        localStorage.removeItem(STORAGE_KEY);
      } catch (e) { /* see readSettings */ }
      showSettings();
      update();
    });
    $("copy-picture").addEventListener("click", guarded(copyPicture));
    $("copy-text").addEventListener("click", guarded(() => copyForm("text", "text")));
    $("copy-mathml").addEventListener("click", guarded(() => copyForm("mathml", "MathML")));
    $("copy-mhchem").addEventListener("click", guarded(() => copyForm("mhchem", "mhchem")));
    $("download-svg").addEventListener("click", guarded(() => {
      if (current)
        download(new Blob([current.svg], { type: "image/svg+xml" }), "equation.svg");
    }));
    $("download-png").addEventListener("click", guarded(async () => {
      if (current)
        download(await pngBlob(Number($("png-scale").value) || 2), "equation.png");
    }));
    $("share").addEventListener("click", guarded(async () => {
      writeLink(entry.value);
      await navigator.clipboard.writeText(location.href);
      say("Copied a link to this equation and its options.");
    }));
    window.addEventListener("hashchange", () => {
      const l = readLink();
      if (l && l.text !== null && l.text !== entry.value) {
        entry.value = l.text;
        settings = mergeSettings(settings, l.settings);
        showSettings();
        update();
      }
    });
    // The fonts first, so that the first picture is shown in them.
    const fontsReady = document.fonts && document.fonts.ready ? document.fonts.ready : Promise.resolve();
    update();
    fontsReady.then(() => document.documentElement.setAttribute("data-ready", "true"));
  }

  // molvex2-page.js defines molvex2Ready.
  molvex2Ready.then(start, (e) => {
    status.textContent = "The equation engine could not start: " + e.message;
  });
})();
