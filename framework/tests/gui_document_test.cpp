// Documents, views, templates and the document manager: creating a document from a template
// and a path, notifications to views, the last view taking an auto-deleting document with
// it, the save prompt, and the File commands through the file-dialog and message-box seams.
#include "framework/gui/DocManager.h"
#include "framework/gui/DocTemplate.h"
#include "framework/gui/Document.h"
#include "framework/gui/FileDialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/View.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

using namespace fw;

namespace {

// Counts of what happened to test documents, kept outside them because they get deleted.
struct DocLog {
    int opened = 0, closed = 0, committed = 0, reverted = 0, destroyed = 0;
};
DocLog gLog;
bool gRefuseInit = false;

// A document held in one text file; "bad" in the file makes Open fail.
class TextDoc : public fw::FileDocument {
public:
    std::string text;
    bool failCommit = false;
    bool failClose = false;
    ~TextDoc() override { ++gLog.destroyed; }
    bool InitDoc() override { return !gRefuseInit; }
    bool Open(int, const std::string&) override
    {
        std::ifstream in(GetDocPath());
        if (!in) return false;
        std::getline(in, text);
        if (text == "bad") return false;
        ++gLog.opened;
        return true;
    }
    bool Commit(bool force) override
    {
        if (failCommit) return false;
        std::ofstream(GetDocPath()) << text;
        ++gLog.committed;
        return fw::FileDocument::Commit(force);
    }
    bool Revert(bool clear) override
    {
        ++gLog.reverted;
        return fw::FileDocument::Revert(clear);
    }
    bool Close() override
    {
        ++gLog.closed;
        return !failClose && fw::FileDocument::Close();
    }
    int FindProperty(const std::string& name) override
    {
        return name == "Document Name" ? 11 : fw::FileDocument::FindProperty(name);
    }
    int PropertyFlags(int index) override
    {
        return index == 11 ? fw::pfGetText | fw::pfConstant : fw::FileDocument::PropertyFlags(index);
    }
    int GetProperty(int index, char* buffer, int size) override
    {
        if (index == 11) return CopyPropertyText("Text Document", buffer, size);
        return fw::FileDocument::GetProperty(index, buffer, size);
    }
};

class OtherDoc : public TextDoc {};

// A view without a window that records the notifications it gets.
class RecordingView : public fw::View {
public:
    explicit RecordingView(fw::Document& doc) : fw::View(doc) {}
    std::string GetViewName() const override { return "RECORDING"; }
    std::vector<std::pair<int, std::intptr_t>> seen;

protected:
    bool EvViewNotify(int event, std::intptr_t arg) override
    {
        seen.emplace_back(event, arg);
        return event >= 100;
    }
};

struct Listener : fw::DocManager::Listener {
    std::vector<fw::View*> views;
    std::vector<std::string> created, renamed;
    void EvNewView(fw::View& v) override { views.push_back(&v); }
    void EvDocCreated(fw::Document& d) override { created.push_back(d.GetDocPath()); }
    void EvDocRenamed(fw::Document& d) override { renamed.push_back(d.GetDocPath()); }
};

constexpr std::uint32_t kFlags = fw::dtAutoDelete | fw::dtSingleView | fw::dtAutoOpen | fw::dtUpdateDir |
                                 fw::dtOverwritePrompt | fw::dtPathMustExist | fw::dtCreatePrompt;

class Documents : public ::testing::Test {
protected:
    void SetUp() override
    {
        gLog = {};
        gRefuseInit = false;
        manager.SetListener(&listener);
        manager.AttachTemplate(*text);
        manager.AttachTemplate(*other);
    }
    std::string File(const std::string& name, const std::string& content)
    {
        std::ofstream(dir.file(name)) << content;
        return dir.file(name);
    }
    TextDoc* Open(const std::string& name, const std::string& content = "hello")
    {
        return static_cast<TextDoc*>(manager.CreateDoc(text.get(), File(name, content)));
    }

