// Runs a KWin script against a workspace of the tests' own, shaped as
// Plasma 5 or Plasma 6 offers it:
//
//     node kwin_script_runner.js SCRIPT 5|6
//
// Each line of standard input is one JSON command: {"activate": WINDOW}
// (WINDOW is {"resourceClass", "pid", "caption"}, or null for none) makes it
// the active window and announces it, {"caption": TEXT} retitles the active
// window. Each callDBus of the script is printed as a JSON array of its
// arguments. A script that uses what the shape lacks fails with its error.
"use strict";
const fs = require("fs");
const readline = require("readline");
const vm = require("vm");

const [scriptPath, plasma] = process.argv.slice(2);

function signal() {
    const handlers = [];
    return {
        connect(handler) { handlers.push(handler); },
        disconnect(handler) {
            const index = handlers.indexOf(handler);
            if (index >= 0) handlers.splice(index, 1);
        },
        emit(...values) { handlers.slice().forEach((handler) => handler(...values)); },
    };
}

let active = null;
const activated = signal();
const workspace = {};
if (plasma === "6") {
    workspace.windowActivated = activated;
    Object.defineProperty(workspace, "activeWindow", { get: () => active });
} else {
    workspace.clientActivated = activated;
    Object.defineProperty(workspace, "activeClient", { get: () => active });
}

const context = vm.createContext({
    workspace,
    callDBus: (...call) => console.log(JSON.stringify(call)),
});
vm.runInContext(fs.readFileSync(scriptPath, "utf8"), context, { filename: scriptPath });

readline.createInterface({ input: process.stdin }).on("line", (line) => {
    const command = JSON.parse(line);
    if ("activate" in command) {
        active = command.activate && { ...command.activate, captionChanged: signal() };
        activated.emit(active);
    } else if ("caption" in command) {
        active.caption = command.caption;
        active.captionChanged.emit();
    }
});
