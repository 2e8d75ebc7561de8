// Dovrik's agent inside KWin: keeps Dovrik's copy of the windows and outputs current, tells it
// of title-bar moves, and carries out the frame changes and activations Dovrik asks for.
// Runs on KWin 5.27 and KWin 6, whose scripting names differ; each difference is detected
// once here, so the rest reads the same on both.
"use strict";

var dovrik = {service: "org.dovrik.Dovrik", path: "/org/dovrik/KWin", iface: "org.dovrik.KWin"};
var doorbell = "dovrik-doorbell";

var api = {
    generation: workspace.windowList !== undefined ? 6 : 5,
    windows: function() {
        return workspace.windowList !== undefined ? workspace.windowList() : workspace.clientList();
    },
    active: function() {
        return workspace.windowList !== undefined ? workspace.activeWindow : workspace.activeClient;
    },
    activate: function(window) {
        if (workspace.windowList !== undefined)
            workspace.activeWindow = window;
        else
            workspace.activeClient = window;
    },
    // KWin 6 has output objects; 5.27 numbers its screens.
    outputs: function() {
        if (api.generation === 6)
            return workspace.screens;
        var numbers = [];
        for (var i = 0; i < workspace.numScreens; ++i)
            numbers.push(i);
        return numbers;
    },
    outputName: function(output) {
        return typeof output === "number" ? String(output) : String(output.name);
    },
    outputGeometry: function(output) {
        return typeof output === "number"
            ? workspace.clientArea(KWin.ScreenArea, output, workspace.currentDesktop)
            : output.geometry;
    },
    outputOf: function(window) {
        return api.generation === 6 ? api.outputName(window.output) : String(window.screen);
    },
};

// Lists from KWin are array-like, not always arrays.
function mapList(list, f) {
    var result = [];
    for (var i = 0; i < list.length; ++i)
        result.push(f(list[i]));
    return result;
}

function plainRect(r) {
    return {x: r.x, y: r.y, width: r.width, height: r.height};
}

function cursor() {
    var p = workspace.cursorPos;
    return {x: p.x, y: p.y};
}

// Every message carries the pointer, so Dovrik always knows where it was last seen.
function push(message) {
    message.cursor = cursor();
    callDBus(dovrik.service, dovrik.path, dovrik.iface, "Push", JSON.stringify(message));
}

function describeOutputs() {
    return mapList(api.outputs(), function(output) {
        return {
            name: api.outputName(output),
            geometry: plainRect(api.outputGeometry(output)),
            // The maximize area leaves out panels and docks.
            usable: plainRect(workspace.clientArea(KWin.MaximizeArea, output, workspace.currentDesktop)),
        };
    });
}

function describe(window) {
    return {
        id: String(window.internalId),
        resourceClass: String(window.resourceClass),
        resourceName: String(window.resourceName),
        desktopFileName: String(window.desktopFileName || ""),
        caption: String(window.caption),
        pid: window.pid,
        frame: plainRect(window.frameGeometry),
        minimized: window.minimized,
        normal: window.normalWindow,
        dialog: window.dialog,
        dock: window.dock,
        desktop: window.desktopWindow,
        output: api.outputOf(window),
    };
}

function activeId() {
    var active = api.active();
    return active ? String(active.internalId) : "";
}

// A change of frame during an interactive move or resize is left to its end: only where it ends
// counts, and the move's own messages carry the pointer meanwhile.
function interactive(window) {
    return window.move === true || window.resize === true;
}

