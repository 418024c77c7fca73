#include "installer/engine/InstallScreen.h"

#include <QWidget>

namespace kw {

std::unique_ptr<InstallScreen> InstallScreen::Create(const ScreenDescription&, const std::string& title,
                                                     std::string*)
{
    std::unique_ptr<InstallScreen> screen(new InstallScreen);
    screen->widget_ = std::make_unique<QWidget>();
    screen->widget_->setWindowTitle(QString::fromStdString(title));
    return screen;
}

InstallScreen::~InstallScreen() = default;
QWidget* InstallScreen::Widget() const { return widget_.get(); }
void InstallScreen::ShowMessage(const std::string&, const std::string&) {}
void InstallScreen::HideMessage() {}
void InstallScreen::SetGaugeAnimating(bool) {}
void InstallScreen::SetExitHandler(std::function<void()>) {}
void InstallScreen::SetHelpHandler(std::function<void()>) {}

} // namespace kw
