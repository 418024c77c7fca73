// The fields of an observation record, in one table: each field's code and import keyword, how
// the record holds it, the record form's control, its choice list, its column of the exported table and its
// criterion of the log filter. The record's comparison, copy and binary form, the record form,
// the report and the filter's choice criteria all run over this table, so a new field is one
// entry here (in the record's binary order) and the code that is its own.
#pragma once

#include "framework/stream/Date.h"

#include <cstdint>
#include <string>
#include <vector>

class ObsRecord;

struct ObsField {
    // Field codes: the record form's option codes and the import file's keyword codes.
    enum Code : int {
        Name = 2,
        Type = 3,
        Constellation = 4,
        Time = 5,
        Date = 6,
        Location = 7,
        Telescope = 8,
        Eyepiece = 9,
        Filter = 10,
        RightAscension = 11,
        Declination = 12,
        Magnitude = 13,
        Size = 14,
        Darkness = 15,
        Turbulence = 16,
        Transparency = 17,
        Notes = 18,
    };
    static constexpr int kFirstCode = Name;
    static constexpr int kLastCode = Notes;

    // How the record holds the field and the form shows it.
    enum Kind {
        TextKind,           // a string, typed in an edit (notes: in the notes control)
        ChoiceKind,         // an entry id of one of the log's choice lists
        ConstellationKind,  // a constellation index, chosen from the constellation list
        TimeKind,           // the observation time
        DateKind,           // the date of the observation time: no storage of its own
        NumberKind,         // a double with a "no value" marker, typed as text
    };

    Code code;
    // The field's keyword in the header of an import file.
    const char* importKeyword;
    Kind kind;
    // The record's member: the one pointer of the kind's type (none for the date).
    std::string ObsRecord::*text;
    std::int32_t ObsRecord::*number;
    double ObsRecord::*value;
    fw::TTime ObsRecord::*time;
    // For values: the text conversion's kind and the marker a damaged number is read as.
    std::int32_t valueKind;
    double noValue;
    // The record form: the control's id; for choices, the list id and the caption of the
    // question that adds a typed entry.
    int control;
    std::int32_t list;
    const char* newEntryCaption;
    // The exported table: the column (from 0) and its heading; a value is written in its
    // standard text when formatted, else as the stored number.
    int exportColumn;
    const char* heading;
    bool exportFormatted;
    // The log filter's choice criterion (bit 0: none), its set and its word in the text form.
    std::uint32_t filterBit;
    int filterSet;
    const char* filterTag;
};

// The table, in the record's binary order.
const std::vector<ObsField>& ObsFields();
// The field of a code; nullptr for a code no field has.
const ObsField* FindObsField(int code);
// The number of columns of the exported table.
int ObsExportColumnCount();

// Calls visit(field, member) for each field the record stores, in the record's binary order,
// with the pointer to the member of the field's type.
template <class Visit>
void ForEachStoredField(Visit&& visit)
{
    for (const ObsField& f : ObsFields()) {
        switch (f.kind) {
        case ObsField::TextKind: visit(f, f.text); break;
        case ObsField::ChoiceKind:
        case ObsField::ConstellationKind: visit(f, f.number); break;
        case ObsField::TimeKind: visit(f, f.time); break;
        case ObsField::NumberKind: visit(f, f.value); break;
        case ObsField::DateKind: break;
        }
    }
}
