// The observing log's record form on the delivered "Sample.log", driven by control id: the
// caption, navigation that stores what was edited (in the document and its journal), notes with
// ">", a new choice offered to its list, the deletion mark, Escape's hint, and a new entry
// filled from the planner's current object.
#include "SampleLogFixture.h"

#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/Snapshot.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "globals/ViewEvents.h"
#include "obslog/LogDocument.h"
#include "obslog/ObsDialogView.h"
#include "ui/TurboComboBox.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using V = ObsDialogView;
using logtest::LogDirs;

using LogForm = logtest::SampleLogForm;

TEST_F(LogForm, NavigationStoresWhatWasEdited)
{
    EXPECT_EQ(Caption(), "Notes - Record 1 - (1 of 7 Total Records)");
    EXPECT_EQ(view_->ControlText(ObsDialog::kName), "M 31");
    EXPECT_FALSE(view_->QueryCommand(CM_PREVIOUS).enabled);
    EXPECT_TRUE(view_->QueryCommand(CM_NEXT).enabled);
    EXPECT_FALSE(view_->QueryCommand(V::CM_FIND).enabled);

    // Untouched, moving stores nothing.
    const std::string journal = testsupport::ReadFileBytes(doc_->JournalPath());
    ASSERT_TRUE(view_->SendCommand(CM_NEXT));
    EXPECT_EQ(testsupport::ReadFileBytes(doc_->JournalPath()), journal) << "nothing edited, nothing journaled";
    EXPECT_EQ(Caption(), "Notes - Record 2 - (2 of 7 Total Records)");

    // Edited name and notes are stored on the next move, notes with ">" kept as "`".
    view_->SetControlText(ObsDialog::kName, "NGC 869 and NGC 884");
    view_->SetNotesText("a>b\nc");
    ASSERT_TRUE(view_->SendCommand(CM_LAST));
    EXPECT_EQ(doc_->Records()[1].name, "NGC 869 and NGC 884");
    EXPECT_EQ(doc_->Records()[1].notes, "a`b\nc");
    EXPECT_NE(testsupport::ReadFileBytes(doc_->JournalPath()), journal) << "the edit is journaled";
    EXPECT_EQ(Caption(), "Notes - Record 7 - (7 of 7 Total Records)");
    ASSERT_TRUE(view_->SendCommand(CM_FIRST));
    ASSERT_TRUE(view_->SendCommand(CM_NEXT));
    EXPECT_EQ(view_->NotesText(), "a>b\nc") << "shown again with \">\"";
    EXPECT_EQ(view_->WorkingCopy().rightAscension, doc_->Records()[1].rightAscension)
        << "an untouched value field keeps the record's exact value";
}

TEST_F(LogForm, ChoicesDeletionMarkAndEscape)
{
    // A telescope typed that is not on the list: No stores "(no comment)" and selects it.
    auto* telescope = view_->ControlAs<TurboComboBox>(ObsDialog::kTelescope);
    telescope->SetSelIndex(-1);
    telescope->SetText("Dob");
    {
        fw::ScriptedMessageBoxes no({fw::IDNO});
        view_->SendNotify(ObsDialog::kTelescope, fw::CBN_KILLFOCUS);
        ASSERT_EQ(no.Calls().size(), 1u);
        EXPECT_EQ(no.Calls()[0].text, "Add Dob to Options?");
        EXPECT_EQ(no.Calls()[0].title, "New Telescope Entry");
    }
    EXPECT_EQ(telescope->GetSelectedText(), "(no comment)");
    const long id = telescope->GetSelectedId();
    EXPECT_EQ(doc_->Header().ListById(ObsRecordHeader::Telescopes).TextForId(static_cast<std::int32_t>(id)),
              "(no comment)")
        << "the new entry is in the log's list";

    // The deletion mark, twice.
    {
        fw::ScriptedMessageBoxes boxes;
        ASSERT_TRUE(view_->SendCommand(V::CM_DELETEENTRY));
        EXPECT_EQ(boxes.Calls().at(0).title, "RECORD MARKED FOR DELETION");
        EXPECT_NE(Caption().find(" (Delete On Save)"), std::string::npos);
        EXPECT_EQ(view_->QueryCommand(V::CM_DELETEENTRY).check, fw::BF_CHECKED);
        ASSERT_TRUE(view_->SendCommand(V::CM_DELETEENTRY));
        EXPECT_EQ(boxes.Calls().size(), 1u) << "unmarking asks nothing";
        EXPECT_EQ(Caption().find(" (Delete On Save)"), std::string::npos);
    }

    // Escape never closes the form.
    fw::ScriptedMessageBoxes hint;
    view_->SendCommand(fw::IDCANCEL);
    ASSERT_EQ(hint.Calls().size(), 1u);
    EXPECT_EQ(hint.Calls()[0].text, "Choose the option File | Close to close the Log");
    EXPECT_TRUE(view_->Result() == 0);
}

