// Validators attached to edit controls: a dialog's can-close step asks each one in turn.
#pragma once

#include <string>
#include <vector>

class QWidget;

namespace fw {

class Validator {
public:
    virtual ~Validator() = default;
    // True when the text is acceptable as the control's final value.
    virtual bool IsValid(const std::string& text) const = 0;
    // Tells the user why the text was refused (a message box).
    virtual void Error(QWidget* owner) const;
    // The text of that message.
    virtual std::string ErrorText() const = 0;
};

// An integer from minimum to maximum (blanks around it allowed).
class RangeValidator : public Validator {
public:
    RangeValidator(long minimum, long maximum) : min_(minimum), max_(maximum) {}
    bool IsValid(const std::string& text) const override;
    std::string ErrorText() const override;
    long Min() const { return min_; }
    long Max() const { return max_; }

private:
    long min_;
    long max_;
};

// One of a list of strings (letter case ignored).
class StringLookupValidator : public Validator {
public:
    explicit StringLookupValidator(std::vector<std::string> strings) : strings_(std::move(strings)) {}
    bool IsValid(const std::string& text) const override;
    std::string ErrorText() const override;
    const std::vector<std::string>& Strings() const { return strings_; }

private:
    std::vector<std::string> strings_;
};

}  // namespace fw
