#include "app/TStellumApp.h"

#include "app/MainToolbar.h"
#include "app/SLdocManager.h"
#include "app/StellumMenus.h"
#include "app/StellumStatusBar.h"
#include "app/StellumTemplates.h"
#include "app/TStellumAboutDlg.h"
#include "app/TStellumMDIChild.h"
#include "app/TStellumMDIClient.h"
#include "astro/Moon.h"
#include "astro/Planets.h"
#include "astro/RiseSetTransit.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/DocTemplate.h"
#include "framework/stream/AtomicFile.h"
#include "framework/gui/Document.h"
#include "framework/gui/Help.h"
#include "framework/gui/MDIFrame.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/View.h"
#include "framework/stream/StateReset.h"
#include "framework/sys/DesktopAssociation.h"
#include "globals/Globals.h"
#include "ui/Configuration.h"
#include "ui/RScolor.h"
#include "ui/StellumConfig.h"
#include "ui/TStatusDlg.h"
#include "ui/UserFile.h"

#include <QApplication>
#include <QIcon>

#include <cctype>
#include <cmath>
#include <ctime>
#include <fstream>
#include <iterator>
#include <new>
#include <sys/stat.h>

namespace {

// Views' names as the MDI children know them.
const char* const kLogView = "LOGVIEW";

bool FileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string DirectoryOf(const std::string& path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

void StatusLine(const std::string& text)
{
    if (StatusWindow) StatusWindow->Message(text);
}

// Makes a global object; an object that cannot be made leaves its pointer null and start-up
// goes on (the global check reports it).
template <class T, class... Args>
T* Make(Args&&... args)
{
    try {
        return new T(std::forward<Args>(args)...);
    } catch (const std::exception&) {
        return nullptr;
    }
}

// An option token: '/' or '-' and letters only ("/unregister", "-UNREG"); "/home/a.sl4" is a
// path, not an option.
bool IsOption(const std::string& token)
{
    if (token.size() < 2 || (token[0] != '/' && token[0] != '-')) return false;
    for (std::size_t i = 1; i < token.size(); ++i)
        if (!std::isalpha(static_cast<unsigned char>(token[i]))) return false;
    return true;
}

// Does the option name "unregister", in any letter case and shortened to any leading part?
bool IsUnregisterOption(const std::string& token)
{
    static const std::string word = "unregister";
    if (!IsOption(token) || token.size() - 1 > word.size()) return false;
    for (std::size_t i = 1; i < token.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(token[i])) != word[i - 1]) return false;
    return true;
}

fw::DesktopAssociation PlannerAssociation(const std::string& programPath)
{
    return {"stellum-planner", "application/x-stellum-planner", "Stellum planner document", "*.sl4",
            "Stellum", programPath};
}

} // namespace

const char* const TStellumApp::kRecentFilesProfile = "./Stellum.ini";
int TStellumApp::resolutionLevel = 1;
bool TStellumApp::startupComplete = false;
bool TStellumApp::helpOpen = false;
ObsSite TStellumApp::savedSite;
JulianDate TStellumApp::lastNotifiedNow(0.0, JulianDate::kJulianDay);
JulianDate TStellumApp::lastNight(0.0, JulianDate::kJulianDay);

namespace {
const fw::StateReset resetApplicationState{[] {
    TStellumApp::resolutionLevel = 1;
    TStellumApp::startupComplete = false;
    TStellumApp::helpOpen = false;
    TStellumApp::savedSite = ObsSite();
    TStellumApp::lastNotifiedNow = JulianDate(0.0, JulianDate::kJulianDay);
    TStellumApp::lastNight = JulianDate(0.0, JulianDate::kJulianDay);
}};
} // namespace

namespace {
// The running application, for the night check that a planner file runs after it was read.
TStellumApp* runningApp = nullptr;

void CheckNight()
{
    if (runningApp && TStellumApp::DailyValuesOutOfDate()) runningApp->UpdateDailyCalculations();
}

void SchemeChanged(int scheme)
{
    if (runningApp) runningApp->ShowColorScheme(scheme);
}
} // namespace

