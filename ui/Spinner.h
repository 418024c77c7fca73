// An integer field with arrows that step its value, for the parts of a date, a time and an
// angle: a number between limits (style 0) or a month shown by its name (style 2).
#pragma once

#include "framework/gui/Edit.h"

#include <QFont>

#include <functional>
#include <string>

namespace fw { class ControlHost; }
class QScrollBar;

class spinner : public fw::Edit {
public:
    enum Style { Number = 0, MonthName = 2 };

    // Registers itself with the host under the id (when a host is given), with a range
    // validator for minimum to maximum (style 0) or a month-name validator (style 2).
    spinner(fw::ControlHost* host, int id, int minimum, int maximum, int textLimit, int style,
            QWidget* parent = nullptr);

    // A value outside the limits changes nothing; returns the current value.
    int SetValue(int value);
    // Style 0: the integer in the first 5 characters; style 2: the month number of the name
    // (0 when the text is no month name). The result becomes the current value.
    int GetValue();

    // The arrows. A value typed beyond the limits is stepped from where it is.
    void LineUp();
    void LineDown();
    // Shows or hides the arrows (a field the user may not change shows none).
    void ShowArrows(bool show);

    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    int Style() const { return style_; }

    // The field's size follows its own font, never the enlarged one that fills it: the text's
    // height comes from the field's height, so a size taken from that text would grow the field
    // again with every layout pass.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // A size computed with the present font, given as it would be with the field's own font
    // (the widths: the hint's text width in each font).
    QSize WithOwnFont(QSize size, int ownWidth, int nowWidth) const;

    QFont ownFont_;
    bool scaling_ = false;
    int minimum_;
    int maximum_;
    int value_;
    int style_;
    QScrollBar* arrows_;
};

// Gives an edit field a small vertical scroll bar at its right edge whose upper arrow (and the
// Up key) calls `up` and whose lower arrow (and the Down key) calls `down`.
QScrollBar* AttachArrows(QWidget* field, std::function<void()> up, std::function<void()> down);
