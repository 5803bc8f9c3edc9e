// The JavaScript API over the engine's bindings: arguments checked here, each failure
// a JavaScript Error with a clear message, so that nothing a caller passes can trap
// the WebAssembly instance and the module stays usable after an error.
function molvex2Api(engine) {
  "use strict";
  // Characters, checked before anything crosses into the engine (which checks bytes).
  const maxTextLength = 16384;
  const maxOptionLength = 1024;
  const formats = ["text", "speech", "mathml", "mhchem", "starmath"];

  function fail(message, Kind) {
    return new (Kind || Error)("molvex2: " + message);
  }
  function describe(v) {
    return v === null ? "null" : Array.isArray(v) ? "an array" : typeof v;
  }
  function textArgument(text) {
    if (typeof text !== "string")
      throw fail("the equation must be text (a string), not " + describe(text), TypeError);
    if (text.length > maxTextLength)
      throw fail("the text is too large for an equation", RangeError);
    return text;
  }
  // Options by their MLV2.ini names; values travel as the file's text and are brought
  // into range by the engine as the file's are.
  function optionPairs(options) {
    if (options === undefined || options === null)
      return [];
    if (typeof options !== "object" || Array.isArray(options))
      throw fail("options must be an object of MLV2.ini names and values, not " + describe(options), TypeError);
    const pairs = [];
    for (const name of Object.keys(options)) {
      const v = options[name];
      if (typeof v === "boolean")
        pairs.push([name, v ? "1" : "0"]);
      else if (typeof v === "number")
        pairs.push([name, String(v)]);
      else if (typeof v === "string" && v.length <= maxOptionLength)
        pairs.push([name, v]);
      else
        throw fail("option " + name + " must be a number, a yes/no value or a short text, not " + describe(v), TypeError);
    }
    return pairs;
  }
  function unwrap(result) {
    if (result.error !== undefined)
      throw fail(result.error);
    return result.value;
  }
  // A fault inside the engine (out of memory) surfaces as an Error, never a trap
  // escaping as something else.
  function call(f) {
    try {
      return unwrap(f());
    } catch (e) {
      if (e instanceof Error && String(e.message).startsWith("molvex2: "))
        throw e;
      throw fail("the engine failed: " + (e && e.message ? e.message : String(e)));
    }
  }
  const verdictOrder = ["none", "balanced", "cannot check", "not balanced"];

  const api = {
    check(text) {
      textArgument(text);
      const lines = call(() => engine.check(text));
      let verdict = "none";
      for (const line of lines)
        if (verdictOrder.indexOf(line.verdict) > verdictOrder.indexOf(verdict))
          verdict = line.verdict;
      return { verdict, lines };
    },
    hints(text) {
      textArgument(text);
      return call(() => engine.hints(text));
    },
    format(text, kind, options) {
      textArgument(text);
      if (!formats.includes(kind))
        throw fail("the format must be one of " + formats.join(", ") + ", not " + JSON.stringify(String(kind)), TypeError);
      const pairs = optionPairs(options);
      return call(() => engine.format(text, kind, pairs));
    },
    explain(text) {
      textArgument(text);
      return call(() => engine.explain(text));
    },
    options(options) {
      return call(() => engine.options(optionPairs(options)));
    },
  };
  if (typeof engine.renderSvg === "function") {
    api.renderSvg = function renderSvg(text, options) {
      textArgument(text);
      const pairs = optionPairs(options);
      return call(() => engine.renderSvg(text, pairs));
    };
  }
  return Object.freeze(api);
}