    testsupport::TempDir dir;
    std::unique_ptr<fw::DocTemplate> text =
        fw::DocTemplate::Make<TextDoc, RecordingView>("Text Files", "*.txt;*.text", "", "txt", kFlags);
    std::unique_ptr<fw::DocTemplate> other =
        fw::DocTemplate::Make<OtherDoc, RecordingView>("Other Files", "*.oth", "", "oth", kFlags);
    Listener listener;
    fw::DocManager manager{fw::dmMDI};
};

TEST(DocTemplateMatch, FileNamesAgainstFilters)
{
    auto tpl = fw::DocTemplate::Make<TextDoc, RecordingView>("T", "*.sl4;a?c.*", "", "sl4", 0);
    struct Case {
        const char* path;
        bool match;
    } cases[] = {
        {"/x/plan.sl4", true},   {"PLAN.SL4", true},     {"plan.sl4.bak", false},
        {"/d.sl4/plan.log", false}, {"abc.txt", true},   {"abbc.txt", false},
        {"/x/", false},          {"sl4", false},
    };
    for (const auto& c : cases) EXPECT_EQ(tpl->MatchesPath(c.path), c.match) << c.path;
}

TEST_F(Documents, PropertiesByNumberAndName)
{
    TextDoc* doc = Open("a.txt");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->PropertyCount(), 10);
    EXPECT_EQ(doc->PropertyText("Document Name"), "Text Document");
    EXPECT_EQ(doc->PropertyText("TemplateName"), "Text Files");
    EXPECT_EQ(doc->PropertyText("DocTitle"), "a.txt");
    EXPECT_EQ(doc->PropertyText("StoragePath"), dir.file("a.txt"));
    EXPECT_EQ(doc->PropertyText("StorageSize"), "5");
    EXPECT_EQ(doc->PropertyText("no such"), "");
    // Size 0 asks for the room the text needs; a short buffer gets a cut, terminated text.
    EXPECT_EQ(doc->GetProperty(11, nullptr, 0), 14);
    char small[5];
    EXPECT_EQ(doc->GetProperty(11, small, sizeof small), 4);
    EXPECT_STREQ(small, "Text");
    EXPECT_EQ(manager.FindDocument("Document Name", "Text Document"), doc);
    EXPECT_EQ(manager.FindDocument("Document Name", "Obslog Document"), nullptr);
}

TEST_F(Documents, CreateDocOpensTheFileAndMakesItsView)
{
    TextDoc* doc = Open("a.txt");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->text, "hello");
    EXPECT_TRUE(doc->IsOpen());
    EXPECT_EQ(doc->GetTitle(), "a.txt");
    ASSERT_EQ(listener.views.size(), 1u);
    EXPECT_EQ(&listener.views[0]->GetDocument(), doc);
    EXPECT_EQ(listener.created, std::vector<std::string>{dir.file("a.txt")});
    EXPECT_EQ(manager.MatchTemplate(dir.file("b.TEXT")), text.get());
    EXPECT_EQ(manager.MatchTemplate(dir.file("b.oth")), other.get());
    EXPECT_EQ(manager.MatchTemplate(dir.file("b.log")), nullptr);
    // One view per document: a second one is refused.
    EXPECT_EQ(manager.CreateView(*doc), nullptr);
}

TEST_F(Documents, FailedOpenOrInitIsDroppedAndOnlyTheOpenIsReported)
{
    fw::ScriptedMessageBoxes boxes;
    EXPECT_EQ(Open("bad.txt", "bad"), nullptr);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "Unable to open document.");
    EXPECT_EQ(boxes.Last().title, "bad.txt");
    EXPECT_EQ(gLog.closed, 1) << "what InitDoc took is released through Close";
    EXPECT_EQ(gLog.destroyed, 1);
    EXPECT_TRUE(manager.GetDocuments().empty());
    EXPECT_TRUE(listener.views.empty());

    gRefuseInit = true;
    EXPECT_EQ(Open("a.txt"), nullptr);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(manager.GetDocuments().empty());
}

