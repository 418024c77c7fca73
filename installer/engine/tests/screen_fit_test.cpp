// Every dialog of the installer and the uninstaller, by its template name in the language
// package and the installer's own resources, on a real X display with a window manager (the
// RealDisplay test runs this program there): each opens within a 1024 x 768 screen with all
// its buttons inside it, and keeps its size (within a few pixels) each time it opens.
#include "installer/engine/tests/InstallerDialogFixture.h"
#include "installer/support/LanguageLibrary.h"

#include "framework/testsupport/ScreenFit.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace {

// A dialog made from its template alone, as the installer's dialog classes start.
class TemplateWindow : public kw::Dialog {
public:
    explicit TemplateWindow(std::string name) : name_(std::move(name)) { built_ = Build(name_, nullptr); }
    ~TemplateWindow() override { DestroyWindow(); }
    bool Built() const { return built_; }

private:
    std::string name_;
    bool built_ = false;
};

// The dialog's window, for the screen checks.
QWidget& WidgetOf(TemplateWindow& dialog) { return *dialog.Window(); }

using ScreenFit = InstallerDialogFixture;

TEST_F(ScreenFit, EveryInstallerDialogFitsTheScreenAndKeepsItsSize)
{
    STELLUM_REQUIRE_REAL_DISPLAY();
    std::set<std::string> names;
    for (const std::string& name : kw::LanguageLibrary::Instance().Package().DialogNames()) names.insert(name);
    for (const std::string& name : kw::OwnResources().DialogNames()) names.insert(name);
    ASSERT_GE(names.size(), 15u) << "the language package and the installer's own message boxes";
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        // A template that builds no dialog is made as null, which fails the check.
        const testsupport::ScreenEntry<TemplateWindow> entry{0, "kw " + name, [name]() -> std::unique_ptr<TemplateWindow> {
            auto d = std::make_unique<TemplateWindow>(name);
            if (!d->Built()) return nullptr;
            return d;
        }};
        testsupport::CheckFitsAndKeepsItsSize<TemplateWindow>(entry, [](TemplateWindow&) {});
    }
}

} // namespace
