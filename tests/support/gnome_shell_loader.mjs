// Module hooks for Node that stand in for what GNOME Shell gives its
// extensions: gi://Gio, gi://GLib and the Extension base class, enough for
// gnome_shell_runner.mjs to run an extension. Loaded with
// `node --experimental-loader gnome_shell_loader.mjs`.
const fakes = {
    'gi://Gio': `
        const say = (message) => process.stdout.write(JSON.stringify(message) + '\\n');
        export default {
            DBus: {session: 'session'},
            DBusExportedObject: {
                wrapJSObject(xml, implementation) {
                    globalThis.exportedImplementation = implementation;
                    return {
                        export(bus, path) { say(['export', bus, path, xml]); },
                        unexport() { say(['unexport']); },
                        emit_signal(name, variant) { say(['signal', name, variant.signature, ...variant.values]); },
                    };
                },
            },
        };`,
    'gi://GLib': `
        export default {
            Variant: class {
                constructor(signature, values) { this.signature = signature; this.values = values; }
            },
        };`,
    'resource:///org/gnome/shell/extensions/extension.js': `
        export class Extension {
            constructor(metadata) { this.metadata = metadata; }
        }`,
};

export async function resolve(specifier, context, nextResolve) {
    if (specifier in fakes)
        return {url: 'fake:' + encodeURIComponent(specifier), shortCircuit: true};
    return nextResolve(specifier, context);
}

export async function load(url, context, nextLoad) {
    if (url.startsWith('fake:'))
        return {format: 'module', source: fakes[decodeURIComponent(url.slice('fake:'.length))], shortCircuit: true};
    return nextLoad(url, context);
}
