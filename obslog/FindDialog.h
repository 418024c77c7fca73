// FindDialog: edits the observing log's filter. Check boxes say which criteria take part (and
// whether the filter is on at all); a list criterion, when checked, opens a chooser of the
// entries (or constellations) it accepts; ranges of position, time, date, magnitude and size
// and the name and notes texts are typed in. The log form keeps one for its life, and every
// run starts from the log's own filter.
#pragma once

#include "framework/gui/Dialog.h"
#include "obslog/RuravAvaviv.h"

class ObsRecordHeader;
class TEditDEC;
class TEditDate;
class TEditFloat;
class TEditRA;
class TEditSize;
class TEditString;
class TEditTime;

class FindDialog : public fw::Dialog {
public:
    static constexpr int kTemplate = 20;
    static constexpr int kHelpContext = 41;
    static constexpr int kTextLimit = 50;
    enum : int {
        kActivate = 132,
        kObjectType = 101,
        kTransparency = 102,
        kConstellation = 103,
        kLocation = 104,
        kTelescope = 105,
        kEyepiece = 106,
        kFilter = 107,
        kDarkness = 108,
        kTurbulence = 109,
        kRa = 110,
        kDec = 111,
        kTime = 112,
        kDate = 113,
        kName = 114,
        kNotes = 119,
        kMagnitude = 126,
        kSize = 127,
        kDecMin = 115,
        kDecMax = 116,
        kRaMin = 117,
        kRaMax = 118,
        kTimeMin = 120,
        kTimeMax = 121,
        kDateMin = 122,
        kDateMax = 123,
        kNameText = 124,
        kNotesText = 125,
        kMagnitudeMin = 128,
        kMagnitudeMax = 129,
        kSizeMin = 130,
        kSizeMax = 131,
    };

    FindDialog(QWidget* parent, ObsRecordHeader* header);

    void SetFilter(const RuravAvaviv& filter) { filter_ = filter; }
    RuravAvaviv GetFilter() const { return filter_; }

protected:
    // Shows the filter in the controls.
    void SetupWindow() override;
    // Reads the controls into the filter.
    void CmOk() override;

private:
    struct ListCriterion {
        int id;
        RuravAvaviv::Criterion bit;
        RuravAvaviv::SetIndex set;
        std::int32_t list;  // the header's list id; 0 for the constellations
        const char* caption;
    };
    static const ListCriterion kLists[9];
    struct RangeCriterion {
        int id;
        RuravAvaviv::Criterion bit;
    };
    static const RangeCriterion kRanges[8];

    // A list criterion checked: its chooser runs over the list, preselected with the chosen set.
    void ChooseEntries(const ListCriterion& criterion);

    RuravAvaviv filter_;
    ObsRecordHeader* header_;
    TEditRA* raMin_;
    TEditRA* raMax_;
    TEditDEC* decMin_;
    TEditDEC* decMax_;
    TEditTime* timeMin_;
    TEditTime* timeMax_;
    TEditDate* dateMin_;
    TEditDate* dateMax_;
    TEditFloat* magnitudeMin_;
    TEditFloat* magnitudeMax_;
    TEditSize* sizeMin_;
    TEditSize* sizeMax_;
    TEditString* name_;
    TEditString* notes_;
};