TStellumApp::TStellumApp(std::vector<std::string> args)
    : fw::Application("Stellum", std::move(args)), recent_(kRecentFilesProfile, kRecentFiles)
{
    AppGlobals.statusBar = nullptr;
    startupComplete = false;
    helpOpen = false;
    lastNotifiedNow = JulianDate(0.0, JulianDate::kJulianDay);
    lastNight = JulianDate(0.0, JulianDate::kJulianDay);
    runningApp = this;
    NightCheck = CheckNight;
    ScreenSchemeChanged = SchemeChanged;

    SetDocManager(std::make_unique<SLdocManager>());
    for (fw::DocTemplate* tpl : StellumTemplates()) GetDocManager()->AttachTemplate(*tpl);

    ProgramDirectory = DirectoryOf(Args().empty() ? std::string() : Args()[0]);
    UserDirectory = ProgramDirectory + "User/";
    AppHelpPath = ProgramDirectory + "stellum.html";

    AppGlobals.config = Make<Configuration>(UserDirectory + Configuration::kFileName);
    if (AppGlobals.config && AppGlobals.config->Damaged()) {
        configDamaged_ = true;
        configBackup_ = KeepDamagedFile(AppGlobals.config->FileName());
    }
    AppGlobals.stellumConfig = Make<StellumConfig>("Stellum 4");
    if (AppGlobals.stellumConfig) AppGlobals.stellumConfig->Load();
}

TStellumApp::~TStellumApp()
{
    // The documents and the main window (with the status bar and the status window) first.
    TermInstance();
    SetHelpCursor(false);
    if (runningApp == this) {
        runningApp = nullptr;
        NightCheck = nullptr;
        ScreenSchemeChanged = nullptr;
    }
    // The desktop's palette comes back for whatever runs after the planner.
    if (dayPalette_) QApplication::setPalette(*dayPalette_);
    auto drop = [](auto*& p) {
        delete p;
        p = nullptr;
    };
    drop(AppGlobals.twilightRst);
    drop(AppGlobals.moonRst);
    drop(AppGlobals.sunRst);
    drop(AppGlobals.site);
    drop(AppGlobals.now);
    drop(AppGlobals.moon);
    drop(AppGlobals.planets);
    drop(AppGlobals.database);     // writes its state file
    if (keepStateFile_) fw::WriteFileReplacing(stateFile_, stateBytes_);
    drop(AppGlobals.stellumConfig);
    drop(AppGlobals.config);       // writes the configuration file
    startupComplete = false;
}

std::string TStellumApp::KeepDamagedFile(const std::string& path)
{
    const std::string backup = fw::KeepDamagedFile(path);
    return backup.empty() ? "nowhere (it could not be copied)" : backup;
}

bool TStellumApp::AllGlobalsInitialized()
{
    const AppGlobalsBlock& g = AppGlobals;
    return g.moon && g.planets && g.moonRst && g.sunRst && g.twilightRst && g.now && g.site && g.statusBar &&
           g.database && g.config && g.stellumConfig;
}

