// HdrDialog: the list set-up of the observing log. It edits the eight choice lists of the open
// log's header (object types, telescopes, eyepieces ...) beside the same lists of the default
// header that seeds new logs: entries move between the two, default entries are deleted,
// current ones renamed. The caller takes both edited headers after OK; Cancel discards all.
#pragma once

#include "framework/gui/Dialog.h"
#include "obslog/ObsRecordHeader.h"

#include <cstdint>

class TurboComboBox;
namespace fw { class ComboBox; }

class HdrDialog : public fw::Dialog {
public:
    static constexpr int kTemplate = 260;
    static constexpr int kHelpContext = 72;
    enum : int {
        kField = 254,
        kCurrent = 255,
        kDefault = 253,
        kAddToCurrent = 250,
        kAddAllToCurrent = 251,
        kTransferAll = 252,
        kCopyToDefault = 256,
        kCopyAllToDefault = 257,
        kDeleteDefault = 258,
        kRenameCurrent = 259,
    };
    static constexpr int kRenameLimit = 40;

    HdrDialog(QWidget* parent, const ObsRecordHeader& current, const ObsRecordHeader& defaults);

    // The working copies, to be taken after OK.
    const ObsRecordHeader& Current() const { return current_; }
    const ObsRecordHeader& Default() const { return default_; }

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    // Fills both option boxes from the selected field's lists.
    void ShowField();
    void StoreCurrent();
    void StoreDefault();
    // Puts a text into a box and commits it: added with a new id unless the box has it.
    static void Commit(TurboComboBox* box, const std::string& text);
    void AddToCurrent();
    void CopyToDefault();
    void AddAllToCurrent();
    void CopyAllToDefault();
    void DeleteDefault();
    void RenameCurrent();
    void TransferAll();

    ObsRecordHeader current_;
    ObsRecordHeader default_;
    std::int32_t fieldId_ = 0;
    fw::ComboBox* field_;
    TurboComboBox* currentBox_;
    TurboComboBox* defaultBox_;
};
