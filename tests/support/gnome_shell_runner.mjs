// Runs a GNOME Shell extension (of GNOME 45 and later, or of 40 to 44) under
// Node, with a display of the tests' own
// (global.display: its focus_window and the windows' titles):
//
//     node --experimental-loader gnome_shell_loader.mjs gnome_shell_runner.mjs EXTENSION_FOLDER
//
// It enables the extension, then takes one JSON command per line of
// standard input: {"focus": WINDOW} (WINDOW is {"wmClass", "pid", "title"},
// or null for none) focuses a window, {"title": TEXT} retitles the focused
// one, {"call": METHOD} calls a method the extension serves and prints
// ["reply", ...its values], {"disable": true} disables it. What the
// extension does on the bus is printed as JSON arrays (see the loader).
import fs from 'fs';
import path from 'path';
import readline from 'readline';
import {pathToFileURL} from 'url';
import vm from 'vm';

import {Gio, GLib} from './gnome_shell_fakes.mjs';

const folder = process.argv[2];

function signals() {
    const handlers = new Map();
    let next = 1;
    return {
        connect(name, handler) {
            handlers.set(next, {name, handler});
            return next++;
        },
        disconnect(id) {
            if (!handlers.delete(id))
                throw new Error('disconnect of an unknown handler ' + id);
        },
        emit(name) {
            [...handlers.values()].filter((h) => h.name === name).forEach((h) => h.handler());
        },
        get count() { return handlers.size; },
    };
}

function window({wmClass, pid, title}) {
    const own = signals();
    return {
        title,
        get_wm_class: () => wmClass,
        get_pid: () => pid,
        get_title() { return this.title; },
        connect: own.connect,
        disconnect: own.disconnect,
        emit: own.emit,
        handlers: own,
    };
}

const display = {focus_window: null, ...signals()};
globalThis.global = {display};

// GNOME 45 and later load an extension as a module with a default class;
// earlier ones run it as a script with `imports` and call its init().
const metadata = JSON.parse(fs.readFileSync(path.join(folder, 'metadata.json'), 'utf8'));
const script = path.join(folder, 'extension.js');
let extension;
if (Math.max(...metadata['shell-version'].map(Number)) >= 45) {
    const {default: ExtensionClass} = await import(pathToFileURL(script).href);
    extension = new ExtensionClass(metadata);
} else {
    const context = vm.createContext({imports: {gi: {Gio, GLib}}, global: globalThis.global});
    vm.runInContext(fs.readFileSync(script, 'utf8'), context, {filename: script});
    extension = vm.runInContext('init', context)(metadata);
}
extension.enable();

readline.createInterface({input: process.stdin}).on('line', (line) => {
    const command = JSON.parse(line);
    if ('focus' in command) {
        display.focus_window = command.focus && window(command.focus);
        display.emit('notify::focus-window');
    } else if ('title' in command) {
        display.focus_window.title = command.title;
        display.focus_window.emit('notify::title');
    } else if ('call' in command) {
        const values = globalThis.exportedImplementation[command.call]();
        process.stdout.write(JSON.stringify(['reply', ...values]) + '\n');
    } else if ('disable' in command) {
        extension.disable();
        process.stdout.write(JSON.stringify(['disabled', display.count]) + '\n');
    }
});
