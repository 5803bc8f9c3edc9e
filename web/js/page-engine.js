// For a classic script: the API once the WebAssembly inside this file has started.
var molvex2Ready = createMolvex2Engine().then(molvex2Api);
