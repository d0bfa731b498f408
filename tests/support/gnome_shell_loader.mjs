// Module hooks for Node that give an extension's imports of gi://Gio,
// gi://GLib and the Extension class the tests' stand-ins
// (gnome_shell_fakes.mjs), so that gnome_shell_runner.mjs can run it. Loaded
// with `node --experimental-loader gnome_shell_loader.mjs`.
const fakes = new URL('./gnome_shell_fakes.mjs', import.meta.url).href;
const modules = {
    'gi://Gio': `export {Gio as default} from '${fakes}';`,
    'gi://GLib': `export {GLib as default} from '${fakes}';`,
    'resource:///org/gnome/shell/extensions/extension.js': `export {Extension} from '${fakes}';`,
};

export async function resolve(specifier, context, nextResolve) {
    if (specifier in modules)
        return {url: 'fake:' + encodeURIComponent(specifier), shortCircuit: true};
    return nextResolve(specifier, context);
}

export async function load(url, context, nextLoad) {
    if (url.startsWith('fake:'))
        return {format: 'module', source: modules[decodeURIComponent(url.slice('fake:'.length))], shortCircuit: true};
    return nextLoad(url, context);
}