function watch(window) {
    var changed = function() {
        if (interactive(window))
            return;
        push({type: "windowChanged", window: describe(window)});
        if (window.dock)
            push({type: "outputs", outputs: describeOutputs()});
    };
    window.frameGeometryChanged.connect(changed);
    window.captionChanged.connect(changed);
    if (window.minimizedChanged !== undefined)
        window.minimizedChanged.connect(changed);
    if (window.outputChanged !== undefined)
        window.outputChanged.connect(changed);
    else if (window.screenChanged !== undefined)
        window.screenChanged.connect(changed);

    // Only moves are drags of the title bar; resizes are not reported as such.
    var moving = false;
    var began = function() {
        moving = window.move === true;
        if (moving)
            push({type: "moveBegin", id: String(window.internalId)});
    };
    var stepped = function() {
        if (moving)
            push({type: "moveStep", id: String(window.internalId)});
    };
    var finished = function() {
        if (moving)
            push({type: "moveEnd", id: String(window.internalId)});
        moving = false;
        push({type: "windowChanged", window: describe(window)});
    };
    if (window.interactiveMoveResizeStarted !== undefined) {
        window.interactiveMoveResizeStarted.connect(began);
        window.interactiveMoveResizeStepped.connect(stepped);
        window.interactiveMoveResizeFinished.connect(finished);
    } else {
        window.clientStartUserMovedResized.connect(began);
        window.clientStepUserMovedResized.connect(stepped);
        window.clientFinishUserMovedResized.connect(finished);
    }
}

function windowById(id) {
    var all = api.windows();
    for (var i = 0; i < all.length; ++i) {
        if (String(all[i].internalId) === id)
            return all[i];
    }
    return null;
}

function perform(command) {
    if (command.op === "cursor") {
        push({type: "cursor"});
        return;
    }
    var window = windowById(command.id);
    if (!window)
        return;
    if (command.op === "setFrame") {
        // A maximized window would keep that state under its new frame; leaving it does
        // nothing to a window that is not maximized.
        if (typeof window.setMaximize === "function")
            window.setMaximize(false, false);
        // One assignment, so the window never shows a position without its size.
        window.frameGeometry = {x: command.frame.x, y: command.frame.y,
                                width: command.frame.width, height: command.frame.height};
    } else if (command.op === "activate") {
        api.activate(window);
    }
}

// Dovrik rings when it has queued commands; the reply to one call carries all of them. After
// commands came, the next fetch goes out at once and Dovrik holds it open for a few seconds,
// so that a following command needs no ring; an empty answer ends that, and from then on
// nothing polls and nothing runs while there is nothing to do.
function fetchCommands() {
    callDBus(dovrik.service, dovrik.path, dovrik.iface, "TakeCommands", function(reply) {
        var commands = JSON.parse(reply);
        for (var i = 0; i < commands.length; ++i)
            perform(commands[i]);
        if (commands.length > 0)
            fetchCommands();
    });
}
registerShortcut(doorbell, "Dovrik: commands waiting", "", fetchCommands);

function added(window) {
    watch(window);
    push({type: "windowAdded", window: describe(window)});
    // KWin may activate a new Wayland window before announcing it, when Dovrik could not place
    // the activation yet.
    if (api.active() === window)
        activated();
    if (window.dock)
        push({type: "outputs", outputs: describeOutputs()});
}

function removed(window) {
    push({type: "windowRemoved", id: String(window.internalId)});
    if (window.dock)
        push({type: "outputs", outputs: describeOutputs()});
}

function activated() {
    push({type: "active", id: activeId()});
}

function outputsChanged() {
    push({type: "outputs", outputs: describeOutputs()});
}

if (api.generation === 6) {
    workspace.windowAdded.connect(added);
    workspace.windowRemoved.connect(removed);
    workspace.windowActivated.connect(activated);
    workspace.screensChanged.connect(outputsChanged);
} else {
    workspace.clientAdded.connect(added);
    workspace.clientRemoved.connect(removed);
    workspace.clientActivated.connect(activated);
    workspace.numberScreensChanged.connect(outputsChanged);
    workspace.screenResized.connect(outputsChanged);
}
workspace.virtualScreenGeometryChanged.connect(outputsChanged);
workspace.currentDesktopChanged.connect(outputsChanged);

var existing = api.windows();
mapList(existing, watch);
push({
    type: "hello",
    generation: api.generation,
    outputs: describeOutputs(),
    windows: mapList(existing, describe),
    active: activeId(),
});
