// The observing-list export on the Messier list: the options dialog, the three forms written
// and read back, the paragraph export's moments through the session, the cursor kept, and
// writes that fail.
#include "PlannerFixture.h"

#include "catalog/Browser.h"
#include "framework/gui/Dialog.h"
#include "framework/gui/FileDialog.h"
#include "framework/gui/Window.h"
#include "planner/AngleLabelWindow.h"
#include "planner/CoordLabelWindow.h"
#include "planner/ObservingListExport.h"
#include "planner/PlannerStrings.h"
#include "planner/TextPane.h"
#include "ui/ExportOptionsDialog.h"
#include "ui/TheSkyLabelFile.h"

#include <QApplication>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<std::string> ReadLines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Split(const std::string& line, char c)
{
    std::vector<std::string> parts;
    std::stringstream s(line);
    for (std::string part; std::getline(s, part, c);) parts.push_back(part);
    return parts;
}

} // namespace

class ExportOnTheSky : public PlannerWorld {
protected:
    void SetUp() override
    {
        PlannerWorld::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        window_ = std::make_unique<fw::Window>();
        window_->resize(380, 640);
        pane_ = std::make_unique<TextPane>(window_.get(), "TextWin", &PlannerStrings());
        pane_->setGeometry(0, 0, 380, 640);
        pane_->EnsureSetUp();
        export_ = std::make_unique<ObservingListExport>(window_.get(), *pane_, *db_);
        export_->updateClock = [this] { clockTimes_.push_back(now_); };
        export_->showObject = [this](ObjectId id) { shown_.push_back(id); };
    }
    void TearDown() override
    {
        export_.reset();
        pane_.reset();
        window_.reset();
        PlannerWorld::TearDown();
    }
    void AddMessierList()
    {
        db_->ClearObservingList();
        for (int m = 1; m <= 110; ++m) {
            const ObjectId id = NGC2000Indexes::ParseObjectName("M " + std::to_string(m));
            if (id.Value() != 0 && !db_->IsOnObservingList(id)) {
                db_->AddToObservingList(id);
                messier_.push_back(id);
            }
        }
    }
    std::unique_ptr<fw::Window> window_;
    std::unique_ptr<TextPane> pane_;
    std::unique_ptr<ObservingListExport> export_;
    std::vector<JulianDate> clockTimes_;
    std::vector<ObjectId> shown_;
    std::vector<ObjectId> messier_;
};

TEST_F(ExportOnTheSky, OptionsDialogStartsOnTheCallersChoice)
{
    struct Case {
        int allowed, choice;
        int thesky, tab, paragraph;  // checked
        bool theskyEnabled;
    };
    const Case cases[] = {{7, 2, fw::BF_UNCHECKED, fw::BF_CHECKED, fw::BF_UNCHECKED, true},
                          {3, 4, fw::BF_UNCHECKED, fw::BF_UNCHECKED, fw::BF_UNCHECKED, false},
                          {7, 1, fw::BF_UNCHECKED, fw::BF_UNCHECKED, fw::BF_CHECKED, true}};
    for (const Case& c : cases) {
        ExportOptionsDialog dialog(nullptr);
        dialog.allowed = c.allowed;
        dialog.choice = c.choice;
        dialog.EnsureSetUp();
        EXPECT_EQ(dialog.IsButtonChecked(ExportOptionsDialog::ID_THESKY), c.thesky);
        EXPECT_EQ(dialog.IsButtonChecked(ExportOptionsDialog::ID_TABDELIMITED), c.tab);
        EXPECT_EQ(dialog.IsButtonChecked(ExportOptionsDialog::ID_PARAGRAPH), c.paragraph);
        EXPECT_EQ(dialog.IsControlEnabled(ExportOptionsDialog::ID_THESKY), c.theskyEnabled);
    }
    EXPECT_EQ(ExportOptionsDialog(nullptr).GetCaption(), "Export Options");
}

