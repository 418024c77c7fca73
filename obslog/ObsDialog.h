// ObsDialog: the observing log's record form. It shows one record of the open log at a time
// in its controls (name, type, constellation, time and date, location and equipment, position,
// magnitude and size, sky conditions, notes), stores what the user changed when the form moves
// on, offers new texts to the choice lists, marks records for deletion and fills a new record
// from the planner's current object.
#pragma once

#include "catalog/ObjectId.h"
#include "framework/gui/Dialog.h"
#include "obslog/ObsRecord.h"

#include <cstdint>
#include <istream>
#include <map>
#include <memory>
#include <string>
#include <vector>

class FindDialog;
struct LogImportHeader;
class LogDocument;
struct ObsField;
class NotesEdit;
class TEditDate;
class TEditDEC;
class TEditFloat;
class TEditRA;
class TEditSize;
class TEditTime;
class TurboCBconstel;
class TurboComboBox;
namespace fw { class Edit; }

class ObsDialog : public fw::Dialog {
public:
    static constexpr int kTemplate = 230;
    enum : int {
        kName = 214,
        kType = 229,
        kConstellation = 206,
        kTime = 227,
        kDate = 207,
        kLocation = 212,
        kTelescope = 226,
        kEyepiece = 209,
        kFilter = 210,
        kRightAscension = 218,
        kDeclination = 208,
        kMagnitude = 213,
        kSize = 222,
        kDarkness = 225,
        kTurbulence = 224,
        kTransparency = 223,
        kNotes = 216,
        kRecordCaption = 219,  // hidden: the caption without the deletion note
        kCaption = 200,
    };
    static constexpr int kNotesLimit = 2000;
    static constexpr int kNameLimit = 79;
    static constexpr const char* kNoComment = "(no comment)";

    // Commands of the form.
    enum Command : int {
        CM_LOGCONFIG = 140,
        CM_FILTERLOG = 121,
        CM_IMPORT = 24336,
    };
    static constexpr int kMaxImportEntries = 8000;

    ObsDialog(QWidget* parent, LogDocument& document);
    ~ObsDialog() override;

    // Shows a record in the controls.
    void RecordToControls(const ObsRecord& record);
    // Makes a record the working copy and shows it.
    void ShowRecord(const ObsRecord& record);
    // Reads the controls into a record; stores it when its contents differ from the record
    // the document holds. Gives the stored copy.
    ObsRecord ControlsToRecord();
    // True when the controls show anything the document does not hold yet; asks nothing and
    // stores nothing.
    bool FormDiffers() const;
    // Stores the form, appends a record and shows it; with transfer it is filled from the
    // planner's current object. Then shows the last record.
    void NewEntry(bool transfer);
    // Fills the form from a catalogue object (with the atlas and Dreyer sentences in the notes).
    void TransferObjectInfo(ObjectId id, bool withNotes);
    // Puts a text into the control of a field code; a choice list takes it as a new entry.
    // 1 for a known code, 0 otherwise.
    int AddOptionEntry(int code, const std::string& text);
    // Refills the eight choice lists from the log's header.
    void LoadOptionLists();
    // Flips the shown record's deletion mark.
    void CmDeleteEntry();
    // Stores the form and moves: 0 first, 1 previous, 2 next, 3 last.
    void Move(int where);
    // The list set-up: edits the log's and the default choice lists; after OK both are saved
    // and the form's lists refilled.
    void CmLogConfig();
    // Runs the filter dialog on the log's filter; after OK the filter applies and, when it is
    // on, the form moves to the first record that passes it.
    void CmFilterLog();
    // Asks for a delimited text file and imports it.
    void CmImport();
    // Imports the entries of a delimited text file, each through the form's controls as a
    // user would fill them. False when the header is refused (said).
    bool ImportFile(const std::string& path);
    bool ImportStream(std::istream& in);

    const ObsRecord& WorkingCopy() const { return working_; }
    LogDocument& Log() const { return doc_; }
    std::string NotesText() const;
    void SetNotesText(const std::string& text);

    // Set while an import fills the form: leaving the name field transfers nothing then.
    static bool importing;

protected:
    // Called after a record was shown.
    virtual void RecordShown() {}
    void SetupWindow() override;
    bool CanClose() override;
    // The form closes only with its log: Cancel (Escape) says how.
    void CmCancel() override;

private:
    // A choice-list field of the record and its box.
    struct Choice {
        const ObsField* field;
        TurboComboBox* box;
    };
    Choice* ChoiceFor(int code);
    void OptionKillFocus(const Choice& choice);
    // The values an imported entry takes from its catalogue row (-1: none) for the fields the
    // header gives column 0, and the constellation of its position when nothing gave one.
    void ImportCatalogueValues(const LogImportHeader& header, int row);
    void NameKillFocus();
    // Notes the texts of the value fields and the notes as they stand: what the document holds.
    void RememberShownTexts();
    std::string Caption(const ObsRecord& record);

    LogDocument& doc_;
    ObsRecord working_;
    std::vector<Choice> choices_;
    fw::Edit* name_;
    TurboCBconstel* constellation_;
    TEditTime* time_;
    TEditDate* date_;
    TEditRA* ra_;
    TEditDEC* dec_;
    TEditFloat* magnitude_;
    TEditSize* size_;
    NotesEdit* notes_;
    // The record as the document holds it, last shown or stored.
    ObsRecord stored_;
    // The texts last shown in the value, time and date fields, by control id: an untouched
    // field keeps the record's value exactly rather than its rounded text (and untouched notes
    // their whole text).
    std::map<int, std::string> shownTexts_;
    std::string shownNotes_;
    std::unique_ptr<FindDialog> find_;
};
