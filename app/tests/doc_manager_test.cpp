// The planner's document manager: one open document per template (the open one is closed
// first, through its save prompt), the save prompt that asks again until the user saves,
// discards or cancels, and File Close.
#include "app/SLdocManager.h"
#include "app/tests/test_templates.h"
#include "framework/gui/FileDialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

using namespace apptest;
using fw::ScriptedFileDialogs;

namespace {

const char* const kPrompt = "The document has been changed.\n\nDo you want to save the changes?";

class DocManager : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (fw::DocTemplate* t : StellumTemplates()) manager.AttachTemplate(*t);
    }
    std::string File(const std::string& name, const std::string& text = "x")
    {
        testsupport::WriteFileBytes(dir.file(name), text + "\n");
        return dir.file(name);
    }
    fw::Document* Open(const std::string& name)
    {
        std::string path = File(name, name);
        return manager.CreateDoc(manager.MatchTemplate(path), path);
    }
    std::vector<std::string> OpenPaths() const
    {
        std::vector<std::string> paths;
        for (fw::Document* d : manager.GetDocuments()) paths.push_back(d->GetTitle());
        return paths;
    }

    testsupport::TempDir dir;
    TestTemplates templates;
    SLdocManager manager;
};

TEST_F(DocManager, OpeningASecondDocumentOfAKindClosesTheFirstThroughItsPrompt)
{
    fw::ScriptedMessageBoxes boxes;
    fw::Document* log = Open("a.log");
    Open("plan.sl4");
    ASSERT_NE(log, nullptr);
    log->SetDirty();

    boxes.Answer(fw::IDCANCEL);
    EXPECT_EQ(Open("b.log"), nullptr);
    EXPECT_EQ(boxes.Last().text, kPrompt);
    EXPECT_EQ(OpenPaths(), (std::vector<std::string>{"a.log", "plan.sl4"})) << "Cancel keeps the old log";

    boxes.Answer(fw::IDNO);
    ASSERT_NE(Open("b.log"), nullptr);
    EXPECT_EQ(Events().reverted, 1);
    EXPECT_EQ(OpenPaths(), (std::vector<std::string>{"plan.sl4", "b.log"}));

    // A clean document goes without a prompt.
    int asked = boxes.Count();
    ASSERT_NE(Open("c.log"), nullptr);
    EXPECT_EQ(boxes.Count(), asked);
    EXPECT_EQ(OpenPaths(), (std::vector<std::string>{"plan.sl4", "c.log"}));
}

TEST_F(DocManager, PromptAsksAgainUntilSavedDiscardedOrCancelled)
{
    fw::ScriptedMessageBoxes boxes({fw::IDYES, fw::IDYES, fw::IDOK, fw::IDCANCEL});
    fw::Document* doc = manager.CreateDoc(templates.Log(), {}, fw::dtNewDoc);
    ASSERT_NE(doc, nullptr);
    doc->SetDirty();
    {
        // Save As cancelled: the prompt again; then a place; the save fails: the prompt again.
        fw::ScriptedFileDialogs dialogs({"", dir.file("new")});
        Events().failCommit = true;
        EXPECT_FALSE(doc->CanClose());
        EXPECT_EQ(dialogs.Count(), 2);
    }
    std::vector<std::string> texts;
    for (const auto& call : boxes.Calls()) texts.push_back(call.text);
    EXPECT_EQ(texts, (std::vector<std::string>{kPrompt, kPrompt, "Unable to save document.", kPrompt}));
    EXPECT_EQ(doc->GetDocPath(), "") << "a place the document was not saved to is not kept";

    Events().failCommit = false;
    boxes.Answer(fw::IDYES);
    fw::ScriptedFileDialogs dialogs({dir.file("new")});
    EXPECT_TRUE(doc->CanClose());
    EXPECT_EQ(doc->GetDocPath(), dir.file("new.log"));
    EXPECT_EQ(Events().committed, 1);
}

TEST_F(DocManager, FileCloseClosesTheCurrentDocumentAfterItsPrompt)
{
    fw::ScriptedMessageBoxes boxes;
    fw::Document* log = Open("a.log");
    manager.SetActiveView(log->FirstView());
    log->SetDirty();
    boxes.Answer(fw::IDCANCEL);
    manager.EvCommand(fw::CM_FILECLOSE);
    EXPECT_EQ(manager.GetDocuments().size(), 1u);
    boxes.Answer(fw::IDYES);
    manager.EvCommand(fw::CM_FILECLOSE);
    EXPECT_TRUE(manager.GetDocuments().empty());
    EXPECT_EQ(Events().committed, 1);
    EXPECT_EQ(Events().closed, 1);
}

} // namespace
