// A percentage bar: a filled part in proportion to the value and a caption built from a
// printf-style format with the value ("%d%%" shows "42%").
#pragma once

#include <string>

#include <QWidget>

namespace fw {

class Gauge : public QWidget {
public:
    explicit Gauge(QWidget* parent = nullptr, const std::string& format = "%d%%",
                   bool horizontal = true);

    void SetRange(int minimum, int maximum);
    int GetMin() const { return min_; }
    int GetMax() const { return max_; }
    // Clamped to the range; repaints when it changes.
    void SetValue(int value);
    int GetValue() const { return value_; }
    // The caption format; "%d" stands for the value, "%%" for a percent sign.
    void SetCaption(const std::string& format);
    std::string GetCaption() const { return format_; }
    // The caption as it is drawn now.
    std::string Text() const;
    // Blank space between the frame and the filled part, in pixels.
    void SetMargin(int pixels);
    void SetColor(QColor fill) { fill_ = fill; update(); }

    QSize sizeHint() const override { return {200, 22}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::string format_;
    bool horizontal_;
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
    int margin_ = 0;
    QColor fill_{0, 0, 128};
};

}  // namespace fw
