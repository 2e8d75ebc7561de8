// Dovrik's Shell extension as GNOME 43 and 44 load it: a script that hands the Shell's
// libraries to the agent in shell.js.
'use strict';

const {Clutter, Cogl, Gio, GLib, Meta, Shell, St} = imports.gi;
const Main = imports.ui.main;
const Config = imports.misc.config;
const Me = imports.misc.extensionUtils.getCurrentExtension();

function init() {
    return new Me.imports.shell.DovrikShell({Clutter, Cogl, Gio, GLib, Meta, Shell, St}, Main,
        parseInt(Config.PACKAGE_VERSION, 10));
}
