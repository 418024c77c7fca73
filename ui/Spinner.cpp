#include "ui/Spinner.h"

#include "framework/gui/ControlHost.h"
#include "framework/gui/Validator.h"
#include "framework/stream/Date.h"
#include "framework/stream/StringUtil.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include <cstdlib>
#include <memory>

namespace {

// The scroll bar beside a field: it stays in its middle position, so both arrows always work,
// and follows the field's size.
class FieldArrows : public QScrollBar {
public:
    FieldArrows(QWidget* field, std::function<void()> up, std::function<void()> down)
        : QScrollBar(Qt::Vertical, field), field_(field), up_(std::move(up)), down_(std::move(down))
    {
        setRange(0, 2);
        setValue(1);
        setPageStep(1);
        setCursor(Qt::ArrowCursor);
        setFocusPolicy(Qt::NoFocus);
        connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
            if (action == QAbstractSlider::SliderSingleStepSub)
                up_();
            else if (action == QAbstractSlider::SliderSingleStepAdd)
                down_();
        });
        connect(this, &QAbstractSlider::valueChanged, this, [this](int v) {
            if (v != 1) {
                const QSignalBlocker block(this);
                setValue(1);
            }
        });
        field->installEventFilter(this);
        Place();
    }

    void Place()
    {
        const int width = 16;
        const int frame = 1;
        setGeometry(field_->width() - width - frame, frame, width, field_->height() - 2 * frame);
        if (auto* edit = qobject_cast<QLineEdit*>(field_)) {
            const QMargins m = edit->textMargins();
            edit->setTextMargins(m.left(), m.top(), width, m.bottom());
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == field_) {
            if (event->type() == QEvent::Resize) {
                Place();
            } else if (event->type() == QEvent::KeyPress) {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Up) { up_(); return true; }
                if (key == Qt::Key_Down) { down_(); return true; }
            }
        }
        return QScrollBar::eventFilter(watched, event);
    }

private:
    QWidget* field_;
    std::function<void()> up_;
    std::function<void()> down_;
};

std::vector<std::string> MonthNames()
{
    std::vector<std::string> names;
    for (unsigned m = 1; m <= 12; ++m)
        names.emplace_back(fw::TDate::MonthName(m));
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

QScrollBar* AttachArrows(QWidget* field, std::function<void()> up, std::function<void()> down)
{
    return new FieldArrows(field, std::move(up), std::move(down));
}

spinner::spinner(fw::ControlHost* host, int id, int minimum, int maximum, int textLimit, int style, QWidget* parent)
    : fw::Edit(parent ? parent : (host ? host->Self() : nullptr), textLimit),
      minimum_(minimum), maximum_(maximum), value_(minimum), style_(style == MonthName ? MonthName : Number)
{
    arrows_ = AttachArrows(this, [this] { LineUp(); }, [this] { LineDown(); });
    QPalette p = palette();
    p.setColor(QPalette::Base, QColor(192, 192, 192));
    setPalette(p);
    QFont f("Arial");
    f.setWeight(QFont::Normal);
    setFont(f);
    ownFont_ = font();
    if (host) {
        host->AddControl(id, this);
        if (style_ == Number)
            host->SetValidator(id, std::make_unique<fw::RangeValidator>(minimum, maximum));
        else
            host->SetValidator(id, std::make_unique<fw::StringLookupValidator>(MonthNames()));
    }
}

void spinner::resizeEvent(QResizeEvent* event)
{
    fw::Edit::resizeEvent(event);
    // The text fills the field: a character height of the field's inner height less 2 pixels.
    QFont f = font();
    f.setPixelSize(std::max(8, contentsRect().height() - 2 - 6));
    if (f == font()) return;
    scaling_ = true;
    setFont(f);
    scaling_ = false;
}

QSize spinner::WithOwnFont(QSize size, int ownWidth, int nowWidth) const
{
    size.rwidth() += ownWidth - nowWidth;
    size.rheight() += QFontMetrics(ownFont_).height() - fontMetrics().height();
    return size;
}

QSize spinner::sizeHint() const
{
    // A line edit's hint is 17 'x' wide and one line high, plus its frame and margins.
    constexpr int kHintChars = 17;
    const QChar x(QLatin1Char('x'));
    return WithOwnFont(fw::Edit::sizeHint(), QFontMetrics(ownFont_).horizontalAdvance(x) * kHintChars,
                       fontMetrics().horizontalAdvance(x) * kHintChars);
}

QSize spinner::minimumSizeHint() const
{
    // Its least size is one widest character wide.
    return WithOwnFont(fw::Edit::minimumSizeHint(), QFontMetrics(ownFont_).maxWidth(), fontMetrics().maxWidth());
}

void spinner::changeEvent(QEvent* event)
{
    fw::Edit::changeEvent(event);
    // A font given from outside becomes the field's own.
    if (event->type() == QEvent::FontChange && !scaling_) ownFont_ = font();
}

int spinner::SetValue(int value)
{
    if (value < minimum_ || value > maximum_)
        return value_;
    value_ = value;
    if (style_ == MonthName)
        SetText(fw::TDate::MonthName(static_cast<unsigned>(value)));
    else
        SetInt(value);
    return value_;
}

int spinner::GetValue()
{
    const std::string text = GetText();
    const std::string firstLine = text.substr(0, text.find('\n'));
    if (style_ == MonthName) {
        const std::string name = fw::Trim(firstLine.substr(0, 14));
        value_ = 0;
        for (unsigned m = 1; m <= 12; ++m)
            if (fw::EqualsIgnoreCase(name, fw::TDate::MonthName(m)))
                value_ = static_cast<int>(m);
    } else {
        value_ = std::atoi(firstLine.substr(0, 5).c_str());
    }
    return value_;
}

void spinner::LineUp()
{
    const int v = GetValue();
    if (style_ == MonthName) {
        if (v != 1)
            SetValue(v - 1);
    } else if (v != maximum_) {
        SetInt(v + 1);
        value_ = v + 1;
    }
}

void spinner::LineDown()
{
    const int v = GetValue();
    if (style_ == MonthName) {
        if (v != 12)
            SetValue(v + 1);
    } else if (v != minimum_) {
        SetInt(v - 1);
        value_ = v - 1;
    }
}

void spinner::ShowArrows(bool show)
{
    if (arrows_) arrows_->setVisible(show);
}
