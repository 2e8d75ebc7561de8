// What the gnome tests see and do inside GNOME Shell, as a user at the machine would: the
// windows with their frames and focus, keys typed and the pointer moved and pressed on virtual
// devices of the seat. For tests only: it answers anyone on the session bus.
'use strict';

const {Clutter, Gio, GLib, Shell} = imports.gi;
const Main = imports.ui.main;

const PROBE_XML = `<node>
  <interface name="org.dovrik.test.Probe">
    <method name="Windows"><arg type="s" direction="out"/></method>
    <method name="Keys"><arg type="au" name="keyvals" direction="in"/></method>
    <method name="PointerTo">
      <arg type="d" name="x" direction="in"/><arg type="d" name="y" direction="in"/>
    </method>
    <method name="Button"><arg type="b" name="pressed" direction="in"/></method>
    <method name="Focus"><arg type="s" name="title" direction="in"/></method>
    <method name="Moving"><arg type="b" direction="out"/></method>
    <method name="PreviewShown"><arg type="b" direction="out"/></method>
    <method name="Screenshot"><arg type="s" name="path" direction="in"/></method>
  </interface>
</node>`;

class Probe {
    enable() {
        const seat = Clutter.get_default_backend().get_default_seat();
        this._keyboard = seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
        this._pointer = seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
        this._object = Gio.DBusExportedObject.wrapJSObject(PROBE_XML, this);
        this._object.export(Gio.DBus.session, '/org/dovrik/test/Probe');
        this._moving = false;
        this._grabs = [
            global.display.connect('grab-op-begin', () => (this._moving = true)),
            global.display.connect('grab-op-end', () => (this._moving = false)),
        ];
        // The overview a starting Shell shows would take the keys typed for the windows.
        if (Main.layoutManager._startingUp) {
            this._startup = Main.layoutManager.connect('startup-complete',
                () => Main.overview.hide());
        }
    }

    disable() {
        if (this._startup)
            Main.layoutManager.disconnect(this._startup);
        for (const id of this._grabs)
            global.display.disconnect(id);
        this._object.unexport();
        this._keyboard.run_dispose();
        this._pointer.run_dispose();
    }

    Windows() {
        const focus = global.display.focus_window;
        return JSON.stringify(global.display.list_all_windows().map(w => {
            const r = w.get_frame_rect();
            return {
                title: w.get_title() || '', wmClass: w.get_wm_class() || '',
                x: r.x, y: r.y, width: r.width, height: r.height, focused: w === focus,
            };
        }));
    }

    Keys(keyvals) {
        let time = GLib.get_monotonic_time();
        for (const keyval of keyvals)
            this._keyboard.notify_keyval(time++, keyval, Clutter.KeyState.PRESSED);
        for (const keyval of [...keyvals].reverse())
            this._keyboard.notify_keyval(time++, keyval, Clutter.KeyState.RELEASED);
    }

    PointerTo(x, y) {
        this._pointer.notify_absolute_motion(GLib.get_monotonic_time(), x, y);
    }

    Button(pressed) {
        this._pointer.notify_button(GLib.get_monotonic_time(), Clutter.BUTTON_PRIMARY,
            pressed ? Clutter.ButtonState.PRESSED : Clutter.ButtonState.RELEASED);
    }

    // Whether mutter moves a window with the pointer: it has taken the press as a move.
    Moving() {
        return this._moving;
    }

    // Whether Dovrik's snap preview shows, at least half opaque.
    PreviewShown() {
        const preview = Main.layoutManager.uiGroup.get_children()
            .find(child => child.get_name() === 'dovrik-snap-preview');
        return Boolean(preview && preview.visible && preview.opacity >= 128);
    }

    // The whole screen as a PNG file, written once the call is answered.
    ScreenshotAsync([path], invocation) {
        const stream = Gio.File.new_for_path(path).replace(null, false,
            Gio.FileCreateFlags.NONE, null);
        new Shell.Screenshot().screenshot(false, stream, (shooter, result) => {
            try {
                shooter.screenshot_finish(result);
                stream.close(null);
                invocation.return_value(null);
            } catch (e) {
                invocation.return_error_literal(Gio.DBusError, Gio.DBusError.FAILED, String(e));
            }
        });
    }

    Focus(title) {
        const window = global.display.list_all_windows().find(w => w.get_title() === title);
        if (window)
            Main.activateWindow(window);
    }
}

function init() {
    return new Probe();
}
