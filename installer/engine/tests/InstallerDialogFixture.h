// The set-up of tests that run the installer's dialogs and the events that show them: a fresh
// machine with the installer, the engine's strings and the English language package loaded, a
// fake install controller, the operations' reports collected, and the installer's message
// boxes recorded and answered from a list (then with the first button).
#pragma once

#include "installer/engine/EngineStrings.h"
#include "installer/engine/InstallOperations.h"
#include "installer/engine/tests/FakeInstallerHost.h"
#include "installer/support/DialogBox.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/tests/InstallerRootFixture.h"

#include "framework/gui/Responder.h"

#include <deque>
#include <string>
#include <vector>

class InstallerDialogFixture : public InstallerRootFixture {
protected:
    void SetUp() override
    {
        InstallerRootFixture::SetUp();
        kw::RegisterEngineStrings();
        ASSERT_NO_FATAL_FAILURE(LoadLanguagePackage());
        kw::InstallOperations::SetReportHook([this](const std::string& text) { reports.push_back(text); });
    }

    // Types into an edit field as the user does: it takes the focus, then the text.
    static void Type(kw::Dialog& d, int id, const std::string& text)
    {
        d.DialogProc(kw::kMsgCommand, static_cast<uintptr_t>(id) | (0x100u << 16), reinterpret_cast<intptr_t>(d.Item(id)));
        d.SetItemText(id, text);
    }

    std::vector<std::string> reports; // the operations' reports
    std::vector<kw::MessageBoxRequest> boxes;
    std::deque<int> boxAnswers; // the button index each box answers (then 0)
    kw::FakeInstallerHost host;

private:
    fw::Responder<kw::MessageBoxSeam> answerBoxes_{[this](const kw::MessageBoxRequest& r) {
        boxes.push_back(r);
        if (boxAnswers.empty()) return 0;
        const int a = boxAnswers.front();
        boxAnswers.pop_front();
        return a;
    }};
};
