// The observing log form's filter dialog, export and import on the delivered "Sample.log":
// criteria chosen through the dialog and its choosers, the three written forms against
// hand-checked copies, and imports of good and bad delimited files.
#include "SampleLogFixture.h"

#include "astro/ConstellationTable.h"
#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/FileDialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/StatusBar.h"
#include "framework/testsupport/Snapshot.h"
#include "framework/testsupport/TestSupport.h"
#include "obslog/FindDialog.h"
#include "obslog/LogImport.h"
#include "obslog/LogReport.h"
#include "obslog/ObsDialogView.h"
#include "ui/ExportOptionsDialog.h"
#include "ui/ListChooser.h"
#include "ui/TurboListBox.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <sstream>

namespace {

using V = ObsDialogView;
using F = FindDialog;
using L = ObsRecordHeader;

const std::string kFixtures = std::string(STELLUM_SOURCE_DIR) + "/obslog/tests/data/";

using SampleLog = logtest::SampleLogForm;

// Chooses the entries of a chooser's list by text, then OK.
fw::DialogResponder Choose(std::vector<std::string> texts, const std::string& caption)
{
    return [texts, caption](fw::Dialog& d) {
        EXPECT_EQ(d.GetCaption(), caption);
        auto* list = d.ControlAs<TurboListBox>(ListChooser::kListId);
        list->SetSel(-1, false);
        for (const std::string& t : texts) list->SetSel(list->FindExactString(t), true);
        testsupport::SaveDialogSnapshot(d, "log_filter_chooser.png");
        d.PressButton(fw::IDOK);
        return fw::IDCANCEL;
    };
}

TEST_F(SampleLog, FilterByTelescopeShowsTheMatchingRecordsFromTheFirst)
{
    ASSERT_TRUE(view_->SendCommand(CM_LAST));
    {
        fw::ScriptedDialogs dialogs(std::vector<fw::DialogResponder>{
            [](fw::Dialog& d) {
                EXPECT_EQ(d.GetCaption(), "Filter Observing Log Records");
                d.PressButton(F::kActivate);
                d.PressButton(F::kTelescope);  // opens the chooser
                d.PressButton(fw::IDOK);
                return fw::IDCANCEL;
            },
            Choose({"10-inch f/4.7 Dobsonian"}, "Telescope Chooser")});
        ASSERT_TRUE(view_->SendCommand(ObsDialog::CM_FILTERLOG));
        EXPECT_EQ(dialogs.Count(), 2);
    }
    const RuravAvaviv& filter = doc_->Filter();
    EXPECT_EQ(filter.active, 1);
    EXPECT_EQ(filter.criteria, RuravAvaviv::ByTelescope);
    EXPECT_TRUE(filter.sets[RuravAvaviv::Telescopes].test(1));
    EXPECT_EQ(filter.sets[RuravAvaviv::Telescopes].count(), 1u);
    // M 31, M 13 and M 57 were seen with the Dobsonian.
    EXPECT_EQ(Caption(), "Notes - Record 1 - (1 of 3 Filtered Records)");
    ASSERT_TRUE(view_->SendCommand(CM_NEXT));
    EXPECT_EQ(view_->ControlText(ObsDialog::kName), "M 13");

    // Cancel in the chooser keeps the earlier choice; Cancel in the dialog keeps the filter.
    {
        fw::ScriptedDialogs dialogs(std::vector<fw::DialogResponder>{
            [](fw::Dialog& d) {
                EXPECT_EQ(d.IsButtonChecked(F::kTelescope), fw::BF_CHECKED);
                d.PressButton(F::kTelescope);  // cleared: nothing opens
                d.PressButton(F::kTelescope);  // set again: the chooser, cancelled
                return fw::IDCANCEL;
            },
            [](fw::Dialog& d) {
                auto* list = d.ControlAs<TurboListBox>(ListChooser::kListId);
                EXPECT_EQ(list->GetChosenIds().count(), 1u) << "preselected with the filter's choice";
                return fw::IDCANCEL;
            }});
        ASSERT_TRUE(view_->SendCommand(ObsDialog::CM_FILTERLOG));
        EXPECT_EQ(dialogs.Count(), 2);
    }
    EXPECT_EQ(doc_->Filter().active, 1);
    EXPECT_EQ(Caption(), "Notes - Record 5 - (2 of 3 Filtered Records)");
}

TEST_F(SampleLog, CriteriaAreStoredWhileTheFilterIsOff)
{
    ASSERT_TRUE(view_->SendCommand(CM_NEXT));
    {
        fw::ScriptedDialogs dialogs([](fw::Dialog& d) {
            d.PressButton(F::kMagnitude);
            d.SetControlText(F::kMagnitudeMin, "1");
            d.SetControlText(F::kMagnitudeMax, "5");
            d.PressButton(F::kName);
            d.SetControlText(F::kNameText, "M 4");
            testsupport::SaveDialogSnapshot(d, "log_filter.png");
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        });
        ASSERT_TRUE(view_->SendCommand(ObsDialog::CM_FILTERLOG));
    }
    const RuravAvaviv& filter = doc_->Filter();
    EXPECT_EQ(filter.active, 0);
    EXPECT_EQ(filter.criteria, RuravAvaviv::ByMagnitude | RuravAvaviv::ByName);
    EXPECT_DOUBLE_EQ(filter.magBright, 1.0);
    EXPECT_DOUBLE_EQ(filter.magFaint, 5.0);
    EXPECT_EQ(filter.nameText, "M 4");
    EXPECT_EQ(Caption(), "Notes - Record 2 - (2 of 7 Total Records)") << "the form stays on its record";

    // Turned on, the stored criteria apply: M 42 and M 45 are the bright ones named "M 4...".
    {
        fw::ScriptedDialogs dialogs([](fw::Dialog& d) {
            EXPECT_EQ(d.ControlText(F::kNameText), "M 4");
            d.PressButton(F::kActivate);
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        });
        ASSERT_TRUE(view_->SendCommand(ObsDialog::CM_FILTERLOG));
    }
    EXPECT_EQ(Caption(), "Notes - Record 3 - (1 of 2 Filtered Records)");
}

// Focus coming into the form says whether the log is filtered; moving on to one of its fields
// says "Observing Log".
TEST_F(SampleLog, FocusIntoTheFormShowsTheFilterState)
{
    fw::StatusBar bar;
    AppGlobals.statusBar = &bar;
    QWidget elsewhere;
    // The application's report of each focus change, as a click into the form makes it.
    qApp->focusChanged(&elsewhere, view_->Control(ObsDialog::kName));
    EXPECT_EQ(bar.GetText(), "Observing Log not Filtered");
    doc_->Filter().active = 1;
    qApp->focusChanged(&elsewhere, view_->Control(ObsDialog::kNotes));
    EXPECT_EQ(bar.GetText(), "Observing Log Filter Active");
    qApp->focusChanged(view_->Control(ObsDialog::kName), view_->Control(ObsDialog::kNotes));
    EXPECT_EQ(bar.GetText(), "Observing Log");
    const struct {
        int from, to;
        const char* text;
    } moves[] = {
        {ObsDialog::kNotes, ObsDialog::kTelescope, "Observing Log"},
        {ObsDialog::kTelescope, ObsDialog::kFilter, "other"},  // the filter list says nothing
        {ObsDialog::kFilter, ObsDialog::kConstellation, "other"},
        {ObsDialog::kConstellation, ObsDialog::kFilter, "Observing Log"},  // the constellation list, left
    };
    for (const auto& m : moves) {
        bar.SetText("other");
        qApp->focusChanged(view_->Control(m.from), view_->Control(m.to));
        EXPECT_EQ(bar.GetText(), m.text) << m.from << " to " << m.to;
    }
    AppGlobals.statusBar = nullptr;
}

// The export command: the options dialog, the file dialog, then the chosen writer.
TEST_F(SampleLog, ExportWritesTheChosenFormAndShowsTheLastWrittenRecord)
{
    const struct {
        int button;
        const char* title;
        const char* start;
    } cases[] = {
        {ExportOptionsDialog::ID_PARAGRAPH, "Export Observing Log as Text", "\n \nM 31 is a Galaxy in Andromeda.\n"},
        {ExportOptionsDialog::ID_TABDELIMITED, "Export Observing Log as Tab Delim Text", "Name\tType\tConstel\t"},
        {ExportOptionsDialog::ID_THESKY, "Export Observing Log to TheSky", ";"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        ASSERT_TRUE(view_->SendCommand(CM_FIRST));
        const std::string path = dirs_.File("export.txt");
        fw::ScriptedFileDialogs files({path});
        fw::ScriptedDialogs dialogs([&c](fw::Dialog& d) {
            d.PressButton(c.button);
            if (c.button == ExportOptionsDialog::ID_THESKY) testsupport::SaveDialogSnapshot(d, "log_export.png");
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        });
        ASSERT_TRUE(view_->SendCommand(V::CM_EXPORT));
        ASSERT_EQ(files.Count(), 1);
        EXPECT_EQ(files.Requests()[0].title, c.title);
        const std::string written = testsupport::ReadFileBytes(path);
        EXPECT_EQ(written.substr(0, std::string(c.start).size()), c.start);
        EXPECT_EQ(Caption(), "Notes - Record 7 - (7 of 7 Total Records)");
    }
    // Cancel in the options dialog asks for no file.
    fw::ScriptedFileDialogs files;
    fw::ScriptedDialogs dialogs([](fw::Dialog&) { return fw::IDCANCEL; });
    ASSERT_TRUE(view_->SendCommand(V::CM_EXPORT));
    EXPECT_EQ(files.Count(), 0);
}

// The three forms of "Sample.log", each against a copy read and checked by hand.
TEST_F(SampleLog, WrittenFormsMatchTheirCheckedCopies)
{
    LogReport report(*doc_);
    const struct {
        const char* fixture;
        std::function<void(const std::string&)> write;
    } cases[] = {
        {"Sample-report-0.txt", [&](const std::string& p) { EXPECT_EQ(report.PrintLogToTextFile(0, 0, p, false), 1); }},
        {"Sample-report-60.txt", [&](const std::string& p) { EXPECT_EQ(report.PrintLogToTextFile(60, 40, p, false), 3); }},
        {"Sample-table.txt", [&](const std::string& p) { EXPECT_TRUE(report.ExportText(p)); }},
        {"Sample-thesky.txt", [&](const std::string& p) { EXPECT_TRUE(report.ExportTheSky(p)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        const std::string path = dirs_.File(c.fixture);
        c.write(path);
        const std::string expected = testsupport::ReadFileBytes(kFixtures + c.fixture);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(testsupport::ReadFileBytes(path), expected);
    }
}

// ---- import ---------------------------------------------------------------------------------

std::string TableHeader()
{
    std::string h = "DELIMITER\n\t\nFIELDS PER ENTRY\n17\n";
    const char* keywords[] = {"NAME",     "TYPE",     "CONSTELLATION", "LOCATION",   "TELESCOPE", "EYEPIECE",
                              "FILTER",   "DARKNESS", "TRANSPARENCY",  "TURBULENCE", "RA",        "DEC",
                              "MAG",      "SIZE",     "DATE",          "TIME",       "NOTES"};
    for (int i = 0; i < 17; ++i) h += std::string(keywords[i]) + "\n{" + std::to_string(i + 1) + "}\n";
    return h + "BEGIN\n\n";
}

class LogImport : public SampleLog {
protected:
    // Imports a text into a new log; gives the records.
    bool Import(const std::string& text)
    {
        EXPECT_TRUE(testsupport::WriteFileBytes(dirs_.File("import.txt"), text));
        // One log is open at a time; the new one has directories of its own.
        doc_.reset();
        fresh_.reset();
        freshDirs_ = std::make_unique<logtest::LogDirs>();
        fresh_ = std::make_unique<LogDocument>(freshDirs_->program, freshDirs_->user);  // File New
        fw::ScriptedDialogs none([](fw::Dialog&) { return fw::IDCANCEL; });  // the new log's list set-up
        form_ = new ObsDialogView(*fresh_);
        fw::ScriptedFileDialogs files({dirs_.File("import.txt")});
        boxes_.Clear();
        return form_->SendCommand(ObsDialog::CM_IMPORT);
    }
    void TearDownLogs() override { fresh_.reset(); }
    std::string Text(std::int32_t list, std::int32_t id) { return fresh_->Header().ListById(list).TextForId(id); }

    std::unique_ptr<logtest::LogDirs> freshDirs_;
    std::unique_ptr<LogDocument> fresh_;
    ObsDialogView* form_ = nullptr;
};

TEST_F(LogImport, TheTabTableReadsBackAsTheSameRecords)
{
    LogReport report(*doc_);
    ASSERT_TRUE(report.ExportText(dirs_.File("table.txt")));
    std::string table = testsupport::ReadFileBytes(dirs_.File("table.txt"));
    table = table.substr(table.find('\n') + 1);  // the heading line is not an entry
    const std::vector<ObsRecord> sample = doc_->Records();
    const ObsRecordHeader sampleHeader = doc_->Header();
    ASSERT_TRUE(Import(TableHeader() + table));
    EXPECT_EQ(boxes_.Count(), 0) << (boxes_.Count() ? boxes_.Last().text : "");
    ASSERT_EQ(fresh_->Records().size(), sample.size()) << "the new log's empty entry takes the first";
    EXPECT_EQ(form_->ControlText(ObsDialog::kCaption), "Notes - Record 7 - (7 of 7 Total Records)");
    for (std::size_t i = 0; i < sample.size(); ++i) {
        const ObsRecord& a = sample[i];
        const ObsRecord& b = fresh_->Records()[i];
        SCOPED_TRACE(a.name);
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.crossRef, a.crossRef);
        EXPECT_EQ(b.notes, a.notes);
        EXPECT_EQ(b.constellation, a.constellation);
        EXPECT_EQ(b.time, a.time);
        EXPECT_NEAR(b.rightAscension, a.rightAscension, 1e-9);
        EXPECT_NEAR(b.declination, a.declination, 1e-9);
        EXPECT_NEAR(b.magnitude, a.magnitude, 1e-9);
        EXPECT_NEAR(b.size, a.size, 1e-9);
        const std::pair<std::int32_t, std::int32_t ObsRecord::*> lists[] = {
            {L::ObjectTypes, &ObsRecord::objectType},   {L::Telescopes, &ObsRecord::telescope},
            {L::Eyepieces, &ObsRecord::eyepiece},       {L::Filters, &ObsRecord::filter},
            {L::Locations, &ObsRecord::location},       {L::SkyDarkness, &ObsRecord::skyDarkness},
            {L::SkyTransparency, &ObsRecord::skyTransparency}, {L::SkyTurbulence, &ObsRecord::skyTurbulence}};
        for (const auto& l : lists)
            EXPECT_EQ(Text(l.first, b.*l.second), sampleHeader.ListById(l.first).TextForId(a.*l.second)) << l.first;
    }
}

TEST_F(LogImport, NamesLookUpTheCatalogueAndDefaultsFillTheRest)
{
    ASSERT_TRUE(Import("delimiter\n\t\nfields per entry\n1\nName\n{1}\nRA\n{0}\nType\n{0}\nTelescope\n"
                       "Finder 8x50\nBegin\n\nM 31\nNGC 7000\nComet Lemmon\n"));
    ASSERT_EQ(fresh_->RecordCount(), 3);
    const std::vector<ObsRecord>& r = fresh_->Records();
    const int m31 = NGC2000Indexes::RowIndex(NGC2000Indexes::ParseObjectName("M 31"));
    EXPECT_EQ(r[0].crossRef, m31);
    EXPECT_NEAR(r[0].rightAscension, NGCTable.ra[m31], 1e-5) << "the RA comes from the catalogue";
    EXPECT_EQ(Text(L::ObjectTypes, r[0].objectType), "galaxy");
    EXPECT_EQ(r[0].constellation, ConstellationNoComment) << "constellation: the default, the entry has an object";
    EXPECT_EQ(Text(L::Telescopes, r[2].telescope), "Finder 8x50");
    EXPECT_EQ(fresh_->Header().ListById(L::Telescopes).Count(), 1) << "a default text is added once";
    EXPECT_EQ(r[2].crossRef, -1);
    EXPECT_EQ(r[2].constellation, ConstellationNoComment) << "no object, no position";
}

TEST_F(LogImport, AnEntryWithAPositionGetsItsConstellation)
{
    ASSERT_TRUE(Import("DELIMITER\n|\nFIELDS PER ENTRY\n3\nNAME\n{1}\nRA\n{2}\nDEC\n{3}\nBEGIN\n\n"
                       "Comet Lemmon|5 35 0|-5 23 0\r\nNova|0|10\n\nAt the pole|12|89.9\n"));
    ASSERT_EQ(fresh_->RecordCount(), 3);
    EXPECT_EQ(ConstellationAbbreviation(fresh_->Records()[0].constellation), std::string("Ori"));
    EXPECT_EQ(fresh_->Records()[1].constellation, ConstellationNoComment) << "RA 0 names no position";
    EXPECT_EQ(ConstellationAbbreviation(fresh_->Records()[2].constellation), std::string("UMi"));
}

TEST_F(LogImport, BadFilesAreSaidAndImportNothingPastTheError)
{
    const struct {
        std::string text;
        const char* message;  // "" when nothing is said
        int records;          // in the new log afterwards (its empty entry is 1)
    } cases[] = {
        {"DELIMITER\n\t\nCOLOUR\nred\n", "Error Reading Import log header line COLOUR", 1},
        {"DELIMITER\n   \nFIELDS PER ENTRY\n1\n", "Invalid Delimiter, try a tab or pipe (|)", 1},
        {"NAME\n{1}\nBEGIN\n\nM 31\n", "Invalid Fields Per Entry, give the number of fields in each line (1 to 254)", 1},
        {"FIELDS PER ENTRY\n2\nNAME\n{1}\nNOTES\n{2}\nBEGIN\n\nM 31\tfine\nM 33\nM 42\tlost\n",
         "Import stopped at line 10: it has fewer than 2 fields", 1},
        {"FIELDS PER ENTRY\n1\nNAME\n{1}\nBEGIN\n", "", 1},
        {"FIELDS PER ENTRY\n2\nNOTES\n{2}\nBEGIN\n\nM 31\t" + std::string(10 << 20, 'x') + "\nM 33\tok\n", "", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        Import(c.text);
        EXPECT_EQ(boxes_.Count(), *c.message ? 1 : 0);
        if (*c.message && boxes_.Count()) {
            EXPECT_EQ(boxes_.Last().text, c.message);
        }
        EXPECT_EQ(fresh_->RecordCount(), c.records);
        fresh_.reset();
    }
}

// The reader alone: keywords, columns, defaults and a header that ends without BEGIN.
TEST(LogImportReader, HeaderLinesAndFields)
{
    std::istringstream in("  delimiter \n;\nFIELDS PER ENTRY\n{3}\nMAG\n{300}\nSIZE\n{2}\nNOTES\n{2}\n"
                          "LOCATION\n  Back garden  \nBEGIN\n{1}\na;b;c;d\n");
    LogImportHeader h;
    std::string message;
    ASSERT_TRUE(h.Read(in, message)) << message;
    EXPECT_EQ(h.delimiter, ';');
    EXPECT_EQ(h.fieldsPerEntry, 3) << "the first run of digits";
    EXPECT_EQ(h.column[LogImportHeader::Magnitude], LogImportHeader::kNoColumn) << "past any field: none";
    EXPECT_EQ(h.CodeOfColumn(2), LogImportHeader::Notes) << "the highest code of a shared column";
    EXPECT_EQ(h.CodeOfColumn(1), -1);
    EXPECT_EQ(h.defaults[LogImportHeader::Location], "Back garden");
    LogImportEntries entries(in, h);
    std::string a, b, c;
    ASSERT_TRUE(entries.BeginEntry());
    EXPECT_EQ(entries.LineNumber(), 15);
    ASSERT_TRUE(entries.ReadField(a, false) && entries.ReadField(b, false) && entries.ReadField(c, true));
    EXPECT_EQ(a + "|" + b + "|" + c, "a|b|c;d") << "the last field runs to the line's end";
    EXPECT_FALSE(entries.BeginEntry());
}

} // namespace