void TStellumApp::InitMainWindow()
{
    StellumConfig* sc = AppGlobals.stellumConfig;

    // 1. How the main window shows: the saved state decides unless it is to start minimised
    //    without activation.
    int show = GetCmdShow();
    if (show != 0 && show != fw::SW_SHOWMINNOACTIVE) show = fw::SW_SHOWNORMAL;
    if (show != fw::SW_SHOWMINNOACTIVE && show != fw::SW_HIDE && sc) {
        if (sc->mainWindowState & StellumConfig::kStateMinimized) show = fw::SW_SHOWMINIMIZED;
        else if (sc->mainWindowState & StellumConfig::kStateMaximized) show = fw::SW_SHOWMAXIMIZED;
        else show = fw::SW_SHOWNORMAL;
    }
    SetCmdShow(show);

    // 2.-5. The frame with its client, status bar and tool bar becomes the main window.
    client_ = new TStellumMDIClient(GetDocManager());
    auto* frame = new fw::MDIFrame(GetName(), MainMenu(), client_);
    frame->setWindowIcon(QIcon(ToolbarIcon(CM_CLOCKS)));
    frame->SetAccelerators(MainAccelerators());
    frame->resize(1000, 700);
    statusBar_ = new StellumStatusBar(frame);
    frame->InsertStatusBar(statusBar_);
    SetMainWindow(frame);
    CreateToolbar();
    frame->SetRecentFiles(&recent_);
    for (int i = 0; i < kRecentFiles; ++i)
        frame->OnCommand(fw::CM_MRU_FIRST + i, [this, i] {
            std::string path = recent_.GetMenuText(fw::CM_MRU_FIRST + i);
            if (!path.empty()) OpenFiles({path});
        });
    frame->SetDropHandler([this](const std::vector<std::string>& paths) { OpenFiles(paths); });
    frame->OnCommand(CM_TOOLBAR, [this] { CmToolbar(); });
    frame->OnCommandEnable(CM_TOOLBAR, [this](fw::CommandEnabler& ce) {
        ce.SetCheck(toolbar_ && !toolbar_->isHidden() ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    });
    frame->OnCommand(CM_STATUSBAR, [this] { CmStatusBar(); });
    frame->OnCommandEnable(CM_STATUSBAR, [this](fw::CommandEnabler& ce) {
        ce.SetCheck(statusBar_ && statusBar_->IsVisible() ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    });
    frame->OnCommand(CM_TOOLBARSTATE, [this] { CmToolbarState(); });
    frame->OnCommand(CM_HELPABOUT, [this] { CmHelpAbout(); });
    InstallHelp(*frame);
    // The clock and the time commands.
    frame->SetTimerHandler([this](int id) { EvTimer(id); });
    frame->OnCommand(CM_UPDATECLOCK, [this] { UpdateClock(); });
    frame->OnCommand(CM_SYSTEMTIME, [this] { CmSystemTime(); });
    frame->OnCommandEnable(CM_SYSTEMTIME, [](fw::CommandEnabler& ce) {
        ce.SetCheck(FollowSystemClock ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    });
    frame->OnCommand(CM_MANUALTIME, [this] { CmManualTime(); });
    frame->OnCommandEnable(CM_MANUALTIME, [](fw::CommandEnabler& ce) {
        ce.SetCheck(FollowSystemClock ? fw::BF_UNCHECKED : fw::BF_CHECKED);
    });
    frame->OnCommand(CM_SITELOCATION, [this] { CmSiteLocation(); });
    frame->OnCommand(CM_TIMEZONE, [this] { CmTimeZone(); });
    frame->OnCommand(CM_OBSERVINGSESSION, [this] { CmObservingSession(); });
    frame->OnCommand(CM_CLOCKS, [this] { CmClocks(); });

    // 6. The status window, which takes every later start-up line.
    StartStatusWindow(frame);
    if (configDamaged_)
        UserFile::Tell("Configuration file damaged: kept as " + configBackup_);

    // 7. Site and current instant from the saved state; the computer's clock in system-time
    //    mode.
    AppGlobals.site = Make<ObsSite>(Angle(), Angle(), std::string(), 0.0, Distance());
    AppGlobals.now = Make<JulianDate>();
    if (sc && AppGlobals.now && AppGlobals.site) {
        *AppGlobals.now = sc->now;
        *AppGlobals.site = sc->site;
        FollowSystemClock = sc->useClock;
        if (FollowSystemClock) *AppGlobals.now = AppGlobals.site->NowAsUT();
    }

    // 8. Start-up lines.
    StatusLine("Command Line: " + (Args().empty() ? std::string() : Args()[0]));
    StatusLine("FPU DETECTED");

    // 9. Speed test: 1000 arccosine and cosine evaluations; under 101 ms of processor time
    //    picks the high-resolution series.
    std::clock_t start = std::clock();
    volatile double x = 0.5;
    for (int i = 0; i < 1000; ++i) {
        double a = std::acos(x);
        x = std::cos(a);
    }
    speedTicks_ = static_cast<long>((std::clock() - start) * 1000 / CLOCKS_PER_SEC);
    resolutionLevel = speedTicks_ < 101 ? 2 : 1;
    StatusLine("Speed Evaluation = " + std::to_string(speedTicks_));

    // 10. "\L" forces the low-resolution files, "\H" the high-resolution ones.
    if (Args().size() > 1) {
        if (Args()[1] == "\\L") {
            StatusLine("Force Low Resolution Files");
            resolutionLevel = 1;
        } else if (Args()[1] == "\\H") {
            resolutionLevel = 2;
        }
    }

    // 11. Planets and Moon, with the full series at level 2.
    AppGlobals.planets = Make<Planets>(ProgramDirectory);
    AppGlobals.moon = Make<Moon>(ProgramDirectory);
    if (AppGlobals.moon) AppGlobals.moon->LoadLowRes();
    if (resolutionLevel == 2) {
        if (AppGlobals.planets) AppGlobals.planets->LoadPlanet(3, 2);
        if (AppGlobals.moon) AppGlobals.moon->LoadHighRes();
    }

    // 12. Rise, set and transit of the Moon, the Sun and twilight.
    AppGlobals.moonRst = Make<RiseSetTransit>();
    AppGlobals.sunRst = Make<RiseSetTransit>();
    AppGlobals.twilightRst = Make<RiseSetTransit>();

    // 13. The catalogue database (reads its files and filters).
    AppGlobals.database = Make<NGC2000Indexes>(ProgramDirectory);
    if (AppGlobals.database && (!AppGlobals.database->StateRead() || AppGlobals.database->StateDamaged()) &&
        FileExists(AppGlobals.database->StateFilePath())) {
        const std::string stateFile = AppGlobals.database->StateFilePath();
        // A saved state that could not be read would be replaced by the defaults at exit.
        UserFile::Tell("Saved catalogue state unreadable: kept as " + KeepDamagedFile(stateFile));
    }
    if (AppGlobals.database && AppGlobals.database->CatalogueReadResult() != NGC2000Indexes::ReadOk) {
        stateFile_ = AppGlobals.database->StateFilePath();
        std::ifstream in(stateFile_, std::ios::binary);
        if (in) {
            stateBytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            keepStateFile_ = true;
            StatusLine("Catalogue not read: the saved catalogue state is kept as it was");
        }
    }
    if (StatusWindow) StatusWindow->SetProgress(100);

    // 14. Every global object there?
    StatusLine(AllGlobalsInitialized() ? "All Globals Initialized" : "Failure during Global Initialization");

    // 15. The night's values, the status bar's times, and start-up is complete.
    UpdateDailyCalculations();
    statusBar_->UpdateTimes();
    if (StatusWindow) StatusWindow->hide();
    startupComplete = true;
}

bool TStellumApp::InitInstance()
{
    if (!fw::Application::InitInstance()) return false;
    ReopenDocuments();
    GetMainWindow()->SetTimer(kClockTimer, ClockPeriod(resolutionLevel));
    if (StatusWindow) StatusWindow->hide();
    std::vector<std::string> tokens(Args().begin() + (Args().empty() ? 0 : 1), Args().end());
    ProcessCommandLine(tokens);
    // Documents named on the command line (the desktop opens a planner file this way).
    std::vector<std::string> documents;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (IsOption(tokens[i]) || (i == 0 && (tokens[i] == "\\L" || tokens[i] == "\\H"))) continue;
        documents.push_back(tokens[i]);
    }
    OpenFiles(documents);
    return true;
}

void TStellumApp::ReopenDocuments()
{
    StellumConfig* sc = AppGlobals.stellumConfig;
    if (!sc) return;
    if ((sc->logWindowState & StellumConfig::kStateOpen) && sc->lastLogFile.empty())
        sc->lastLogFile = UserDirectory + "Sample.log";
    if ((sc->plannerWindowState & StellumConfig::kStateOpen) && sc->lastPlannerFile.empty())
        sc->lastPlannerFile = UserDirectory + "Sample.sl4";
    auto reopen = [this](const std::string& path, std::int32_t word) {
        if (!(word & StellumConfig::kStateOpen) || path.empty()) return;
        fw::DocTemplate* tpl = GetDocManager()->MatchTemplate(path);
        if (!tpl) return;
        if (!FileExists(path)) {
            StatusLine("Unable to find " + path);
            return;
        }
        GetDocManager()->CreateDoc(tpl, path);
    };
    // The log first, then the planner.
    reopen(sc->lastLogFile, sc->logWindowState);
    reopen(sc->lastPlannerFile, sc->plannerWindowState);
}

void TStellumApp::ProcessCommandLine(const std::vector<std::string>& tokens)
{
    for (const std::string& token : tokens)
        if (IsUnregisterOption(token)) {
            UnregisterFileTypes();
            return;
        }
    RegisterFileTypes();
}

void TStellumApp::RegisterFileTypes()
{
    // A desktop without a data directory simply has no association.
    if (!Args().empty()) PlannerAssociation(Args()[0]).Register();
}

void TStellumApp::UnregisterFileTypes()
{
    PlannerAssociation(Args().empty() ? std::string() : Args()[0]).Unregister();
}

bool TStellumApp::CanClose()
{
    StellumConfig* sc = AppGlobals.stellumConfig;
    fw::MDIFrame* frame = GetMainWindow();
    if (sc) {
        sc->plannerWindowState = sc->logWindowState = sc->mainWindowState = 0;
        if (AppGlobals.now) sc->now = *AppGlobals.now;
        if (AppGlobals.site) sc->site = *AppGlobals.site;
        sc->useClock = FollowSystemClock;
        if (frame) sc->mainWindowState = frame->isMinimized() ? 3 : frame->isMaximized() ? 9 : 5;
        for (fw::Document* doc : GetDocManager()->GetDocuments()) {
            std::string name = doc->PropertyText("Document Name");
            if (doc->GetDocPath().empty()) continue;
            if (name == TStellumMDIClient::kPlannerDocName) {
                sc->plannerWindowState = StellumConfig::kStateOpen;
                sc->lastPlannerFile = doc->GetDocPath();
            } else if (name == TStellumMDIClient::kLogDocName) {
                sc->logWindowState = StellumConfig::kStateOpen;
                sc->lastLogFile = doc->GetDocPath();
            }
        }
        if (client_) {
            if (auto* log = client_->FirstChildOfKind(TStellumMDIChild::kLog))
                sc->logWindowState = log->WindowStateWord();
            if (auto* planner = client_->FirstChildOfKind(TStellumMDIChild::kPlanner))
                sc->plannerWindowState = planner->WindowStateWord();
        }
        sc->Store(false);
    }
    // The documents are asked once each (their save prompts).
    if (!fw::Application::CanClose()) return false;
    if (helpOpen) helpOpen = false;
    if (frame) frame->KillTimer(kClockTimer);
    return true;
}

void TStellumApp::CreateToolbar()
{
    fw::MDIFrame* frame = GetMainWindow();
    toolbar_ = new MainToolbar(frame);
    toolbar_->AddButtons();
    toolbar_->setProperty("windowId", MainToolbar::kWindowId);
    frame->InsertToolBar(toolbar_);
}

void TStellumApp::CmToolbar()
{
    fw::MDIFrame* frame = GetMainWindow();
    if (!toolbar_ || !frame) return;
    if (!toolbar_->isHidden()) frame->RemoveToolBar(toolbar_);
    else frame->InsertToolBar(toolbar_);
}

void TStellumApp::CmStatusBar()
{
    if (statusBar_) statusBar_->ToggleVisible();
}

void TStellumApp::CmToolbarState()
{
    if (!toolbar_ || !AppGlobals.database) return;
    if (AppGlobals.database->IsOnObservingList(AppGlobals.database->CurrentObject()))
        toolbar_->ShowRemoveButton();
    else
        toolbar_->ShowAddButton();
}

void TStellumApp::CmHelpAbout()
{
    TStellumAboutDlg about(GetMainWindow());
    about.Execute();
}

void TStellumApp::OpenFiles(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths)
        if (fw::DocTemplate* tpl = GetDocManager()->MatchTemplate(path)) GetDocManager()->CreateDoc(tpl, path);
}

QPalette TStellumApp::NightVisionPalette()
{
    // Dim reds on black: nothing on the screen spoils the observer's dark adaptation.
    const QColor black(0, 0, 0), ground(24, 0, 0), face(48, 0, 0), text(176, 0, 0), dimText(96, 0, 0);
    QPalette p(face, ground);
    p.setColor(QPalette::Window, ground);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, black);
    p.setColor(QPalette::AlternateBase, ground);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, face);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, QColor(224, 0, 0));
    p.setColor(QPalette::Light, QColor(80, 0, 0));
    p.setColor(QPalette::Midlight, QColor(64, 0, 0));
    p.setColor(QPalette::Mid, QColor(36, 0, 0));
    p.setColor(QPalette::Dark, QColor(16, 0, 0));
    p.setColor(QPalette::Shadow, black);
    p.setColor(QPalette::Highlight, QColor(112, 0, 0));
    p.setColor(QPalette::HighlightedText, black);
    p.setColor(QPalette::ToolTipBase, ground);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, dimText);
    p.setColor(QPalette::Link, text);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, dimText);
    return p;
}

