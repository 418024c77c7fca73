// The installer's background window ("wndclasskwbk"): while the installer runs it covers the
// screen, or the part the script asks for, with a colour gradient or a picture, a logo, a
// metafile and styled text lines, and carries the progress gauge dialog ("DLGGAUGE"), three
// picture buttons (exit 1000, help 1001, minimise 1002) and the installer's message window.
// Its look is the screen description of the install script. Placements are thousandths of
// the window's client size; the "screen" is the primary screen's available area.
//
// The window owns everything it shows: the buttons are its children, the gauge dialog and the
// message window are dialogs it owns. The install controller reacts to the buttons through
// onExit, onHelp and onMinimise, and makes the window the owner of its dialogs (Widget()).
#pragma once

#include "installer/engine/DibPicture.h"
#include "installer/engine/Metafile.h"
#include "installer/engine/ScriptProject.h"
#include "installer/support/DialogBox.h"
#include "installer/support/InstallerGauge.h"
#include "installer/support/ProgressDialog.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kw {

class PictureButton;

// The modeless gauge dialog of the screen: two gauges (101, 102) that show 70 + a and 70 + b.
class ScreenGaugeDialog : public Dialog {
public:
    ScreenGaugeDialog() = default;
    ~ScreenGaugeDialog() override { DestroyWindow(); }
    void SetColours(uint32_t first, uint32_t second);
    void SetValues(int a, int b);
    const Gauge& First() const { return first_; }
    const Gauge& Second() const { return second_; }
    intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override;

private:
    Gauge first_, second_;
};

class InstallScreen : public QWidget {
public:
    enum { kCmdExit = 1000, kCmdScreenHelp = 1001, kCmdMinimise = 1002 };
    enum { kButtonWidth = 63, kButtonHeight = 39 };
    enum : uint32_t { kStyleCaption = 0x00C00000 }; // a style with a title bar gets a frame

    // Makes and shows the window for the description with the title; null (and the reason in
    // *error) when the background picture of window mode 2 cannot be read or the gauge dialog
    // cannot be made.
    static std::unique_ptr<InstallScreen> Create(const ScreenDescription& description, const std::string& title,
                                                 std::string* error);
    ~InstallScreen() override;

    QWidget* Widget() { return this; }
    const ScreenDescription& Description() const { return d_; }

    // The buttons' commands: exit (the controller asks its abort question), help and minimise
    // (minimises the window when no handler is set).
    std::function<void()> onExit;
    std::function<void()> onHelp;
    std::function<void()> onMinimise;
    void Command(int id);
    QWidget* Button(int id) const;

    // The message window: a title and a text in a small box centred on a point of the window
    // (thousandths of its client size). Hiding waits, keeping the windows alive, until it has
    // been shown for the minimum time.
    void ShowMessage(const std::string& title, const std::string& text, int xPerMille = 500, int yPerMille = 500,
                     uint32_t minimumMs = 0);
    void HideMessage();
    bool MessageShown() const { return message_.Window() != nullptr; }
    QWidget* MessageWindow() const { return message_.Window(); }

    // The gauge dialog shows the install's progress: the whole install's share done (control
    // 101) and the current file's (102), in per cent; both 0 until something is copied.
    void SetProgress(int overallPercent, int filePercent);
    int GaugeValue(int which) const; // 0: control 101, 1: control 102
    QWidget* GaugeWindow() const { return gauge_.Window(); }

    // Everything the window paints, into a drawing context of its client size.
    void Paint(DrawContext& dc, const Rect& invalid);

    // Placement rules, for the window and for tests.
    static QRect ScreenArea();
    // The window for a window mode (0 whole screen, 1 maximised, 2 the picture's size, 3 the
    // thousandths of the screen), limited to the screen and centred on it except in mode 1.
    static QRect WindowGeometry(int mode, int widthPerMille, int heightPerMille, const QSize& picture,
                                const QRect& screen);
    // An element's rectangle in a client area of the size.
    static QRect ElementRect(const ScreenElement& element, const QSize& client);
    // A button: its element's rectangle, then at most 63 x 39 and centred in it.
    static QRect ButtonRect(const ScreenElement& element, const QSize& client);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    explicit InstallScreen(const ScreenDescription& description);
    void PlaceChildren();
    void DrawTextLine(DrawContext& dc, const ScreenTextLine& line);

    ScreenDescription d_;
    DibPicture background_;
    DibPicture logo_;
    Metafile metafile_;
    PictureButton* buttons_[3] = {};
    ScreenGaugeDialog gauge_;
    ModelessMessage message_;
    int a_ = 0, b_ = 0;
};

// Where a picture named by the script comes from: a name with a path separator, a drive or an
// extension is a file (beside the installer when it is not absolute), any other name a picture
// of the language package.
PictureSource PictureSourceFor(const char* name);

} // namespace kw