TEST_F(ExportOnTheSky, CommandAsksFormAndFileAndWritesIt)
{
    AddMessierList();
    const std::string path = dir_.file("STLM2Sky.txt");
    fw::ScriptedFileDialogs files({path});
    fw::ScriptedDialogs dialogs([](fw::Dialog& d) {
        EXPECT_EQ(d.GetCaption(), "Export Observing List");
        EXPECT_EQ(d.IsButtonChecked(ExportOptionsDialog::ID_TABDELIMITED), fw::BF_CHECKED);
        d.PressButton(ExportOptionsDialog::ID_THESKY);
        d.PressButton(fw::IDOK);
        return fw::IDOK;
    });
    EXPECT_TRUE(export_->CmExport());
    ASSERT_EQ(files.Count(), 1);
    EXPECT_EQ(files.Requests()[0].title, "Export Observing List to TheSky");
    EXPECT_EQ(files.Requests()[0].kind, fw::FileDialogRequest::Save);
    EXPECT_EQ(ReadLines(path).size(), 9 + messier_.size());

    // Cancel in either dialog writes nothing.
    std::filesystem::remove(path);
    {
        fw::ScriptedDialogs cancel([](fw::Dialog&) { return fw::IDCANCEL; });
        EXPECT_FALSE(export_->CmExport());
    }
    {
        fw::ScriptedFileDialogs none({""});
        EXPECT_FALSE(export_->CmExport());
        EXPECT_EQ(none.Count(), 1);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ExportOnTheSky, EmptyListSaysSo)
{
    db_->ClearObservingList();
    fw::ScriptedDialogs dialogs([](fw::Dialog&) { return fw::IDOK; });
    EXPECT_FALSE(export_->CmExport());
    EXPECT_EQ(dialogs.Count(), 0);
    ASSERT_EQ(boxes_.Count(), 1);
    EXPECT_EQ(boxes_.Last().text, "No Records Available for Export");
}

TEST_F(ExportOnTheSky, TheSkyFileOfTheMessierList)
{
    AddMessierList();
    ASSERT_GT(messier_.size(), 100u);
    const std::string path = dir_.file("STLM2Sky.txt");
    ASSERT_TRUE(export_->Export(ExportOptionsDialog::TheSky, path));
    const std::vector<std::string> lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 9 + messier_.size());
    EXPECT_EQ(lines[0].rfind("; ", 0), 0u);
    const std::vector<std::string> header(lines.begin() + 1, lines.begin() + 9);
    EXPECT_EQ(header, (std::vector<std::string>{">LABEL 1,31", ">ALIAS 32,44", ">RAHOURS 45,58", ">DECDEGREES 59,70",
                                                ">CATALOG CLASS = LABELS", ">LOADMEMORY",
                                                ">IDENTIFIER Stellum ObsList", ">OBJECT TYPE 20"}));
    for (std::size_t i = 0; i < messier_.size(); ++i) {
        const std::string& line = lines[9 + i];
        SCOPED_TRACE(line);
        ASSERT_EQ(line.size(), 70u);
        EXPECT_EQ(line.substr(0, 31), TheSkyLabelFile::PadTo("V" + std::to_string(i + 1), 31));
        EXPECT_EQ(line.substr(31, 13), TheSkyLabelFile::PadTo(messier_[i].Name(), 13));
        // Right ascension and declination read back near the catalogue's (of date, apparent).
        const Coord p = db_->GetObjectData(messier_[i]).position;
        const double ra = std::stod(line.substr(44, 14));
        const double dec = std::stod(line.substr(58, 12));
        EXPECT_NEAR(dec, p.Dec().Degrees(), 0.5);
        double dRa = std::fabs(ra - p.RA().Hours());
        if (dRa > 12) dRa = 24 - dRa;
        EXPECT_LT(dRa * 15 * std::cos(p.Dec().Radians()), 0.5);
    }
    // The view shows the entry it showed before.
    ASSERT_FALSE(shown_.empty());
    EXPECT_EQ(pane_->GetCaption(), messier_.back().Name());
}

TEST_F(ExportOnTheSky, TabDelimitedMessierList)
{
    AddMessierList();
    const std::string path = dir_.file("OBSLIST.TXT");
    ASSERT_TRUE(export_->Export(ExportOptionsDialog::TabDelimited, path));
    const std::vector<std::string> lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 2 + messier_.size());
    EXPECT_EQ(lines[0], "Observing List for " + now_.Calendar().Format(0, 8, 2));
    EXPECT_EQ(lines[1], "Name\tType\tConstellation\tRA\tDEC\tNotes");
    for (std::size_t i = 0; i < messier_.size(); ++i) {
        const std::vector<std::string> fields = Split(lines[2 + i], '\t');
        ASSERT_EQ(fields.size(), 6u) << lines[2 + i];
        EXPECT_EQ(fields[0], messier_[i].Name());
        EXPECT_EQ(fields[5], db_->FullName(messier_[i]));
    }
}

TEST_F(ExportOnTheSky, ParagraphsOfTheMessierList)
{
    AddMessierList();
    const std::string path = dir_.file("OBSLIST.TXT");
    ASSERT_TRUE(export_->Export(ExportOptionsDialog::ParagraphText, path));
    const std::vector<std::string> lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 2 + 19 * messier_.size());
    for (std::size_t i = 0; i < messier_.size(); ++i) {
        const std::size_t first = 2 + 19 * i;
        EXPECT_EQ(lines[first], "");
        EXPECT_EQ(lines[first + 1], db_->FullName(messier_[i]));
        EXPECT_EQ(lines[first + 2].rfind("  ", 0), 0u);
        EXPECT_NE(lines[first + 2].find(" in "), std::string::npos);
        EXPECT_EQ(lines[first + 9], "  -----Equatorial Coordinates, Appar of Date");
        EXPECT_EQ(lines[first + 15].rfind("  Rise Time", 0), 0u);
    }
}

