// Dovrik's agent inside GNOME Shell. GNOME lets no other program move windows, watch the
// clipboard or type keys, so this extension does it for Dovrik, and for Dovrik only: every call
// from any other connection is refused, and what it tells (window titles, clipboard contents)
// goes to Dovrik's own connection alone, never as a signal the whole session hears.
//
// The same file serves both extension formats: GNOME 43–44 load it as a script through the
// extension's importer, 45 and later as an ES module (the build appends the export). It
// imports nothing itself: the entry points hand it the libraries of their format.
//
// Reports about windows and outputs are JSON messages of the same kind as Dovrik's KWin script
// sends; everything else is a typed method or signal of the interface below.

var DOVRIK_SERVICE = 'org.dovrik.Dovrik';
var SHELL_PATH = '/org/dovrik/Shell';
var SHELL_INTERFACE = 'org.dovrik.Shell1';

var SHELL_XML = `<node>
  <interface name="org.dovrik.Shell1">
    <method name="Hello"><arg type="s" direction="out"/></method>
    <method name="SetFrame">
      <arg type="s" name="id" direction="in"/>
      <arg type="i" name="x" direction="in"/><arg type="i" name="y" direction="in"/>
      <arg type="i" name="width" direction="in"/><arg type="i" name="height" direction="in"/>
    </method>
    <method name="Activate"><arg type="s" name="id" direction="in"/></method>
    <method name="Pointer">
      <arg type="i" name="x" direction="out"/><arg type="i" name="y" direction="out"/>
      <arg type="u" name="modifiers" direction="out"/>
    </method>
    <method name="Monitors"><arg type="a(ssss)" direction="out"/></method>
    <method name="GrabAccelerator">
      <arg type="s" name="accelerator" direction="in"/><arg type="u" name="action" direction="out"/>
    </method>
    <method name="UngrabAccelerator"><arg type="u" name="action" direction="in"/></method>
    <method name="ReadClipboard">
      <arg type="s" name="type" direction="in"/><arg type="u" name="limit" direction="in"/>
      <arg type="ay" direction="out"/>
    </method>
    <method name="WriteClipboard">
      <arg type="s" name="type" direction="in"/><arg type="ay" name="bytes" direction="in"/>
      <arg type="b" name="alsoPrimary" direction="in"/>
    </method>
    <method name="PressKeys"><arg type="au" name="keyvals" direction="in"/></method>
    <method name="ShowPreview">
      <arg type="i" name="x" direction="in"/><arg type="i" name="y" direction="in"/>
      <arg type="i" name="width" direction="in"/><arg type="i" name="height" direction="in"/>
      <arg type="ay" name="premultipliedArgb" direction="in"/>
    </method>
    <method name="FadePreview">
      <arg type="d" name="alpha" direction="in"/><arg type="u" name="milliseconds" direction="in"/>
    </method>
    <method name="HidePreview"/>
    <method name="SuspendEdgeTiling"><arg type="b" name="userValue" direction="in"/></method>
    <method name="RestoreEdgeTiling"/>
    <signal name="Ready"/>
    <signal name="Closing"/>
    <signal name="Report"><arg type="s"/></signal>
    <signal name="Accelerator"><arg type="u"/></signal>
    <signal name="ClipboardChanged"><arg type="as"/><arg type="b" name="byDovrik"/></signal>
  </interface>
</node>`;

