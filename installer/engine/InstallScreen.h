// The installer's background screen.
#pragma once

#include "installer/engine/ScriptProject.h"

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace kw {

class InstallScreen {
public:
    static std::unique_ptr<InstallScreen> Create(const ScreenDescription& description,
                                                 const std::string& title, std::string* error);
    ~InstallScreen();
    QWidget* Widget() const;
    void ShowMessage(const std::string& title, const std::string& text);
    void HideMessage();
    void SetGaugeAnimating(bool on);
    void SetExitHandler(std::function<void()> handler);
    void SetHelpHandler(std::function<void()> handler);

private:
    InstallScreen() = default;
    std::unique_ptr<QWidget> widget_;
};

} // namespace kw
