// The observing log's record form on the delivered "Sample.log", driven by control id: the
// caption, navigation that stores what was edited (in the document and its journal), notes with
// ">", a new choice offered to its list, the deletion mark, Escape's hint, and a new entry
// filled from the planner's current object.
#include "SampleLogFixture.h"

#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "catalog/CatalogueStrings.h"
#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/StringUtil.h"
#include "framework/testsupport/Snapshot.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "globals/ViewEvents.h"
#include "obslog/LogDocument.h"
#include "obslog/NotesEdit.h"
#include "obslog/ObsDialogView.h"
#include "framework/gui/DocManager.h"
#include "ui/LogErrors.h"
#include "ui/TurboComboBox.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using V = ObsDialogView;
using logtest::LogDirs;

using LogForm = logtest::SampleLogForm;

// The planner's catalogue database, with the site and the moment it needs, installed in the
// program's globals while it lives.
struct CatalogueDatabase {
    testsupport::TempDir dir;
    ObsSite site;
    JulianDate now = JulianDate::FromCalendar(2026, 10, 11, 2, 30, 0);
    // The database is built once the site and the moment are in place.
    bool placed = (AppGlobals.site = &site, AppGlobals.now = &now, true);
    NGC2000Indexes db{Linked(dir.path())};
    CatalogueDatabase() { AppGlobals.database = &db; }
    ~CatalogueDatabase()
    {
        AppGlobals.database = nullptr;
        AppGlobals.site = nullptr;
        AppGlobals.now = nullptr;
    }
    static std::string Linked(const std::string& path)
    {
        testsupport::LinkProgramFiles(testsupport::ProgramDataDir("ngc2k.rsx"), path,
                                      {"ngc2k.rsx", "dreyer.rsx", "User/comname.txt"});
        return path;
    }
};

// The records of a log file as saved.
std::vector<ObsRecord> SavedRecords(const std::string& path)
{
    ObsRecordHeader header;
    RuravAvaviv filter;
    std::vector<ObsRecord> records;
    LogFile::Sink sink;
    sink.record = [&](std::int32_t, std::int32_t, const ObsRecord& r) { records.push_back(r); };
    EXPECT_EQ(LogFile::Decode(testsupport::ReadFileBytes(path), header, filter, sink).error, LogFile::Error::None);
    return records;
}

// A log document rebuilt, in a directory of its own, from the crash files as the program
// directory holds them now: what a crash at this moment would leave.
std::unique_ptr<LogDocument> RecoverAsAfterACrash(const LogDirs& from, const LogDirs& into)
{
    for (const char* name : {"LOGMDFY.TMP", "LOGHDR.TMP", "LOGHDR.~MP"}) {
        const std::string bytes = testsupport::ReadFileBytes(from.File(name));
        if (!bytes.empty()) {
            EXPECT_TRUE(testsupport::WriteFileBytes(into.File(name), bytes));
        }
    }
    return std::make_unique<LogDocument>(into.program, into.user);
}

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
    CatalogueDatabase catalogue;
    NGC2000Indexes& db = catalogue.db;
    db.SetTemporaryObject(NGC2000Indexes::ParseObjectName("M 57"));
    const auto typeText = [&](std::int32_t id) {
        return doc_->Header().ListById(ObsRecordHeader::ObjectTypes).TextForId(id);
    };
    {
        fw::ScriptedMessageBoxes boxes({fw::IDYES});
        doc_->NotifyViews(vnAppEvent, aeTransferToLog);
        for (const auto& call : boxes.Calls()) ADD_FAILURE() << "asked: " << call.text;
    }
    EXPECT_EQ(doc_->RecordCount(), 8);
    const ObsRecord& added = doc_->Records().back();
    EXPECT_EQ(fw::ToLowerAscii(typeText(added.objectType)), "planetary nebula") << "the list's own entry";
    EXPECT_EQ(added.name.rfind("NGC 6720", 0), 0u) << added.name;
    EXPECT_EQ(added.crossRef, NGC2000Indexes::RowIndex(NGC2000Indexes::ParseObjectName("NGC 6720")));
    EXPECT_NEAR(added.rightAscension, 18.89, 0.01);
    EXPECT_NEAR(added.declination, 33.03, 0.01);
    EXPECT_NE(added.notes.find("can be found on SkyAtlas Chart"), std::string::npos);
    EXPECT_NE(added.notes.find("Dreyer described this object as"), std::string::npos);
    EXPECT_EQ(Caption(), "Notes - Record 8 - (8 of 8 Total Records)");
    view_->resize(view_->sizeHint());
    testsupport::SaveDialogSnapshot(*view_, "log_form.png");

    // A type the log's list lacks comes with the object too, and joins the list, unasked:
    // a question answered No used to leave the new record without a type.
    const ObjectId orion = NGC2000Indexes::ParseObjectName("M 42");
    const std::string orionType = fw::ToLowerAscii(ObjectTypeText(db.GetObjectData(orion).type));
    for (const CBentry& entry : doc_->Header().ListById(ObsRecordHeader::ObjectTypes).Entries())
        ASSERT_NE(fw::ToLowerAscii(entry.text), orionType) << "the sample's list lacks the type";
    db.SetTemporaryObject(orion);
    {
        fw::ScriptedMessageBoxes boxes({fw::IDNO});
        doc_->NotifyViews(vnAppEvent, aeTransferToLog);
        for (const auto& call : boxes.Calls()) ADD_FAILURE() << "asked: " << call.text;
    }
    ASSERT_EQ(doc_->RecordCount(), 9);
    EXPECT_EQ(typeText(doc_->Records().back().objectType), orionType);
    doc_.reset();
}