TEST_F(Documents, NotificationsReachViewsWithTheirArgument)
{
    TextDoc* doc = Open("a.txt");
    auto* first = static_cast<RecordingView*>(doc->FirstView());
    text->ClearFlag(fw::dtSingleView);
    auto* second = static_cast<RecordingView*>(manager.CreateView(*doc));
    ASSERT_NE(second, nullptr);
    int handled = 0;
    second->OnNotify(6900, [&](std::intptr_t arg) { handled = static_cast<int>(arg); return true; });

    EXPECT_TRUE(doc->NotifyViews(6900, 6902));
    EXPECT_EQ(first->seen.back(), std::make_pair(6900, std::intptr_t{6902}));
    EXPECT_EQ(handled, 6902);
    EXPECT_TRUE(second->seen.empty()) << "a handler takes the notification before the virtual";

    doc->NotifyViews(779, 1, first);
    EXPECT_NE(first->seen.back().first, 779) << "the excluded view is passed over";
    // A view that does not handle a notification makes NotifyViews false.
    EXPECT_FALSE(doc->NotifyViews(fw::vnCommit));
}

TEST_F(Documents, LastViewGoingTakesAnAutoDeletingDocumentWithIt)
{
    TextDoc* doc = Open("a.txt");
    delete doc->FirstView();
    EXPECT_EQ(gLog.closed, 1);
    EXPECT_EQ(gLog.destroyed, 1);
    EXPECT_TRUE(manager.GetDocuments().empty());

    text->ClearFlag(fw::dtAutoDelete);
    doc = Open("b.txt");
    delete doc->FirstView();
    EXPECT_EQ(manager.GetDocuments().size(), 1u);
    EXPECT_EQ(gLog.destroyed, 1);
}

TEST_F(Documents, SavePromptAnswers)
{
    fw::ScriptedMessageBoxes boxes;
    fw::ScriptedFileDialogs dialogs;
    TextDoc* doc = Open("a.txt");

    // Clean: no prompt.
    EXPECT_TRUE(doc->CanClose());
    EXPECT_EQ(boxes.Count(), 0);

    doc->SetDirty();
    boxes.Answer(fw::IDCANCEL);
    EXPECT_FALSE(doc->CanClose());
    EXPECT_EQ(boxes.Last().text, "The document has been changed.\n\nDo you want to save the changes?");
    EXPECT_EQ(boxes.Last().style & 0x0F, fw::MB_YESNOCANCEL);
    EXPECT_EQ(gLog.committed + gLog.reverted, 0);

    boxes.Answer(fw::IDNO);
    EXPECT_TRUE(doc->CanClose());
    EXPECT_EQ(gLog.reverted, 1);

    doc->SetDirty();
    doc->text = "changed";
    boxes.Answer(fw::IDYES);
    EXPECT_TRUE(doc->CanClose());
    EXPECT_EQ(testsupport::ReadFileBytes(dir.file("a.txt")), "changed");
    EXPECT_EQ(dialogs.Count(), 0) << "a document with a path is saved without asking where";
}

TEST_F(Documents, NewDocumentSavedFromThePromptAsksWhere)
{
    fw::ScriptedMessageBoxes boxes({fw::IDYES, fw::IDYES});
    fw::ChoiceRequest asked;
    fw::Responder<fw::ChoiceSeam> choose([&](const fw::ChoiceRequest& r) { asked = r; return 1; });
    manager.CmFileNew();
    ASSERT_EQ(manager.GetDocuments().size(), 1u);
    auto* doc = dynamic_cast<OtherDoc*>(manager.GetDocuments().front());
    ASSERT_NE(doc, nullptr) << "the second kind was chosen";
    EXPECT_EQ(asked.items, (std::vector<std::string>{"Text Files", "Other Files"}));
    EXPECT_EQ(gLog.opened, 0) << "a new document is not read";

    doc->SetDirty();
    {
        fw::ScriptedFileDialogs dialogs({""});
        EXPECT_FALSE(doc->CanClose()) << "cancelled Save As stops the close";
        ASSERT_EQ(dialogs.Count(), 1);
        EXPECT_EQ(dialogs.Requests()[0].kind, fw::FileDialogRequest::Save);
        ASSERT_EQ(dialogs.Requests()[0].filters.size(), 1u) << "only templates of its kind";
        EXPECT_EQ(dialogs.Requests()[0].filters[0].patterns, "*.oth");
    }
    fw::ScriptedFileDialogs dialogs({dir.file("new")});
    EXPECT_TRUE(doc->CanClose());
    EXPECT_EQ(doc->GetDocPath(), dir.file("new.oth")) << "the default extension is added";
    EXPECT_EQ(gLog.committed, 1);
}

