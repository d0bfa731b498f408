// What GNOME Shell gives its extensions, as far as the tests' extensions
// use it: Gio's exported objects (whose doings are printed as JSON arrays),
// GLib's variants and the Extension base class.
const say = (message) => process.stdout.write(JSON.stringify(message) + '\n');

export const Gio = {
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
};

export const GLib = {
    Variant: class {
        constructor(signature, values) {
            this.signature = signature;
            this.values = values;
        }
    },
};

export class Extension {
    constructor(metadata) {
        this.metadata = metadata;
    }
}