// Save writes what the form shows, whether or not the form has moved on: the typed
// observation, not the "New Entry..." placeholder; and the typed edit makes the log one to save.
TEST_F(LogForm, SaveWritesWhatTheFormShows)
{
    EXPECT_FALSE(doc_->IsDirty()) << "an untouched form holds nothing to save";
    view_->SetNotesText("seen again in the 80 mm");
    EXPECT_TRUE(doc_->IsDirty()) << "an edit not yet stored is something to save";
    EXPECT_TRUE(view_->QueryCommand(fw::CM_FILESAVE).enabled);

    ASSERT_TRUE(view_->SendCommand(V::CM_NEWENTRY));
    EXPECT_EQ(doc_->Records()[0].notes, "seen again in the 80 mm");
    view_->SetControlText(ObsDialog::kName, "Veil Nebula");
    view_->SendNotify(ObsDialog::kName, fw::EN_KILLFOCUS);  // no catalogue object: asks nothing
    view_->SetNotesText("faint arcs with the OIII filter");
    ASSERT_TRUE(doc_->Commit());
    const std::vector<ObsRecord> saved = SavedRecords(dirs_.File("Sample.log"));
    ASSERT_EQ(saved.size(), 8u);
    EXPECT_EQ(saved.back().name, "Veil Nebula");
    EXPECT_EQ(saved.back().notes, "faint arcs with the OIII filter");
    EXPECT_FALSE(doc_->IsDirty());
    EXPECT_FALSE(view_->QueryCommand(fw::CM_FILESAVE).enabled);
}

// A telescope added from the form reaches the recovery header at once: after a crash the
// record that names it still has its text. The rebuilt log is saved only under a new name.
TEST_F(LogForm, ListEntryAddedByTheFormThenACrash)
{
    view_->SetNotesText("the journal starts here");
    ASSERT_TRUE(view_->SendCommand(CM_NEXT));
    auto* telescope = view_->ControlAs<TurboComboBox>(ObsDialog::kTelescope);
    telescope->SetSelIndex(-1);
    telescope->SetText("12-inch Dobsonian");
    {
        fw::ScriptedMessageBoxes yes({fw::IDYES});
        view_->SendNotify(ObsDialog::kTelescope, fw::CBN_KILLFOCUS);
    }
    const auto id = static_cast<std::int32_t>(telescope->GetSelectedId());
    EXPECT_TRUE(doc_->IsDirty());
    ASSERT_TRUE(view_->SendCommand(CM_NEXT));
    ASSERT_EQ(doc_->Records()[1].telescope, id);

    LogDirs crashed;
    const std::unique_ptr<LogDocument> recovered = RecoverAsAfterACrash(dirs_, crashed);
    ASSERT_TRUE(recovered->IsRecovering());
    EXPECT_EQ(recovered->Records()[0].notes, "the journal starts here");
    EXPECT_EQ(recovered->Records()[1].telescope, id);
    EXPECT_EQ(recovered->Header().ListById(ObsRecordHeader::Telescopes).TextForId(id), "12-inch Dobsonian");

    auto* view = new ObsDialogView(*recovered);
    EXPECT_FALSE(view->QueryCommand(fw::CM_FILESAVE).enabled) << "Save is off in a rebuilt log";
}

