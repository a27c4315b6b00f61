// The compiled show: compiled once, instantiated afresh for each use, so that what a
// run allocates goes away with it.
import createScrModule from '../scrweb.js';

let compiled = null;

function compile() {
  if (!compiled) {
    const url = new URL('../scrweb.wasm', import.meta.url);
    compiled = fetch(url).then((r) => {
      if (!r.ok) throw new Error(`Cannot load the show (${r.status})`);
      return r.arrayBuffer();
    }).then((bytes) => WebAssembly.compile(bytes));
    compiled.catch(() => { compiled = null; });
  }
  return compiled;
}

// A new instance of the module; host answers the show's calls (see host.js).
export async function newModule(host = {}) {
  const wasm = await compile();
  return createScrModule({
    scrHost: host,
    instantiateWasm(imports, done) {
      WebAssembly.instantiate(wasm, imports).then((instance) => done(instance));
      return {};
    },
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
  });
}

// Copies bytes into the module's file store under path.
export function putFile(mod, path, bytes) {
  const ptr = mod._scr_web_file_buffer(bytes.length);
  if (!ptr && bytes.length) throw new Error('Not enough memory for the file');
  mod.HEAPU8.set(bytes, ptr);
  mod.ccall('scr_web_put_file', null, ['string'], [path]);
}

// The module's input and notices reach the show, and its wait ends at once.
export function wake(mod) {
  if (mod.scrWake) mod.scrWake();
}
