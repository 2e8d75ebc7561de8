// Loads both formats of Dovrik's GNOME Shell extension as the Shell would. The ES-module format
// (GNOME 45 and later): its entry point and everything it imports; it fails when a module does
// not parse, an import does not resolve, or the entry point does not export the extension class
// the Shell instantiates. The script format (GNOME 43 and 44): each file runs as a script, and
// the names the Shell's importer takes from it (init, DovrikShell) are there.
// Usage: node --experimental-loader ./shell-stubs.mjs check_modules.mjs MODULES LEGACY
import {pathToFileURL} from 'node:url';
import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';

globalThis.__shellStub ??= new Proxy(function stub() {}, {
  get: (target, name) => (name === 'then' ? undefined : globalThis.__shellStub),
  construct: () => globalThis.__shellStub,
  apply: () => globalThis.__shellStub,
});

const [folder, legacy] = process.argv.slice(2);
const entry = await import(pathToFileURL(path.join(folder, 'extension.js')).href);
const Extension = entry.default;
const problems = [];
if (typeof Extension !== 'function')
  problems.push('extension.js has no default export class');
else if (typeof Extension.prototype.enable !== 'function' ||
         typeof Extension.prototype.disable !== 'function')
  problems.push('the extension class lacks enable() or disable()');
const shell = await import(pathToFileURL(path.join(folder, 'shell.js')).href);
if (typeof shell.DovrikShell !== 'function')
  problems.push('shell.js does not export DovrikShell');
// The legacy importer runs a file as a script and exposes its top-level `var`s and functions.
const runScript = (file, globals) => {
  const context = vm.createContext({...globals});
  new vm.Script(fs.readFileSync(path.join(legacy, file), 'utf8'), {filename: file})
      .runInContext(context);
  return context;
};
try {
  const lib = runScript('shell.js', {});
  if (typeof lib.DovrikShell !== 'function')
    problems.push('the script shell.js does not define DovrikShell with var');
  const imports = {
    gi: globalThis.__shellStub,
    ui: {main: globalThis.__shellStub},
    misc: {
      config: {PACKAGE_VERSION: '43.9'},
      extensionUtils: {getCurrentExtension: () => ({imports: {shell: lib}})},
    },
  };
  const entryScript = runScript('extension.js', {imports});
  if (typeof entryScript.init !== 'function')
    problems.push('the script extension.js has no init()');
  else if (!(entryScript.init() instanceof lib.DovrikShell))
    problems.push('init() does not make the agent');
} catch (e) {
  problems.push(`the script format does not run: ${e}`);
}
if (problems.length) {
  console.error(problems.join('\n'));
  process.exit(1);
}
console.log('the extension module graph loads');