TEST_F(ExportOnTheSky, ParagraphsTakeEachObjectAtItsMomentOfTheSession)
{
    db_->ClearObservingList();
    const ObjectId ids[4] = {Ngc(224), Ngc(7078), Ngc(6705), Ngc(869)};
    for (ObjectId id : ids) db_->AddToObservingList(id);
    FilterSettings f = db_->GetFilterSettings();
    f.sessionStartHour = 21;
    f.sessionStartMinute = 0;
    f.sessionEndHour = 23;
    f.sessionEndMinute = 30;
    db_->SetFilterSettings(f, false);
    const JulianDate before = now_;
    const std::string path = dir_.file("OBSLIST.TXT");
    ASSERT_TRUE(export_->Export(ExportOptionsDialog::ParagraphText, path));
    EXPECT_EQ(export_->timeStep, 2250);
    EXPECT_EQ(now_, before);
    ASSERT_EQ(clockTimes_.size(), 2u);
    EXPECT_EQ(site_.ToLocal(clockTimes_[0]).Format(0, 0, 0), "21:00:00");
    EXPECT_EQ(clockTimes_[1], before);

    const std::vector<std::string> lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 2 + 4 * 19u);
    EXPECT_EQ(lines[1], "\tObserving List for October 24, 2026");
    auto* alt = dynamic_cast<AngleLabelWindow*>(pane_->DataWindow(TextPane::W::HPhi));
    const char* const moments[4] = {"21:00:00", "21:37:30", "22:15:00", "22:52:30"};
    for (int i = 0; i < 4; ++i) {
        const int first = 2 + 19 * i;
        EXPECT_EQ(lines[first], "");
        EXPECT_EQ(lines[first + 1], db_->FullName(ids[i]));
        EXPECT_EQ(lines[first + 18], "");
        // The altitude written is the object's altitude at its own moment.
        const TimeDate local = site_.ToLocal(before);
        const int h = std::stoi(std::string(moments[i]).substr(0, 2));
        const int m = std::stoi(std::string(moments[i]).substr(3, 2));
        const int s = std::stoi(std::string(moments[i]).substr(6, 2));
        const JulianDate moment = site_.LocalToUT(TimeDate(local.year, local.month, local.day, h, m, s));
        const Coord apparent = Coord::Reduce(db_->GetObjectData(ids[i]).position, moment, Coord::MaskApparentPlace,
                                             CoordLabelWindow::SunLongitude(moment), Angle(), Angle());
        const Angle altitude = site_.ToHorizontal(moment, apparent, 0).Latitude();
        EXPECT_EQ(lines[first + 14],
                  TheSkyLabelFile::PadTo("       Alt", 30) + "\t" +
                      Angle::Format(altitude, alt->units, alt->format, alt->precision))
            << moments[i];
    }
    EXPECT_DOUBLE_EQ(ObservingListExport::SessionHours(22, 0, 2, 0), 4.0);
    EXPECT_DOUBLE_EQ(ObservingListExport::SessionHours(21, 0, 23, 30), 2.5);
}

TEST_F(ExportOnTheSky, CursorsComeBackAfterTheExport)
{
    AddMessierList();
    db_->SelectList(Browser::kFilteredList);
    db_->GoTo(5);
    db_->SetTemporaryObject(ObjectId(ObjectId::kMoon));
    ASSERT_TRUE(export_->Export(ExportOptionsDialog::TabDelimited, dir_.file("list.txt")));
    EXPECT_EQ(db_->Selected(), Browser::kFilteredList);
    EXPECT_EQ(db_->Index(), 5);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_NE(shown_[0], ObjectId(ObjectId::kMoon));  // the temporary object is gone
}

TEST_F(ExportOnTheSky, FailedWriteSaysSoAndLeavesNoFileUnderTheName)
{
    AddMessierList();
    namespace fs = std::filesystem;
    std::vector<std::string> paths = {dir_.file("missing/OBSLIST.TXT")};
    fs::create_directories(dir_.file("OBSLIST.TXT"));  // a directory where the file should go
    paths.push_back(dir_.file("OBSLIST.TXT"));
    if (geteuid() != 0) {  // a read-only directory stops everyone but the superuser
        fs::create_directories(dir_.file("readonly"));
        chmod(dir_.file("readonly").c_str(), 0555);
        paths.push_back(dir_.file("readonly/OBSLIST.TXT"));
    }
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        boxes_.Clear();
        EXPECT_FALSE(export_->Export(ExportOptionsDialog::TabDelimited, path));
        ASSERT_EQ(boxes_.Count(), 1);
        EXPECT_EQ(boxes_.Last().title, "Export Observing List");
        EXPECT_NE(boxes_.Last().text.find(path), std::string::npos);
        EXPECT_FALSE(fs::is_regular_file(path));
        const fs::path parent = fs::path(path).parent_path();
        if (fs::exists(parent)) {
            for (const auto& e : fs::directory_iterator(parent))
                EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
        }
    }
    chmod(dir_.file("readonly").c_str(), 0755);
}
