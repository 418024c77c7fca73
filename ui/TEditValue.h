// Base of the validated edit fields that hold a number (right ascension, declination, size,
// magnitude): a bad entry gives 0.0.
#pragma once

#include "ui/TEditParsed.h"

#include <string>

class TEditValue : public TEditParsed<double> {
public:
    TEditValue(QWidget* parent, int textLimit, ValueKind kind, const char* errorTitle);

    ValueKind Kind() const { return kind_; }

protected:
    double Parse(const std::string& text) override { return converter_.ParseValue(text, kind_); }
    std::string Format(const double& value) override { return converter_.FormatValue(value, kind_); }
    double Fallback() const override { return 0.0; }

private:
    ValueKind kind_;
};