// A log's lists also go out in its one-line text form, which holds no entry longer than 49
// characters or with "|": such a typed option is refused where it is typed, and the record
// takes no comment; an option of 49 characters is offered and comes back from the text form.
TEST_F(LogForm, ATypedOptionTheTextFormCannotHoldIsRefused)
{
    const struct {
        std::string text;
        bool refused;
    } cases[] = {{std::string(49, 'A'), false}, {std::string(50, 'B'), true}, {"8|inch", true}};
    auto* telescope = view_->ControlAs<TurboComboBox>(ObsDialog::kTelescope);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        telescope->SetSelIndex(-1);
        telescope->SetText(c.text);
        fw::ScriptedMessageBoxes boxes({fw::IDYES});
        view_->SendNotify(ObsDialog::kTelescope, fw::CBN_KILLFOCUS);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].title, "New Telescope Entry");
        const CBdata& list = doc_->Header().ListById(ObsRecordHeader::Telescopes);
        std::ostringstream out;
        list.WriteText(out);
        std::istringstream in(out.str());
        CBdata back;
        back.ReadText(in);
        ASSERT_EQ(back.TextReadState(), 1);
        if (c.refused) {
            EXPECT_EQ(boxes.Calls()[0].text, TurboComboBox::kEntryRule);
            EXPECT_EQ(telescope->GetSelectedText(), "(no comment)");
        } else {
            EXPECT_EQ(boxes.Calls()[0].text, "Add " + c.text + " to Options?");
            EXPECT_EQ(telescope->GetSelectedText(), c.text);
        }
        // What the list holds, its text form holds too.
        EXPECT_EQ(list.IndexOfId(static_cast<std::int32_t>(telescope->GetSelectedId())) >= 0, true);
        EXPECT_EQ(back.TextForId(static_cast<std::int32_t>(telescope->GetSelectedId())),
                  telescope->GetSelectedText());
        EXPECT_EQ(back.Count(), list.Count());
    }
}

TEST_F(LogForm, TransferFromThePlannerFillsANewEntry)
{
    const std::string program = testsupport::ProgramDataDir("ngc2k.rsx");
    testsupport::TempDir catalogue;
    testsupport::LinkProgramFiles(program, catalogue.path(), {"ngc2k.rsx", "dreyer.rsx", "User/comname.txt"});
    ObsSite site;
    JulianDate now = JulianDate::FromCalendar(2026, 10, 11, 2, 30, 0);
    AppGlobals.site = &site;
    AppGlobals.now = &now;
    NGC2000Indexes db(catalogue.path());
    AppGlobals.database = &db;
    db.SetTemporaryObject(NGC2000Indexes::ParseObjectName("M 57"));
    {
        fw::ScriptedMessageBoxes boxes({fw::IDYES});
        doc_->NotifyViews(vnAppEvent, aeTransferToLog);
    }
    EXPECT_EQ(doc_->RecordCount(), 8);
    const ObsRecord& added = doc_->Records().back();
    EXPECT_EQ(added.name.rfind("NGC 6720", 0), 0u) << added.name;
    EXPECT_EQ(added.crossRef, NGC2000Indexes::RowIndex(NGC2000Indexes::ParseObjectName("NGC 6720")));
    EXPECT_NEAR(added.rightAscension, 18.89, 0.01);
    EXPECT_NEAR(added.declination, 33.03, 0.01);
    EXPECT_NE(added.notes.find("can be found on SkyAtlas Chart"), std::string::npos);
    EXPECT_NE(added.notes.find("Dreyer described this object as"), std::string::npos);
    EXPECT_EQ(Caption(), "Notes - Record 8 - (8 of 8 Total Records)");
    view_->resize(view_->sizeHint());
    testsupport::SaveDialogSnapshot(*view_, "log_form.png");
    doc_.reset();
    AppGlobals.site = nullptr;
    AppGlobals.now = nullptr;
}

} // namespace
