#include "catalog/TFind.h"

#include "catalog/CommonNameDlg.h"
#include "catalog/NamedObjects.h"
#include "framework/gui/Edit.h"
#include "framework/gui/MessageBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>
#include <QVBoxLayout>

#include <cstdlib>
#include <regex>
#include <utility>

namespace {

// Letters put into the finder's field become capitals.
class UpperCase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

constexpr int kReadLength = 79;
constexpr long kLastNgc = 7840;
constexpr long kLastIc = 5386;
constexpr std::int32_t kIcCatalogueBase = 10000;

// The keypad: digit buttons in rows of three, the 0 below the middle column.
struct Key {
    int digit;
    int row;
    int column;
};
const Key kKeys[] = {{1, 0, 0}, {2, 0, 1}, {3, 0, 2}, {4, 1, 0}, {5, 1, 1},
                     {6, 1, 2}, {7, 2, 0}, {8, 2, 1}, {9, 2, 2}, {0, 3, 1}};

} // namespace

TFind::TFind(QWidget* parent, int /*resourceId*/) : fw::Dialog(parent, "Object Finder")
{
    edit_ = Place(kText, new fw::Edit(this, kTextLimit), 0, 0, 1, 2);
    edit_->setValidator(new UpperCase(edit_));
    edit_->setMinimumWidth(300);

    auto* catalogue = new QGroupBox("Catalogue", this);
    auto* catalogueColumn = new QVBoxLayout(catalogue);
    const std::pair<int, const char*> choices[] = {
        {kCommonName, "Common Name"}, {kMessier, "Messier"}, {kNgc, "NGC"}, {kIc, "IC"}};
    for (const auto& [id, label] : choices)
        catalogueColumn->addWidget(AddControl(id, new QRadioButton(label, catalogue)));
    catalogueColumn->addStretch(1);
    Body()->addWidget(catalogue, 1, 0);

    auto* keypad = new QGroupBox("Number", this);
    auto* keys = new QGridLayout(keypad);
    for (const Key& k : kKeys) {
        auto* button = AddControl(kDigitButtons[k.digit], new QPushButton(QString::number(k.digit), keypad));
        button->setAutoDefault(false);
        button->setFixedWidth(44);
        keys->addWidget(button, k.row, k.column);
        OnCommand(kDigitButtons[k.digit], [this, d = k.digit] { AppendDigit(d); });
    }
    Body()->addWidget(keypad, 1, 1);
    AddStandardButtons(kHelpContext);

    OnCommand(kNgc, [this] { StartWith("NGC "); });
    OnCommand(kIc, [this] { StartWith("IC "); });
    OnCommand(kMessier, [this] { StartWith("M "); });
    OnCommand(kCommonName, [this] { CmCommonName(); });
}

void TFind::StartWith(const char* prefix)
{
    edit_->SetText(prefix);
}

void TFind::AppendDigit(int digit)
{
    edit_->SetText(edit_->GetText().substr(0, kReadLength) + char('0' + digit));
}

void TFind::CmCommonName()
{
    edit_->SetText("");
    CommonNameDlg dlg(this);
    if (dlg.Execute() == fw::IDOK)
        edit_->SetText(dlg.resultText);
}

void TFind::Refuse(const char* message)
{
    fw::MessageBox(this, message, "ERROR", fw::MB_OK | fw::MB_ICONEXCLAMATION);
}

void TFind::CmOk()
{
    // The field shows capitals only; the text is read the same way whatever put it there.
    std::string upper = edit_->GetText().substr(0, kReadLength);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');

    enum class Catalogue { Messier, Ic, Ngc } catalogue;
    static const std::regex messier("^M[ ]*[0-9]+"), ic("^IC[ ]*[0-9]+"), ngc("^NGC[ ]*[0-9]+");
    if (std::regex_search(upper, messier))
        catalogue = Catalogue::Messier;
    else if (std::regex_search(upper, ic))
        catalogue = Catalogue::Ic;
    else if (std::regex_search(upper, ngc))
        catalogue = Catalogue::Ngc;
    else
        return Refuse("NGC, IC or M must precede value");

    // The first run of digits; a run too long for any designation stands for a number out
    // of every range.
    static const std::regex digits("[0-9]+");
    std::smatch match;
    std::regex_search(upper, match, digits);
    const std::string run = match.str();
    const long number = run.size() > 9 ? 1000000000L : std::strtol(run.c_str(), nullptr, 10);

    std::int32_t found = 0;
    switch (catalogue) {
    case Catalogue::Ngc:
        if (number < 1 || number > kLastNgc)
            return Refuse("NGC value must be between 1 and 7840");
        found = std::int32_t(number);
        break;
    case Catalogue::Ic:
        if (number < 1 || number > kLastIc)
            return Refuse("IC value must be between 1 and 5386");
        found = kIcCatalogueBase + std::int32_t(number);
        break;
    case Catalogue::Messier:
        found = NamedObjects::CatalogueOfMessier(int(number));
        if (found == 0 || found == 1)
            return Refuse("No NGC or IC value exists for this Messier Number");
        break;
    }
    result = found;
    text = upper;
    CloseWindow(fw::IDOK);
}
