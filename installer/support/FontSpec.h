// A font described by face, height, escapement, weight and slant, created for a context or a
// window, selected into it and deselected again.
#pragma once

#include "framework/gui/DC.h"

#include <QFont>
#include <string>

class QWidget;

namespace kw {

class FontSpec {
public:
    void Set(const std::string& face, int height, int escapement, bool bold, bool italic);
    // The font at its height (positive: scaled by the context's pixels per point).
    fw::Font CreateFor(const fw::DC& dc) const;
    QFont CreateForWindow(QWidget* window) const;
    // The height scaled so that the text fits the width in the context (never above the set height).
    int FitText(const fw::DC& dc, const std::string& text, int width) const;
    void SelectInto(fw::DC& dc);
    void ApplyToWindow(QWidget* window);
    void Deselect();
    int TextWidth(fw::DC& dc, const std::string& text);
    int TextHeight(fw::DC& dc, const std::string& text);
    int Escapement() const { return escapement_; }

private:
    int Scaled(int logPixelsY) const;
    std::string face_ = "MS Sans Serif";
    int height_ = 8;
    int escapement_ = 0;
    bool bold_ = false;
    bool italic_ = false;
    fw::DC* selectedDc_ = nullptr;
    fw::Font previousFont_;
    QWidget* selectedWindow_ = nullptr;
    QFont previousWindowFont_;
};

} // namespace kw
