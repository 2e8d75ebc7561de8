// The look and manners Dovrik's small stand-alone windows share (the layout prompt, updates,
// relocation, the first run): the theme's colours, a bold heading, text-only buttons in the
// desktop's order with one accented default, focus rings only for the keyboard, and no
// minimise or maximise on windows whose size is fixed.
#pragma once

#include <QColor>
#include <QDialogButtonBox>
#include <QPalette>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "core/theme/ColorScheme.h"

namespace dovrik::ui {

// A title and a close button: a window of fixed size has nothing to maximise, and these
// windows have nothing to minimise to.
inline constexpr Qt::WindowFlags standaloneWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// The window's own colour: a shade off the surface, so that cards in the surface colour stand
// out from it in both schemes.
QColor standaloneWindowBackground(ColorScheme scheme);

// Buttons only: a bordered button, the accented "primary" one, and the ring of a button the
// keyboard moved to. For windows whose other widgets keep their own look.
QString standaloneButtonStyle(ColorScheme scheme, const QPalette& palette);

// The whole window: its background, labels named "heading", "explanation" and "failure", a
// read-only "releaseNotes" label on a card, a line edit, and the buttons.
QString standaloneWindowStyle(ColorScheme scheme, const QPalette& palette);

// Styles `window` with `styleSheet` and shows focus rings only while the keyboard moves focus.
void applyStandaloneStyle(QWidget& window, const QString& styleSheet);

// Shows `window` at the size of its content, titled `title`, centred on the screen under the
// pointer and activated, with the keyboard on `focus` (without a focus ring).
void presentStandalone(QWidget& window, const QString& title, QWidget& focus);

// Puts `button` in `box` with `role`: the box orders it as the desktop orders dialog buttons.
// The accept button is the default one, which Return presses, and is accented.
void placeDialogButton(QDialogButtonBox& box, QPushButton& button,
                       QDialogButtonBox::ButtonRole role);
// A new text-only button placed so.
QPushButton* addDialogButton(QDialogButtonBox& box, const QString& text,
                             QDialogButtonBox::ButtonRole role);

}  // namespace dovrik::ui