var DovrikShell = class DovrikShell {
    // `gi` holds Clutter, Cogl, Gio, GLib, Meta, Shell and St; `Main` is the Shell's main
    // module; `version` the Shell's major version.
    constructor(gi, Main, version) {
        this._gi = gi;
        this._Main = Main;
        this._version = version;
    }

    enable() {
        const {Gio, Meta} = this._gi;
        this._owner = null;
        this._signals = [];
        this._watched = new Map();
        this._shown = new Set();
        this._accelerators = new Set();
        this._moving = null;
        this._ownSource = null;
        this._edgeTilingBefore = null;
        this._shellPid = new Gio.Credentials().get_unix_pid();
        this._keyboard = this._seat().create_virtual_device(
            this._gi.Clutter.InputDeviceType.KEYBOARD_DEVICE);
        this._exported = Gio.DBusExportedObject.wrapJSObject(SHELL_XML, this._methods());
        this._exported.export(Gio.DBus.session, SHELL_PATH);
        this._nameWatch = Gio.bus_watch_name_on_connection(Gio.DBus.session, DOVRIK_SERVICE,
            Gio.BusNameWatcherFlags.NONE,
            (connection, name, owner) => this._ownerAppeared(owner),
            () => this._ownerVanished());

        const display = global.display;
        this._connect(display, 'window-created', (d, window) => this._windowCreated(window));
        this._connect(display, 'notify::focus-window', () =>
            this._report({type: 'active', id: this._activeId()}));
        this._connect(display, 'grab-op-begin', (d, window, op) => this._grabBegan(window, op));
        this._connect(display, 'grab-op-end', (d, window) => this._grabEnded(window));
        this._connect(display, 'workareas-changed', () => this._reportOutputs());
        this._connect(display, 'restacked', () =>
            this._report({type: 'stacking', ids: this._frontToBack().map(w => String(w.get_id()))}));
        this._connect(display, 'accelerator-activated', (d, action) => {
            if (this._accelerators.has(action))
                this._emit('Accelerator', '(u)', [action]);
        });
        this._connect(this._Main.layoutManager, 'monitors-changed', () => this._reportOutputs());
        this._connect(display.get_selection(), 'owner-changed', (s, type, source) => {
            if (type === Meta.SelectionType.SELECTION_CLIPBOARD)
                this._clipboardChanged(source);
        });
        for (const window of this._windows())
            this._watch(window);
        // A shell that starts shows the overview, which holds the keyboard: keys typed for
        // Dovrik would go to its search field instead of the windows.
        if (this._Main.layoutManager._startingUp)
            this._connect(this._Main.layoutManager, 'startup-complete', () => this._Main.overview.hide());
    }

    disable() {
        this._emit('Closing', null, null);
        this._releaseEverything();
        this._gi.Gio.bus_unwatch_name(this._nameWatch);
        for (const [object, id] of this._signals)
            object.disconnect(id);
        for (const [window, ids] of this._watched) {
            for (const id of ids)
                window.disconnect(id);
        }
        this._exported.unexport();
        this._keyboard.run_dispose();
        this._signals = this._watched = this._shown = this._exported = this._keyboard = null;
    }

    // What another Dovrik left held is let go when it goes, even when it crashed.
    _releaseEverything() {
        const {Meta, Shell} = this._gi;
        for (const action of this._accelerators) {
            global.display.ungrab_accelerator(action);
            this._Main.wm.allowKeybinding(Meta.external_binding_name_for_action(action),
                Shell.ActionMode.NONE);
        }
        this._accelerators.clear();
        this._hidePreviewNow();
        this._restoreEdgeTiling();
        this._endMove();
    }

    _ownerAppeared(owner) {
        this._owner = owner;
        this._emit('Ready', null, null);
    }

    _ownerVanished() {
        this._owner = null;
        this._releaseEverything();
    }

    // Sends to Dovrik's connection only; nothing while Dovrik does not run.
    _emit(name, signature, values) {
        if (!this._owner)
            return;
        const {GLib, Gio} = this._gi;
        try {
            Gio.DBus.session.emit_signal(this._owner, SHELL_PATH, SHELL_INTERFACE, name,
                signature ? new GLib.Variant(signature, values) : null);
        } catch (e) {
            logError(e, 'Dovrik: cannot reach Dovrik');
        }
    }

    _report(message) {
        const [x, y] = global.get_pointer();
        message.cursor = {x, y};
        this._emit('Report', '(s)', [JSON.stringify(message)]);
    }

    // Every method answers Dovrik alone; the others are refused before anything is done.
    _methods() {
        const {GLib, Gio} = this._gi;
        const guarded = body => (params, invocation) => {
            if (!this._owner || invocation.get_sender() !== this._owner) {
                invocation.return_error_literal(Gio.DBusError, Gio.DBusError.ACCESS_DENIED,
                    'Only Dovrik may use this extension.');
                return;
            }
            try {
                body(params, invocation);
            } catch (e) {
                invocation.return_error_literal(Gio.DBusError, Gio.DBusError.FAILED, String(e));
            }
        };
        const answer = (signature, body) => guarded((params, invocation) =>
            invocation.return_value(new GLib.Variant(signature, body(...params))));
        const done = body => guarded((params, invocation) => {
            body(...params);
            invocation.return_value(null);
        });
        return {
            HelloAsync: guarded((params, invocation) => this._refreshConnectors(() =>
                invocation.return_value(new GLib.Variant('(s)', [JSON.stringify(this._hello())])))),
            SetFrameAsync: done((id, x, y, width, height) => this._setFrame(id, x, y, width, height)),
            ActivateAsync: done(id => this._activate(id)),
            PointerAsync: answer('(iiu)', () => global.get_pointer()),
            MonitorsAsync: guarded((params, invocation) => this._monitors(invocation)),
            GrabAcceleratorAsync: answer('(u)', accelerator => [this._grab(accelerator)]),
            UngrabAcceleratorAsync: done(action => this._ungrab(action)),
            ReadClipboardAsync: guarded(([type, limit], invocation) =>
                this._readClipboard(type, limit, invocation)),
            WriteClipboardAsync: done((type, bytes, alsoPrimary) =>
                this._writeClipboard(type, bytes, alsoPrimary)),
            PressKeysAsync: done(keyvals => this._pressKeys(keyvals)),
            ShowPreviewAsync: done((x, y, width, height, pixels) =>
                this._showPreview(x, y, width, height, pixels)),
            FadePreviewAsync: done((alpha, milliseconds) => this._fadePreview(alpha, milliseconds)),
            HidePreviewAsync: done(() => this._hidePreviewNow()),
            SuspendEdgeTilingAsync: done(userValue => this._suspendEdgeTiling(userValue)),
            RestoreEdgeTilingAsync: done(() => this._restoreEdgeTiling()),
        };
    }

    _connect(object, signal, handler) {
        this._signals.push([object, object.connect(signal, handler)]);
    }

    _seat() {
        const backend = global.backend && global.backend.get_default_seat
            ? global.backend : this._gi.Clutter.get_default_backend();
        return backend.get_default_seat();
    }

    // Windows and outputs.

    // The windows of the session's programs; the Shell's own (its hidden X11 window) are not.
    _windows() {
        return global.display.list_all_windows().filter(w =>
            !w.is_override_redirect() && w.get_pid() !== this._shellPid);
    }

    // The windows Dovrik knows of, topmost first.
    _frontToBack() {
        return global.display.sort_windows_by_stacking(this._windows().filter(w => this._shown.has(w)))
            .reverse();
    }

    _byId(id) {
        return this._windows().find(w => String(w.get_id()) === id) || null;
    }

    _activeId() {
        const focus = global.display.focus_window;
        return focus ? String(focus.get_id()) : '';
    }

    _outputs() {
        const layout = this._Main.layoutManager;
        const names = this._connectorsByIndex();
        const describe = monitor => ({
            name: names.get(monitor.index) || String(monitor.index),
            geometry: {x: monitor.x, y: monitor.y, width: monitor.width, height: monitor.height},
            usable: this._plainRect(layout.getWorkAreaForMonitor(monitor.index)),
        });
        // The primary monitor first: it is the one Dovrik's coordinates start from.
        const primary = layout.primaryMonitor;
        return layout.monitors.filter(m => m === primary).concat(
            layout.monitors.filter(m => m !== primary)).map(describe);
    }

    _connectorsByIndex() {
        const names = new Map();
        const manager = global.backend.get_monitor_manager();
        if (!manager.get_monitor_for_connector)
            return names;
        for (const connector of this._connectors || []) {
            const index = manager.get_monitor_for_connector(connector);
            if (index >= 0)
                names.set(index, connector);
        }
        return names;
    }

    _plainRect(r) {
        return {x: r.x, y: r.y, width: r.width, height: r.height};
    }

    _describe(window) {
        const {Meta, Shell} = this._gi;
        const type = window.get_window_type();
        const app = Shell.WindowTracker.get_default().get_window_app(window);
        // Windows of no installed application get a stand-in named "window:N".
        const appId = app && !app.is_window_backed() ? app.get_id().replace(/\.desktop$/, '') : '';
        const monitor = window.get_monitor();
        return {
            id: String(window.get_id()),
            resourceClass: window.get_wm_class() || '',
            resourceName: window.get_wm_class_instance() || '',
            desktopFileName: window.get_gtk_application_id() || appId,
            caption: window.get_title() || '',
            pid: window.get_pid(),
            frame: this._plainRect(window.get_frame_rect()),
            minimized: window.minimized,
            normal: type === Meta.WindowType.NORMAL,
            dialog: type === Meta.WindowType.DIALOG || type === Meta.WindowType.MODAL_DIALOG,
            dock: type === Meta.WindowType.DOCK,
            desktop: type === Meta.WindowType.DESKTOP,
            output: monitor >= 0 ? (this._connectorsByIndex().get(monitor) || String(monitor)) : '',
        };
    }

    _hello() {
        return {
            type: 'hello',
            generation: this._version,
            outputs: this._outputs(),
            // Topmost first, the order the mirror takes them in.
            windows: this._frontToBack().map(w => this._describe(w)),
            active: this._activeId(),
            cursor: (([x, y]) => ({x, y}))(global.get_pointer()),
        };
    }

    _reportOutputs() {
        this._refreshConnectors(() => this._report({type: 'outputs', outputs: this._outputs()}));
    }

    // Monitors by connector with their EDID's vendor, product and serial, as mutter's display
    // configuration tells them.
    _refreshConnectors(then) {
        const {Gio} = this._gi;
        Gio.DBus.session.call('org.gnome.Mutter.DisplayConfig', '/org/gnome/Mutter/DisplayConfig',
            'org.gnome.Mutter.DisplayConfig', 'GetCurrentState', null, null,
            Gio.DBusCallFlags.NONE, -1, null, (connection, result) => {
                try {
                    const [, monitors] = connection.call_finish(result).deepUnpack();
                    this._identities = monitors.map(([spec]) => spec);
                    this._connectors = this._identities.map(([connector]) => connector);
                } catch (e) {
                    logError(e, 'Dovrik: cannot read the monitors');
                }
                then();
            });
    }

    _monitors(invocation) {
        this._refreshConnectors(() => invocation.return_value(
            new this._gi.GLib.Variant('(a(ssss))', [this._identities || []])));
    }

    _windowCreated(window) {
        if (window.is_override_redirect() || window.get_pid() === this._shellPid)
            return;
        this._watch(window, true);
    }

    // A new window is told of once it has drawn its first frame, when mutter has placed it: a
    // frame Dovrik set before that would give way to mutter's own placement.
    _watch(window, isNew = false) {
        if (this._watched.has(window))
            return;
        const changed = () => {
            if (this._moving === window || !this._shown.has(window))
                return;
            this._report({type: 'windowChanged', window: this._describe(window)});
        };
        const ids = [
            window.connect('position-changed', changed),
            window.connect('size-changed', changed),
            window.connect('notify::title', changed),
            window.connect('notify::minimized', changed),
            window.connect('unmanaged', () => {
                this._unwatch(window);
                if (this._shown.delete(window))
                    this._report({type: 'windowRemoved', id: String(window.get_id())});
            }),
        ];
        this._watched.set(window, ids);
        const announce = () => {
            if (!this._shown || this._shown.has(window))
                return;
            this._shown.add(window);
            this._report({type: 'windowAdded', window: this._describe(window)});
            if (global.display.focus_window === window)
                this._report({type: 'active', id: String(window.get_id())});
        };
        const actor = window.get_compositor_private();
        if (!isNew) {
            announce();
        } else if (actor) {
            const firstFrame = actor.connect('first-frame', () => {
                actor.disconnect(firstFrame);
                announce();
            });
        } else {
            ids.push(window.connect('shown', announce));
        }
    }

    _unwatch(window) {
        for (const id of this._watched.get(window) || [])
            window.disconnect(id);
        this._watched.delete(window);
    }

    _setFrame(id, x, y, width, height) {
        const {Meta} = this._gi;
        const window = this._byId(id);
        if (!window)
            throw new Error(`no window ${id}`);
        if (window.get_maximized())
            window.unmaximize(Meta.MaximizeFlags.BOTH);
        window.move_resize_frame(true, x, y, width, height);
    }

    _activate(id) {
        const window = this._byId(id);
        if (!window)
            throw new Error(`no window ${id}`);
        this._Main.activateWindow(window);
    }

    // Title-bar moves, with the pointer followed while the button is held: mutter tells only
    // where a move begins and ends.

    _grabBegan(window, op) {
        const {Meta, GLib} = this._gi;
        if (!window || op !== Meta.GrabOp.MOVING || !this._shown.has(window))
            return;
        this._endMove();
        this._moving = window;
        this._report({type: 'moveBegin', id: String(window.get_id())});
        let last = null;
        this._movePoll = GLib.timeout_add(GLib.PRIORITY_DEFAULT, 16, () => {
            const [x, y] = global.get_pointer();
            if (!last || last[0] !== x || last[1] !== y) {
                last = [x, y];
                this._report({type: 'moveStep', id: String(window.get_id())});
            }
            return GLib.SOURCE_CONTINUE;
        });
    }

    _grabEnded(window) {
        if (!this._moving || this._moving !== window)
            return;
        this._endMove();
        this._report({type: 'moveEnd', id: String(window.get_id())});
        this._report({type: 'windowChanged', window: this._describe(window)});
    }

    _endMove() {
        if (this._movePoll)
            this._gi.GLib.source_remove(this._movePoll);
        this._movePoll = null;
        this._moving = null;
    }

    // Hotkeys. Mutter refuses a combination one of its own bindings or another program holds.

    _grab(accelerator) {
        const {Meta, Shell} = this._gi;
        const action = global.display.grab_accelerator(accelerator, Meta.KeyBindingFlags.NONE);
        if (action === Meta.KeyBindingAction.NONE)
            return 0;
        this._Main.wm.allowKeybinding(Meta.external_binding_name_for_action(action),
            Shell.ActionMode.NORMAL | Shell.ActionMode.OVERVIEW | Shell.ActionMode.POPUP);
        this._accelerators.add(action);
        return action;
    }

    _ungrab(action) {
        const {Meta, Shell} = this._gi;
        if (!this._accelerators.delete(action))
            return;
        global.display.ungrab_accelerator(action);
        this._Main.wm.allowKeybinding(Meta.external_binding_name_for_action(action),
            Shell.ActionMode.NONE);
    }

    // The clipboard.

    _clipboardChanged(source) {
        const {Meta} = this._gi;
        const types = global.display.get_selection().get_mimetypes(
            Meta.SelectionType.SELECTION_CLIPBOARD);
        this._emit('ClipboardChanged', '(asb)', [types, source !== null && source === this._ownSource]);
    }

    _readClipboard(type, limit, invocation) {
        const {Gio, GLib, Meta} = this._gi;
        const stream = Gio.MemoryOutputStream.new_resizable();
        global.display.get_selection().transfer_async(Meta.SelectionType.SELECTION_CLIPBOARD,
            type, -1, stream, null, (selection, result) => {
                try {
                    selection.transfer_finish(result);
                    stream.close(null);
                    const bytes = stream.steal_as_bytes();
                    if (bytes.get_size() > limit)
                        throw new Error(`more than ${limit} bytes`);
                    invocation.return_value(new GLib.Variant('(ay)', [bytes.toArray()]));
                } catch (e) {
                    invocation.return_error_literal(Gio.DBusError, Gio.DBusError.FAILED, String(e));
                }
            });
    }

    _writeClipboard(type, bytes, alsoPrimary) {
        const {GLib, Meta} = this._gi;
        const selection = global.display.get_selection();
        const data = new GLib.Bytes(bytes);
        // Set before the owner changes, so that the change is known as Dovrik's own.
        this._ownSource = Meta.SelectionSourceMemory.new(type, data);
        if (alsoPrimary) {
            selection.set_owner(Meta.SelectionType.SELECTION_PRIMARY,
                Meta.SelectionSourceMemory.new(type, data));
        }
        selection.set_owner(Meta.SelectionType.SELECTION_CLIPBOARD, this._ownSource);
    }

    // The paste keystroke, from one virtual keyboard kept for as long as the extension runs:
    // each new keyboard would make the focused client load a new keymap first.
    _pressKeys(keyvals) {
        const {Clutter, GLib} = this._gi;
        let time = GLib.get_monotonic_time();
        for (const keyval of keyvals)
            this._keyboard.notify_keyval(time++, keyval, Clutter.KeyState.PRESSED);
        for (const keyval of [...keyvals].reverse())
            this._keyboard.notify_keyval(time++, keyval, Clutter.KeyState.RELEASED);
    }

    // The snap preview: Dovrik paints it, the Shell shows it above the windows, without input.

    _showPreview(x, y, width, height, pixels) {
        const {Clutter, Cogl, St} = this._gi;
        if (!this._preview) {
            this._preview = new St.Widget({name: 'dovrik-snap-preview', reactive: false, opacity: 0});
            this._Main.layoutManager.uiGroup.add_child(this._preview);
        }
        const image = new Clutter.Image();
        image.set_data(pixels, Cogl.PixelFormat.BGRA_8888_PRE, width, height, width * 4);
        this._preview.set_content(image);
        this._preview.set_position(x, y);
        this._preview.set_size(width, height);
        this._preview.show();
    }

    _fadePreview(alpha, milliseconds) {
        const {Clutter} = this._gi;
        if (!this._preview)
            return;
        this._preview.remove_all_transitions();
        const opacity = Math.round(Math.max(0, Math.min(1, alpha)) * 255);
        if (milliseconds === 0)
            this._preview.opacity = opacity;
        else
            this._preview.ease({opacity, duration: milliseconds, mode: Clutter.AnimationMode.EASE_OUT_QUAD});
    }

    _hidePreviewNow() {
        if (!this._preview)
            return;
        this._preview.destroy();
        this._preview = null;
    }

    // mutter's own edge tiling would act on the same drop as Dovrik's drag snapping: it is off
    // while Dovrik asks, and the user's value comes back when Dovrik or the extension goes.

    _mutterSettings() {
        return new this._gi.Gio.Settings({schema_id: 'org.gnome.mutter'});
    }

    // `userValue` is the value to put back: Dovrik read it before anything changed it, which
    // may have been through GNOME's settings before the extension answered.
    _suspendEdgeTiling(userValue) {
        const settings = this._mutterSettings();
        if (this._edgeTilingBefore === null)
            this._edgeTilingBefore = userValue;
        settings.set_boolean('edge-tiling', false);
        // Written before the answer goes out, so that Dovrik reading the value back sees it.
        this._gi.Gio.Settings.sync();
    }

    _restoreEdgeTiling() {
        if (this._edgeTilingBefore === null)
            return;
        this._mutterSettings().set_boolean('edge-tiling', this._edgeTilingBefore);
        this._gi.Gio.Settings.sync();
        this._edgeTilingBefore = null;
    }
};
