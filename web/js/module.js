// The ES module's face: the WebAssembly loaded beside this file (read from disk in
// Node, fetched in a browser), then the API as named exports.
const molvex2WasmUrl = new URL("./molvex2.wasm", import.meta.url);
async function molvex2WasmBytes() {
  if (molvex2WasmUrl.protocol === "file:" && typeof process === "object" && process.versions && process.versions.node) {
    const fs = await import("node:fs/promises");
    return fs.readFile(molvex2WasmUrl);
  }
  const response = await fetch(molvex2WasmUrl);
  if (!response.ok)
    throw new Error("molvex2: cannot load " + molvex2WasmUrl + ": " + response.status);
  return response.arrayBuffer();
}
const molvex2 = molvex2Api(await createMolvex2Engine({ wasmBinary: await molvex2WasmBytes() }));
export const { renderSvg, check, hints, format, explain, options } = molvex2;
export default molvex2;
