// Dovrik's Shell extension as GNOME 45 and later load it: an ES module that hands the Shell's
// libraries to the agent in shell.js.
import Clutter from 'gi://Clutter';
import Cogl from 'gi://Cogl';
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Meta from 'gi://Meta';
import Shell from 'gi://Shell';
import St from 'gi://St';

import * as Config from 'resource:///org/gnome/shell/misc/config.js';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

import {DovrikShell} from './shell.js';

export default class DovrikExtension extends Extension {
    enable() {
        this._shell = new DovrikShell({Clutter, Cogl, Gio, GLib, Meta, Shell, St}, Main,
            parseInt(Config.PACKAGE_VERSION, 10));
        this._shell.enable();
    }

    disable() {
        this._shell.disable();
        this._shell = null;
    }
}