// The notes hold at most 2000 characters: typing stops there, a longer paste is refused with
// a message, and longer notes from a log file are kept whole unless the user edits them.
TEST_F(LogForm, NotesHoldAtMostTheirLimit)
{
    auto* notes = view_->ControlAs<NotesEdit>(ObsDialog::kNotes);
    ASSERT_NE(notes, nullptr);
    view_->SetNotesText(std::string(1990, 'n'));
    notes->moveCursor(QTextCursor::End);
    {
        fw::ScriptedMessageBoxes boxes;
        QGuiApplication::clipboard()->setText(QString(20, 'p'));
        notes->paste();
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_NE(boxes.Last().text.find("at most 2000 characters"), std::string::npos) << boxes.Last().text;
        EXPECT_EQ(view_->NotesText().size(), 1990u) << "nothing pasted";
        QGuiApplication::clipboard()->setText(QString(10, 'p'));
        notes->paste();
        EXPECT_EQ(boxes.Count(), 1);
        EXPECT_EQ(view_->NotesText().size(), 2000u);
    }
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(notes, &key);
    EXPECT_EQ(view_->NotesText().size(), 2000u) << "typing stops at the limit";
    ASSERT_TRUE(view_->SendCommand(CM_NEXT));
    EXPECT_EQ(doc_->Records()[0].notes.size(), 2000u);

    // Notes longer than the field, from a log file: viewing them does not cut them.
    ObsRecord longNotes = doc_->Records()[2];
    longNotes.notes = std::string(3000, 'l');
    ASSERT_TRUE(doc_->ApplyRecord(longNotes, false));
    ASSERT_TRUE(view_->SendCommand(CM_NEXT));
    EXPECT_EQ(view_->NotesText().size(), 2000u);
    ASSERT_TRUE(view_->SendCommand(CM_NEXT));
    EXPECT_EQ(doc_->Records()[2].notes.size(), 3000u);
}

// The form's trace lines in the debug log, and the catalogue's list of the log's objects
// (list 2) kept at the log's count and cursor while the planner's own list stays selected.
TEST_F(LogForm, DebugLinesAndTheCatalogueLogList)
{
    testsupport::TempDir temp;
    DebugLog().Reset(temp.file("debug.txt"));
    {
        std::unique_ptr<LogDocument> other = Open(dirs_.File("Sample.log"));
        new ObsDialogView(*other);
    }
    DebugLog().Reset(dirs_.File("debug.txt"));
    std::ifstream in(temp.file("debug.txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"Constructing ObsDialog - ", "ObsDialog - Constructed",
                                               "Constructing Dialog View - ", "Destructing Dialog View",
                                               "Destructing ObsDialog - ", "ObsDialog - Destructed"}));

    CatalogueDatabase catalogue;
    NGC2000Indexes& db = catalogue.db;
    db.SelectList(Browser::kObservingList);
    ASSERT_TRUE(view_->SendCommand(CM_NEXT));
    ASSERT_TRUE(view_->SendCommand(CM_NEXT));
    EXPECT_EQ(db.CountOf(Browser::kLogList), 7);
    EXPECT_EQ(db.IndexOf(Browser::kLogList), 2);
    EXPECT_EQ(db.Selected(), Browser::kObservingList);
}

} // namespace
