// TStellumApp: the planner's one application object. It reads the user's settings, builds
// the main window and the global objects in a fixed order with a start-up log in the status
// window and a speed test that picks the resolution of the series files, reopens the last
// documents, starts the clock timer, records the desktop's file association (or removes
// it), and at exit saves the user's state and frees the global objects.
#pragma once

#include <memory>

#include <QObject>
#include <QPalette>
#include <string>
#include <vector>

#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "framework/gui/Application.h"
#include "framework/gui/RecentFiles.h"

class FilterSettings;
class MainToolbar;
namespace fw { class MDIFrame; }
class StellumStatusBar;
class TStellumMDIClient;

class TStellumApp : public fw::Application {
public:
    static constexpr int kClockTimer = 101;
    static constexpr int kRecentFiles = 4;
    static const char* const kRecentFilesProfile; // "./Stellum.ini"

    // args[0] is the program's path: its directory is the program directory.
    explicit TStellumApp(std::vector<std::string> args);
    ~TStellumApp() override;

    bool InitInstance() override;
    bool CanClose() override;

    // --- start-up pieces ----------------------------------------------------------------
    // True when all eleven global objects exist.
    static bool AllGlobalsInitialized();
    // Removes the file association when the command line asks for it with an option
    // ("/unregister", "-UNREG", "/u"), records it otherwise.
    void ProcessCommandLine(const std::vector<std::string>& tokens);
    void RegisterFileTypes();
    void UnregisterFileTypes();
    // The night's Moon, Sun and twilight rise, transit and set at the site; returns the
    // local midnight of the night that holds the current instant.
    JulianDate UpdateDailyCalculations();
    // The clock: now follows the computer's clock (in system-time mode); a new night or site
    // recomputes the daily values; the focused document's views hear of each change.
    void UpdateClock();
    // The night that holds now, or the site, differs from the one the daily values were
    // computed for.
    static bool DailyValuesOutOfDate();
    // Sends vnAppEvent with the code to the views of the document whose view has the focus.
    void NotifyCurrentDocViews(int code);
    // After the session, the site or the night changed: the position filter's elevation window
    // is made for the site's latitude, "Refilter Database?" is asked, and the views hear of the
    // changed position filter. `changed` holds new filter settings, or is null for the
    // database's own.
    void PositionFilterChanged(const FilterSettings* changed);
    // A tick of the main window's timers: the clock timer runs the clock once start-up is
    // complete, in system-time mode, while nothing prints.
    void EvTimer(int id);

    // --- commands -----------------------------------------------------------------------
    void CmToolbar();
    void CmStatusBar();
    // The tool bar's observing-list pair follows whether the current object is on the list.
    void CmToolbarState();
    void CmHelpAbout();
    void CmSystemTime();
    void CmManualTime();
    void CmSiteLocation();
    void CmTimeZone();
    void CmObservingSession();
    void CmClocks();
    // Help: the program's help opened at a context (0: its contents); the help cursor, with
    // which the next command chosen shows its help instead of running.
    void Help(int context);
    void SetHelpCursor(bool on);
    bool HelpCursorOn() const { return helpCursor_; }
    // The help's keys before the windows see them: Shift+F1 turns the help cursor on, Escape
    // turns it off, F1 on a highlighted menu item shows the item's help. True when taken.
    bool HelpKey(int key, Qt::KeyboardModifiers modifiers);
    // Opens files (dropped, chosen from the recent files, or named on the command line)
    // with the template that matches each.
    void OpenFiles(const std::vector<std::string>& paths);
    // Dresses the whole program for the screen's colour scheme: the night-vision scheme
    // gives every window (menu bar, tool bar, status bar, document windows, dialogs) one dark
    // red palette; any other scheme gives them back the desktop's.
    void ShowColorScheme(int scheme);
    // The palette of the night-vision scheme.
    static QPalette NightVisionPalette();

    // --- framework notifications -----------------------------------------------------------
    void EvNewView(fw::View& view) override;
    void EvDocCreated(fw::Document& doc) override;
    void EvDocRenamed(fw::Document& doc) override;

    // --- what tests and the clock read ------------------------------------------------------
    MainToolbar* GetToolbar() const { return toolbar_; }
    StellumStatusBar* GetStatusBar() const { return statusBar_; }
    TStellumMDIClient* GetClient() const { return client_; }
    fw::RecentFiles& Recent() { return recent_; }
    // The clock timer's period for the resolution level (ms).
    static int ClockPeriod(int level) { return level == 2 ? 100 : 30000; }
    // Milliseconds of processor time the speed test took.
    long SpeedTicks() const { return speedTicks_; }

    // Application state shared with the clock and the documents.
    static int resolutionLevel;   // 1 low-resolution series files, 2 high-resolution
    static bool startupComplete;  // set at the end of the main window's set-up
    static bool helpOpen;         // a help command opened the help
    static ObsSite savedSite;     // the site of the last daily calculation
    static JulianDate lastNotifiedNow;
    static JulianDate lastNight;

protected:
    void InitMainWindow() override;

private:
    void CreateToolbar();
    // The help file, the help commands, the help cursor and its keys.
    void InstallHelp(fw::MDIFrame& frame);
    void ReopenDocuments();
    // Keeps a user file that start-up could not read in full beside it (name + ".bad", or a
    // numbered ".bad" when that is taken), so that writing the program's state back at exit
    // loses nothing the user had. The backup's name, for the status line.
    std::string KeepDamagedFile(const std::string& path);

    fw::RecentFiles recent_;
    TStellumMDIClient* client_ = nullptr;
    StellumStatusBar* statusBar_ = nullptr;
    MainToolbar* toolbar_ = nullptr;
    long speedTicks_ = 0;
    // The retry question about missing global objects is open: further ticks ask nothing.
    bool askingRetry_ = false;
    bool helpCursor_ = false;
    std::unique_ptr<QObject> helpKeys_;
    bool configDamaged_ = false;
    std::string configBackup_;
    // Without the catalogue the database's state means nothing: the saved state file is
    // put back as it was when the database has written its own at exit.
    bool keepStateFile_ = false;
    std::string stateFile_;
    std::string stateBytes_;
    // The desktop's palette while the night-vision scheme is in force.
    std::unique_ptr<QPalette> dayPalette_;
};

// The program's main entry: builds the application on the arguments, runs it and returns
// its exit code.
int StellumMain(std::vector<std::string> args);
