// The colour chooser: starts at a colour, shows a row of 16 custom colours that it may
// change, and gives the chosen colour on OK. Tests install a responder instead of the window.
#pragma once

#include <array>

#include <QColor>

#include "framework/gui/Responder.h"

class QWidget;

namespace fw {

using CustomColors = std::array<QColor, 16>;

// True when the user chose a colour (then color holds it); custom, when given, is shown
// and takes the user's changes to the custom row on OK only: Cancel leaves both as they were.
bool ChooseColor(QWidget* owner, QColor& color, CustomColors* custom = nullptr);

// A responder gets the starting colour and the custom row (the given one, or a row of its
// own when none is given) and returns true with the chosen colour set, or false for Cancel.
using ColorChooserSeam = ModalSeam<struct ColorChooserTag, bool(QColor& color, CustomColors& custom)>;

}  // namespace fw
