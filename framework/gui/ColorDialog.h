// The colour dialog: starts at a colour, shows a row of 16 custom colours that it may
// change, and gives the chosen colour on OK. Tests install a responder instead of the window.
#pragma once

#include <array>
#include <functional>

#include <QColor>

class QWidget;

using ColorDialogCustomRow = std::array<QColor, 16>;

// True when the user chose a colour (then color holds it); custom, when given, is shown
// and takes the user's changes to the custom row.
bool RunColorDialog(QWidget* owner, QColor& color, ColorDialogCustomRow* custom = nullptr);

// A responder gets the starting colour and returns true with the chosen colour set, or false
// for Cancel.
using ColorDialogResponder = std::function<bool(QColor& color)>;
ColorDialogResponder SetColorDialogResponder(ColorDialogResponder responder);
