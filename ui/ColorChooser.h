// The colour dialog: starts at a colour, shows a row of 16 custom colours that the user may
// change, and gives the chosen colour on OK. Tests install a responder that answers instead
// of the dialog, so that no test waits on a modal window.
#pragma once

#include "ui/ConfigInfo.h"

#include <array>
#include <functional>

class QWidget;

using CustomColors = std::array<RGBColor, 16>;

// Shows the dialog owned by parent. On OK stores the choice in color and gives true; the
// custom colours take the user's changes whatever the answer.
bool ChooseColor(QWidget* parent, RGBColor& color, CustomColors& customColors);

// A responder gets the starting colour and the custom colours and answers like the user:
// true with the chosen colour in color, false for Cancel.
using ColorChooserResponder = std::function<bool(RGBColor& color, CustomColors& customColors)>;
// Installs a responder (empty: the real dialog again); gives the one it replaces.
ColorChooserResponder SetColorChooserResponder(ColorChooserResponder responder);

// For tests: answers every colour dialog while it lives, with the given colour or Cancel,
// and counts the dialogs and records the colour each one started at.
class ScriptedColorChooser {
public:
    // Answers OK with this colour.
    explicit ScriptedColorChooser(RGBColor answer);
    // Answers Cancel.
    ScriptedColorChooser();
    ~ScriptedColorChooser();
    ScriptedColorChooser(const ScriptedColorChooser&) = delete;
    ScriptedColorChooser& operator=(const ScriptedColorChooser&) = delete;

    int Count() const { return count_; }
    RGBColor LastStart() const { return lastStart_; }

private:
    bool cancel_;
    RGBColor answer_ = 0;
    int count_ = 0;
    RGBColor lastStart_ = 0;
    ColorChooserResponder previous_;
};
