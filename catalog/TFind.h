// "Object Finder": the user types or taps a designation (NGC n, IC n, M n) or picks an object
// by its common name. OK checks the text and keeps it with the catalogue number it names
// (NGC n as n, IC n as 10000 + n); an unusable text is reported and the dialog stays open.
#pragma once

#include "framework/gui/Dialog.h"

#include <cstdint>
#include <string>

namespace fw { class Edit; }

class TFind : public fw::Dialog {
public:
    static constexpr int kTemplate = 24;
    static constexpr int kHelpContext = 81;
    static constexpr int kTextLimit = 80;
    enum : int { kNgc = 101, kIc = 102, kMessier = 103, kText = 104, kCommonName = 107 };
    // The digit buttons by digit, 0 to 9.
    static constexpr int kDigitButtons[10] = {112, 105, 109, 113, 106, 110, 114, 111, 115, 108};

    explicit TFind(QWidget* parent, int resourceId = kTemplate);

    // After OK: the catalogue number of the object and the text the user confirmed.
    std::int32_t result = 0;
    std::string text;

protected:
    void CmOk() override;

private:
    void StartWith(const char* prefix);
    void AppendDigit(int digit);
    void CmCommonName();
    void Refuse(const char* message);

    fw::Edit* edit_;
};