TEST_F(Documents, FailedSaveAtTheClosePromptSaysSoAndKeepsTheDocument)
{
    fw::ScriptedMessageBoxes boxes;
    TextDoc* named = Open("a.txt");
    named->SetDirty();
    named->failCommit = true;
    boxes.Answer(fw::IDYES);
    EXPECT_FALSE(named->CanClose());
    EXPECT_EQ(boxes.Last().text, "Unable to save document.");
    EXPECT_EQ(named->GetDocPath(), dir.file("a.txt"));

    // A new document saved from the prompt to a place that cannot be written has no path
    // afterwards, as before the prompt.
    fw::Responder<fw::ChoiceSeam> textKind([](const fw::ChoiceRequest&) { return 0; });
    manager.CreateAnyDoc({}, fw::dtNewDoc);
    auto* fresh = dynamic_cast<TextDoc*>(manager.GetDocuments().back());
    ASSERT_NE(fresh, nullptr);
    fresh->SetDirty();
    fresh->failCommit = true;
    fw::ScriptedFileDialogs dialogs({dir.file("b.txt")});
    boxes.Answer(fw::IDYES);
    EXPECT_FALSE(fresh->CanClose());
    EXPECT_EQ(boxes.Last().text, "Unable to save document.");
    EXPECT_EQ(fresh->GetDocPath(), "");
}

TEST_F(Documents, FileCommandsOnTheCurrentDocument)
{
    fw::ScriptedMessageBoxes boxes;
    fw::CommandEnabler save{fw::CM_FILESAVE};
    manager.CommandEnable(save);
    EXPECT_FALSE(save.enabled) << "no current document";
    EXPECT_FALSE(manager.EvCommand(42));

    {
        fw::ScriptedFileDialogs dialogs({dir.file("none.oth"), ""});
        File("none.oth", "x");
        EXPECT_TRUE(manager.EvCommand(fw::CM_FILEOPEN));
        ASSERT_EQ(manager.GetDocuments().size(), 1u);
        EXPECT_NE(dynamic_cast<OtherDoc*>(manager.GetDocuments().front()), nullptr)
            << "the template comes from the chosen file's name";
        EXPECT_EQ(dialogs.Requests()[0].filters.size(), 2u);
        manager.EvCommand(fw::CM_FILEOPEN); // cancelled
        EXPECT_EQ(manager.GetDocuments().size(), 1u);
    }

    TextDoc* doc = Open("a.txt");
    manager.SetActiveView(doc->FirstView());
    EXPECT_EQ(manager.GetCurrentDoc(), doc);

    // Save As to a place that cannot be written keeps the old path.
    doc->failCommit = true;
    {
        fw::ScriptedFileDialogs dialogs({dir.file("b.txt")});
        manager.EvCommand(fw::CM_FILESAVEAS);
    }
    EXPECT_EQ(boxes.Last().text, "Unable to save document.");
    EXPECT_EQ(doc->GetDocPath(), dir.file("a.txt"));
    EXPECT_TRUE(listener.renamed.empty());

    doc->failCommit = false;
    {
        fw::ScriptedFileDialogs dialogs({dir.file("b.txt")});
        manager.EvCommand(fw::CM_FILESAVEAS);
    }
    EXPECT_EQ(doc->GetDocPath(), dir.file("b.txt"));
    EXPECT_EQ(doc->GetTitle(), "b.txt");
    EXPECT_EQ(listener.renamed, std::vector<std::string>{dir.file("b.txt")});

    // Close: a refused close keeps the document; a failed one reports.
    doc->SetDirty();
    boxes.Answer(fw::IDCANCEL);
    manager.EvCommand(fw::CM_FILECLOSE);
    EXPECT_EQ(manager.GetDocuments().size(), 2u);
    doc->SetDirty(false);
    doc->failClose = true;
    manager.EvCommand(fw::CM_FILECLOSE);
    EXPECT_EQ(boxes.Last().text, "Unable to close document.");
    EXPECT_EQ(manager.GetDocuments().size(), 2u);
    doc->failClose = false;
    manager.EvCommand(fw::CM_FILECLOSE);
    EXPECT_EQ(manager.GetDocuments().size(), 1u);
    EXPECT_EQ(manager.GetCurrentDoc(), nullptr) << "the active view went with its document";
}

} // namespace
