// Stands in for the modules GNOME Shell gives an extension (gi:// libraries and the Shell's own
// resource:// modules), so that node can load an extension's module graph outside the Shell.
// Every stub is a module whose exports answer any name, as an object, a class or a function.
const stub = new Proxy(function stub() {}, {
  get: (target, name) => (name === 'then' ? undefined : stub),
  construct: () => stub,
  apply: () => stub,
});

export async function resolve(specifier, context, nextResolve) {
  if (specifier.startsWith('gi://') || specifier.startsWith('resource:///'))
    return {url: `stub:${specifier}`, shortCircuit: true};
  return nextResolve(specifier, context);
}

export async function load(url, context, nextLoad) {
  if (!url.startsWith('stub:'))
    return nextLoad(url, context);
  // The Shell's Extension is a base class that entry points extend.
  const source = url.endsWith('extensions/extension.js')
    ? 'export class Extension { constructor(metadata) { this.metadata = metadata; } }'
    : 'const any = globalThis.__shellStub; export default any; export const Config = any;' +
      ' export const PACKAGE_VERSION = "45.0";';
  return {format: 'module', source, shortCircuit: true};
}

globalThis.__shellStub = stub;