void TStellumApp::ShowColorScheme(int scheme)
{
    const bool night = scheme == SchemeNightVision;
    if (night == static_cast<bool>(dayPalette_)) return;
    if (night) {
        dayPalette_ = std::make_unique<QPalette>(QApplication::palette());
        QApplication::setPalette(NightVisionPalette());
    } else {
        QApplication::setPalette(*dayPalette_);
        dayPalette_.reset();
    }
    // The workspace behind the document windows follows the palette.
    if (client_) client_->setBackground(QApplication::palette().brush(QPalette::Dark));
}

void TStellumApp::EvNewView(fw::View& view)
{
    fw::MDIFrame* frame = GetMainWindow();
    if (!client_ || !frame) return;
    StellumConfig* sc = AppGlobals.stellumConfig;
    auto* child = new TStellumMDIChild(*client_, view, view.GetViewName() == kLogView ? LogMenu() : PlannerMenu());
    if (view.GetViewName() != kLogView) {
        std::int32_t word = sc ? sc->plannerWindowState : 0;
        frame->ShowChild(child, word & StellumConfig::kStateMinimized,
                         !(word & StellumConfig::kStateMinimized) && (word & StellumConfig::kStateMaximized));
        // Framing the planner view lets the clock run again.
        UpdateInProgress = 0;
    } else {
        // The log's form keeps its own size: no resizing frame, never maximised.
        child->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        if (QWidget* form = view.GetWindow()) child->setFixedSize(child->sizeHint().expandedTo(form->sizeHint()));
        std::int32_t word = sc ? sc->logWindowState : 0;
        frame->ShowChild(child, word & StellumConfig::kStateMinimized, false);
    }
}

void TStellumApp::EvDocCreated(fw::Document& doc)
{
    if (doc.GetDocPath().empty()) return;
    recent_.SaveMenuChoice(doc.GetDocPath());
    if (GetMainWindow()) GetMainWindow()->RebuildMenuBar();
}

void TStellumApp::EvDocRenamed(fw::Document& doc)
{
    EvDocCreated(doc);
}

int StellumMain(std::vector<std::string> args)
{
    TStellumApp app(std::move(args));
    return app.Run();
}
