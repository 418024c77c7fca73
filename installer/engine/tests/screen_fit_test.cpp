// Every dialog of the installer and the uninstaller, by its template name in the language
// package and the installer's own resources, on a real X display with a window manager (the
// RealDisplay test runs this program there): each opens within a 1024 x 768 screen with all
// its buttons inside it, and has the same size each time it opens.
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
        const auto open = [&](std::unique_ptr<TemplateWindow>& d) {
            d = std::make_unique<TemplateWindow>(name);
            ASSERT_TRUE(d->Built());
            d->Window()->show();
            testsupport::CheckFits(*d->Window());
        };
        std::unique_ptr<TemplateWindow> first, second;
        ASSERT_NO_FATAL_FAILURE(open(first));
        const QSize size = first->Window()->size();
        testsupport::SaveScreenSnapshot("screen-kw-" + name + ".png");
        first->Window()->hide();
        first->Window()->show();
        testsupport::CheckFits(*first->Window());
        EXPECT_EQ(first->Window()->size(), size) << "shown again";
        first.reset();
        ASSERT_NO_FATAL_FAILURE(open(second));
        EXPECT_EQ(second->Window()->size(), size) << "made again";
    }
}

} // namespace
