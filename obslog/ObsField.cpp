#include "obslog/ObsField.h"

#include "obslog/ObsDialog.h"
#include "obslog/ObsRecord.h"
#include "obslog/ObsRecordHeader.h"
#include "obslog/RuravAvaviv.h"
#include "ui/TextConvert.h"

#include <algorithm>

namespace
{

// One builder per kind, so that each entry of the table names only what its kind uses.
struct Column {
    int index;
    const char* heading;
};
struct Criterion {
    RuravAvaviv::Criterion bit;
    RuravAvaviv::SetIndex set;
    const char* tag;
};

ObsField Blank(ObsField::Code code, const char* keyword, ObsField::Kind kind, int control, Column column)
{
    // Code, keyword and kind; no member; no value kind or marker; the control, no list or caption;
    // the column; no filter criterion.
    return ObsField{code,    keyword, kind,         nullptr,        nullptr, nullptr, nullptr, 0, 0.0,
                    control, 0,       nullptr,      column.index,   column.heading, false,   0, 0, nullptr};
}

ObsField Text(ObsField::Code code, const char* keyword, std::string ObsRecord::*member, int control, Column column)
{
    ObsField f = Blank(code, keyword, ObsField::TextKind, control, column);
    f.text = member;
    return f;
}

ObsField Choice(ObsField::Code code, const char* keyword, std::int32_t ObsRecord::*member, int control,
                ObsRecordHeader::ListId list, const char* newEntryCaption, Column column, Criterion criterion)
{
    ObsField f = Blank(code, keyword, ObsField::ChoiceKind, control, column);
    f.number = member;
    f.list = list;
    f.newEntryCaption = newEntryCaption;
    f.filterBit = criterion.bit;
    f.filterSet = criterion.set;
    f.filterTag = criterion.tag;
    return f;
}

ObsField Constellation(ObsField::Code code, const char* keyword, std::int32_t ObsRecord::*member, int control,
                       Column column, Criterion criterion)
{
    ObsField f = Choice(code, keyword, member, control, ObsRecordHeader::ListId{}, nullptr, column, criterion);
    f.kind = ObsField::ConstellationKind;
    return f;
}

ObsField Time(ObsField::Code code, const char* keyword, fw::TTime ObsRecord::*member, int control, Column column)
{
    ObsField f = Blank(code, keyword, ObsField::TimeKind, control, column);
    f.time = member;
    return f;
}

ObsField Number(ObsField::Code code, const char* keyword, double ObsRecord::*member, ValueKind kind, double noValue,
                int control, Column column, bool exportFormatted)
{
    ObsField f = Blank(code, keyword, ObsField::NumberKind, control, column);
    f.value = member;
    f.valueKind = kind;
    f.noValue = noValue;
    f.exportFormatted = exportFormatted;
    return f;
}

using R = ObsRecord;
using F = ObsField;
using D = ObsDialog;
using H = ObsRecordHeader;
using A = RuravAvaviv;

} // namespace

const std::vector<ObsField>& ObsFields()
{
    static const std::vector<ObsField> kFields = {
        Text(F::Name, "NAME", &R::name, D::kName, {0, "Name"}),
        Choice(F::Type, "TYPE", &R::objectType, D::kType, H::ObjectTypes, "New Object Type Entry", {1, "Type"},
               {A::ByObjectType, A::ObjectTypes, "TYPE"}),
        Constellation(F::Constellation, "CONSTELLATION", &R::constellation, D::kConstellation, {2, "Constel"},
                      {A::ByConstellation, A::Constellations, "CONSTEL"}),
        Time(F::Time, "TIME", &R::time, D::kTime, {15, "Time"}),
        Blank(F::Date, "DATE", F::DateKind, D::kDate, {14, "Date"}),
        Choice(F::Location, "LOCATION", &R::location, D::kLocation, H::Locations, "New Location Entry", {3, "Location"},
               {A::ByLocation, A::Locations, "LOCATION"}),
        Choice(F::Telescope, "TELESCOPE", &R::telescope, D::kTelescope, H::Telescopes, "New Telescope Entry",
               {4, "Telescope"}, {A::ByTelescope, A::Telescopes, "TELESCOPE"}),
        Choice(F::Eyepiece, "EYEPIECE", &R::eyepiece, D::kEyepiece, H::Eyepieces, "New Eyepiece Entry", {5, "Eyepiece"},
               {A::ByEyepiece, A::Eyepieces, "EYEPIECE"}),
        Choice(F::Filter, "FILTER", &R::filter, D::kFilter, H::Filters, "New Eyepiece Filter Entry", {6, "Filter"},
               {A::ByFilter, A::Filters, "FILTER"}),
        Choice(F::Darkness, "DARKNESS", &R::skyDarkness, D::kDarkness, H::SkyDarkness, "New Sky Darkness Entry",
               {7, "Darkness"}, {A::BySkyDarkness, A::SkyDarkness, "DARKNESS"}),
        Choice(F::Turbulence, "TURBULENCE", &R::skyTurbulence, D::kTurbulence, H::SkyTurbulence,
               "New Sky Turbulence Entry", {9, "Turbulence"}, {A::BySkyTurbulence, A::SkyTurbulence, "TURBULENCE"}),
        Choice(F::Transparency, "TRANSPARENCY", &R::skyTransparency, D::kTransparency, H::SkyTransparency,
               "New Sky Transparency Entry", {8, "Transparency"},
               {A::BySkyTransparency, A::SkyTransparency, "TRANSPARENCY"}),
        Number(F::RightAscension, "RA", &R::rightAscension, vkRightAscension, R::kNoRightAscension, D::kRightAscension,
               {10, "RA"}, false),
        Number(F::Declination, "DEC", &R::declination, vkDeclination, R::kNoDeclination, D::kDeclination, {11, "DEC"},
               false),
        Number(F::Magnitude, "MAG", &R::magnitude, vkMagnitude, R::kNoMagnitude, D::kMagnitude, {12, "MAG"}, true),
        Number(F::Size, "SIZE", &R::size, vkSize, R::kNoSize, D::kSize, {13, "Size"}, false),
        Text(F::Notes, "NOTES", &R::notes, D::kNotes, {16, "Notes"}),
    };
    return kFields;
}

const ObsField* FindObsField(int code)
{
    const std::vector<ObsField>& fields = ObsFields();
    const auto it = std::find_if(fields.begin(), fields.end(), [code](const ObsField& f) { return f.code == code; });
    return it == fields.end() ? nullptr : &*it;
}

// Every field has a column.
int ObsExportColumnCount() { return static_cast<int>(ObsFields().size()); }
