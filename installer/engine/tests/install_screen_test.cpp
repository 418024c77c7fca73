// The install screen: window sizes by window mode, button places, the picture buttons and their
// commands, the gauge dialog, the message window, what the window paints, and a picture of the
// whole screen for a person to look at.
#include "installer/engine/InstallScreen.h"

#include "framework/sys/WinFileSystem.h"
#include "installer/support/tests/InstallerRootFixture.h"
#include "framework/testsupport/Snapshot.h"
#include "installer/engine/tests/PictureBytes.h"
#include "installer/support/FilePath.h"
#include "installer/support/LanguageLibrary.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

using namespace kw;

namespace {

TEST(InstallScreenPlacement, WindowSizesByModeLimitedToTheScreenAndCentred)
{
    const QRect screen(0, 0, 800, 600), offset(100, 50, 1000, 700);
    struct Case {
        const char* what;
        int mode, width, height;
        QSize picture;
        QRect screen, expected;
    } cases[] = {
        {"whole screen", 0, 800, 800, {}, screen, {0, 0, 800, 600}},
        {"maximised", 1, 10, 10, {}, offset, offset},
        {"picture size, halves rounded down", 2, 0, 0, {300, 201}, screen, {250, 199, 300, 201}},
        {"picture wider than the screen", 2, 0, 0, {1000, 50}, screen, {0, 275, 800, 50}},
        {"thousandths of the screen", 3, 800, 800, {}, screen, {80, 60, 640, 480}},
        {"thousandths of a screen that does not start at 0", 3, 333, 333, {}, offset, {433, 283, 333, 233}},
        {"more than the screen", 3, 1500, 2000, {}, screen, {0, 0, 800, 600}},
        {"whole screen elsewhere", 0, 0, 0, {}, offset, offset},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InstallScreen::WindowGeometry(c.mode, c.width, c.height, c.picture, c.screen), c.expected) << c.what;
}

TEST(InstallScreenPlacement, ButtonsAreAtMost63By39CentredInTheirRectangle)
{
    struct Case {
        const char* what;
        ScreenElement element;
        QSize client;
        QRect expected;
    } cases[] = {
        {"exit at 800 x 600", {900, 920, 90, 65, 1}, {800, 600}, {724, 552, 63, 39}},
        {"exit at 1920 x 1080", {900, 920, 90, 65, 1}, {1920, 1080}, {1783, 1009, 63, 39}},
        {"larger both ways", {100, 100, 200, 200, 1}, {1000, 1000}, {168, 180, 63, 39}},
        {"one pixel wider", {0, 0, 64, 39, 1}, {1000, 1000}, {0, 0, 63, 39}},
        {"smaller keeps its size", {0, 0, 50, 50, 1}, {800, 600}, {0, 0, 40, 30}},
        {"wide and low", {500, 500, 500, 10, 1}, {1000, 1000}, {718, 500, 63, 10}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InstallScreen::ButtonRect(c.element, c.client), c.expected) << c.what;
}

class InstallScreenWindow : public InstallerRootFixture {
protected:
    void SetUp() override
    {
        InstallerRootFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(LoadLanguagePackage());
        // The screen of Stellum's package: the default description with its title line.
        description.lines.resize(1);
        description.lines[0].text.Assign("Stellum Setup");
    }
    std::unique_ptr<InstallScreen> Make()
    {
        std::string error;
        auto s = InstallScreen::Create(description, "Stellum 4.4 Setup", &error);
        EXPECT_TRUE(s) << error;
        return s;
    }
    static void Mouse(QWidget* w, QEvent::Type type, QPoint at)
    {
        QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    ScreenDescription description;
};

TEST_F(InstallScreenWindow, CoversTheScreenWithItsButtonsAndGauge)
{
    auto s = Make();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->windowTitle().toStdString(), "Stellum 4.4 Setup");
    EXPECT_EQ(s->geometry(), InstallScreen::ScreenArea());
    EXPECT_TRUE(s->isVisible());
    EXPECT_EQ(s->Widget(), s.get());
    const QSize client = s->size();
    EXPECT_EQ(s->Button(InstallScreen::kCmdExit)->geometry(), InstallScreen::ButtonRect(description.exitButton, client));
    EXPECT_EQ(s->Button(InstallScreen::kCmdScreenHelp)->geometry(), InstallScreen::ButtonRect(description.helpButton, client));
    EXPECT_EQ(s->Button(InstallScreen::kCmdMinimise)->geometry(),
              InstallScreen::ButtonRect(description.minimiseButton, client));
    EXPECT_EQ(s->Button(999), nullptr);

    QWidget* gauge = s->GaugeWindow();
    ASSERT_TRUE(gauge);
    EXPECT_TRUE(gauge->isVisible());
    EXPECT_EQ(gauge->parentWidget(), s.get());
    EXPECT_EQ(gauge->pos(), s->mapToGlobal(QPoint(MulDiv(100, client.width(), 1000), MulDiv(750, client.height(), 1000))));
    EXPECT_EQ(s->GaugeValue(0), 0) << "nothing is copied yet";
    EXPECT_EQ(s->GaugeValue(1), 0);
    auto* dialog = static_cast<ScreenGaugeDialog*>(DialogOf(gauge));
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->First().Percent(), 0);
    EXPECT_EQ(dialog->Second().Percent(), 0);
    EXPECT_EQ(dialog->First().Colour(), 0x00FF00u);
    EXPECT_EQ(dialog->Second().Colour(), 0x0000FFu);

    // A smaller window moves its buttons with it.
    s->resize(640, 480);
    EXPECT_EQ(s->Button(InstallScreen::kCmdExit)->geometry(), InstallScreen::ButtonRect(description.exitButton, {640, 480}));
}

TEST_F(InstallScreenWindow, ButtonsSendTheirCommandWhenReleasedOverThem)
{
    auto s = Make();
    ASSERT_TRUE(s);
    int exits = 0, helps = 0;
    s->onExit = [&] { ++exits; };
    s->onHelp = [&] { ++helps; };
    QWidget* exit = s->Button(InstallScreen::kCmdExit);
    Mouse(exit, QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(exits, 0);
    Mouse(exit, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(exits, 1);

    // Pressed, then moved off and released there: nothing.
    Mouse(exit, QEvent::MouseButtonPress, {5, 5});
    Mouse(exit, QEvent::MouseMove, {200, 5});
    Mouse(exit, QEvent::MouseButtonRelease, {200, 5});
    EXPECT_EQ(exits, 1);

    QWidget* help = s->Button(InstallScreen::kCmdScreenHelp);
    Mouse(help, QEvent::MouseButtonPress, {5, 5});
    Mouse(help, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(helps, 1);

    // Closing the window asks the same as the exit button.
    s->close();
    EXPECT_EQ(exits, 2);
    EXPECT_TRUE(s->isVisible());

    // Minimise without a handler minimises the window.
    s->Command(InstallScreen::kCmdMinimise);
    EXPECT_TRUE(s->isMinimized());
}

TEST_F(InstallScreenWindow, PressedButtonsShowTheirDownPicture)
{
    auto s = Make();
    ASSERT_TRUE(s);
    QWidget* exit = s->Button(InstallScreen::kCmdExit);
    const QImage up = exit->grab().toImage();
    Mouse(exit, QEvent::MouseButtonPress, {5, 5});
    const QImage down = exit->grab().toImage();
    Mouse(exit, QEvent::MouseMove, {200, 5});
    const QImage outside = exit->grab().toImage();
    Mouse(exit, QEvent::MouseButtonRelease, {200, 5});
    EXPECT_NE(up, down);
    EXPECT_EQ(up, outside);
    // The package's picture: a black edge and the grey face.
    EXPECT_EQ(up.pixelColor(0, 0), QColor(0, 0, 0));
    EXPECT_EQ(up.pixelColor(10, 10), QColor(206, 208, 216));
}

TEST_F(InstallScreenWindow, TheGaugeShowsTheProgressItIsGiven)
{
    auto s = Make();
    ASSERT_TRUE(s);
    auto* dialog = static_cast<ScreenGaugeDialog*>(DialogOf(s->GaugeWindow()));
    ASSERT_TRUE(dialog);
    struct Case { int overall, file, shownOverall, shownFile; } cases[] = {
        {40, 75, 40, 75}, {100, 100, 100, 100}, {130, -5, 100, 0},
    };
    for (const Case& c : cases) {
        s->SetProgress(c.overall, c.file);
        EXPECT_EQ(s->GaugeValue(0), c.shownOverall);
        EXPECT_EQ(s->GaugeValue(1), c.shownFile);
        EXPECT_EQ(dialog->First().Percent(), c.shownOverall);
        EXPECT_EQ(dialog->Second().Percent(), c.shownFile);
    }
}

TEST_F(InstallScreenWindow, MessageWindowShowsOverTheScreenAndHides)
{
    auto s = Make();
    ASSERT_TRUE(s);
    s->ShowMessage("Stellum Setup", "Copying the files of Stellum...");
    ASSERT_TRUE(s->MessageShown());
    QWidget* m = s->MessageWindow();
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(m->windowTitle().toStdString(), "Stellum Setup");
    EXPECT_EQ(DialogOf(m)->ItemText(101), "Copying the files of Stellum...");
    EXPECT_LE((m->frameGeometry().center() - s->geometry().center()).manhattanLength(), 2);
    // No icon and no button: the text starts where the icon would, the box ends below it.
    QWidget* text = DialogOf(m)->Item(101);
    EXPECT_EQ(text->x(), DialogOf(m)->Item(102)->x());
    EXPECT_EQ(m->height(), text->geometry().bottom() + 1 + text->y());
    // A second message replaces the first.
    s->ShowMessage("Stellum Setup", "Again");
    EXPECT_EQ(DialogOf(s->MessageWindow())->ItemText(101), "Again");
    s->HideMessage();
    EXPECT_FALSE(s->MessageShown());
    s->HideMessage();
}

TEST_F(InstallScreenWindow, PaintsTheGradientTextLogoAndMetafile)
{
    // A logo of 4 x 4 pixels: red with a white corner pixel that is its transparent colour.
    picturebytes::Bmp logo;
    logo.width = logo.height = 4;
    logo.bits = 24;
    logo.pixel = [](int x, int y) -> uint32_t { return x == 0 && y == 0 ? 0xFFFFFF : 0xFF0000; };
    ASSERT_TRUE(Write("SETUP/logo.bmp", logo.Bytes()));
    description.logo = {500, 500, 0, 0, 1};
    description.logoPicture.Assign("logo.bmp");
    description.keyX = description.keyY = 0;
    description.colours[0] = description.colours[1] = description.colours[2] = description.colours[3] = 0x00FFFF;
    description.lines[0].shadow = 1;
    auto s = Make();
    ASSERT_TRUE(s);
    const QImage image = s->grab().toImage();
    const QSize client = s->size();
    EXPECT_EQ(image.pixelColor(5, client.height() - 5), QColor(255, 255, 0)); // the gradient's one colour
    const int lx = MulDiv(500, client.width(), 1000) - 2, ly = MulDiv(500, client.height(), 1000) - 2;
    EXPECT_EQ(image.pixelColor(lx + 1, ly + 1), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(lx, ly), QColor(255, 255, 0)); // the key pixel lets the background through
    // The text line: its colour, its black shadow and its white one inside its rectangle.
    const QRect text = InstallScreen::ElementRect(description.lines[0].place, client);
    bool green = false, black = false, white = false;
    for (int y = text.top(); y <= text.bottom() + 8; ++y)
        for (int x = text.left(); x <= text.right() + 8; ++x) {
            const QColor c = image.pixelColor(x, y);
            green = green || c == QColor(0, 255, 0);
            black = black || c == QColor(0, 0, 0);
            white = white || c == QColor(255, 255, 255);
        }
    EXPECT_TRUE(green);
    EXPECT_TRUE(black);
    EXPECT_TRUE(white);
    EXPECT_EQ(image.pixelColor(text.right() + 20, text.top()), QColor(255, 255, 0)); // it fits its width
}

TEST_F(InstallScreenWindow, BackgroundPicturesAndTheirFailures)
{
    picturebytes::Bmp back;
    back.width = 320;
    back.height = 200;
    back.bits = 24;
    back.pixel = [](int x, int) -> uint32_t { return x < 160 ? 0x0000FF : 0x00FF00; };
    ASSERT_TRUE(Write("SETUP/back.bmp", back.Bytes()));

    description.windowMode = 2;
    description.backgroundMode = 2;
    description.background.Assign("C:\\SETUP\\back.bmp");
    auto s = Make();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->size(), QSize(320, 200));
    EXPECT_EQ(s->geometry().center(), InstallScreen::ScreenArea().center());
    const QImage image = s->grab().toImage();
    EXPECT_EQ(image.pixelColor(10, 190), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(250, 100), QColor(0, 255, 0));
    s.reset();

    description.background.Assign("C:\\SETUP\\missing.bmp");
    std::string error;
    EXPECT_FALSE(InstallScreen::Create(description, "x", &error));
    EXPECT_NE(error.find("missing.bmp"), std::string::npos);

    // In the other modes a missing picture leaves the gradient.
    description.windowMode = 3;
    description.backgroundMode = 1;
    s = Make();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->grab().toImage().pixelColor(2, 2),
              ToQColor(GradientColour(description.colours, 8, 8, s->width(), s->height())));
}

TEST_F(InstallScreenWindow, PicturesAreNamedByFileOrByPackageName)
{
    struct Case { const char* name; int kind; const char* detail; } cases[] = {
        {"BMEXITUP", PictureSource::kResource, "BMEXITUP"},
        {"logo.bmp", PictureSource::kFile, "C:\\SETUP\\logo.bmp"},
        {"pictures\\logo", PictureSource::kFile, "C:\\SETUP\\pictures\\logo"},
        {"D:\\art\\logo.bmp", PictureSource::kFile, "D:\\art\\logo.bmp"},
    };
    for (const Case& c : cases) {
        PictureSource s = PictureSourceFor(c.name);
        EXPECT_EQ(s.kind, c.kind) << c.name;
        EXPECT_EQ(c.kind == PictureSource::kFile ? std::string(s.file.Text()) : s.resourceName, c.detail) << c.name;
    }
}

TEST_F(InstallScreenWindow, SnapshotOfTheScreenWithItsGaugeAndAMessage)
{
    if (testsupport::SnapshotPath("install_screen.png").empty()) GTEST_SKIP() << "no snapshot directory";
    // The screen of the package the build made, when there is one.
    ScriptProject project;
    const std::string script = testsupport::ReadFileBytes(std::string(std::getenv("STELLUM_PROGRAM_DIR")) +
                                                          "/../package/install.inf");
    if (!script.empty() && ReadScript(script, project) == ScriptReadResult::kOk) description = project.screen;
    auto s = Make();
    ASSERT_TRUE(s);
    s->ShowMessage("Stellum Setup", "Preparing to install Stellum...");
    QImage all = s->grab().toImage();
    {
        QPainter p(&all);
        for (QWidget* w : {s->GaugeWindow(), s->MessageWindow()}) {
            // The dialogs are windows of their own: drawn where they stand over the screen,
            // with a thin frame and, for one with a title, a title bar standing for the window
            // manager's.
            const QPoint at = w->pos() - s->pos();
            p.drawImage(at, w->grab().toImage());
            QRect frame = QRect(at, w->size()).adjusted(-1, -1, 0, 0);
            if (!w->windowTitle().isEmpty()) {
                const QRect bar(frame.left(), frame.top() - 22, frame.width() + 1, 22);
                p.fillRect(bar, QColor(60, 60, 70));
                p.setPen(Qt::white);
                p.drawText(bar.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, w->windowTitle());
                frame.setTop(bar.top());
            }
            p.setPen(Qt::black);
            p.drawRect(frame);
        }
    }
    testsupport::SaveSnapshot(all, "install_screen.png");
    s->HideMessage();
}

} // namespace
