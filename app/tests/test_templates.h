// Small stand-ins for the planner's two documents and their views, for the application's
// tests: a planner document ("STLM4 Document", view "STLM4view Window View") and a log
// document ("Obslog Document", view "LOGVIEW"), each held in a one-line text file, with the
// templates "Planning Files" (*.sl4) and "Log Files" (*.log).
#pragma once

#include "app/StellumTemplates.h"
#include "framework/gui/DocTemplate.h"
#include "framework/gui/Document.h"
#include "framework/gui/View.h"

#include <QLabel>
#include <QVBoxLayout>

#include <fstream>
#include <string>

namespace apptest {

// What happened to the stand-in documents (they are deleted by the manager).
struct DocEvents {
    int opened = 0, committed = 0, reverted = 0, closed = 0;
    bool failCommit = false;
};
inline DocEvents& Events()
{
    static DocEvents events;
    return events;
}

template <const char* DocName>
class TextDocument : public fw::FileDocument {
public:
    std::string text;
    bool Open(int, const std::string&) override
    {
        std::ifstream in(GetDocPath());
        if (!in) return false;
        std::getline(in, text);
        ++Events().opened;
        return true;
    }
    bool Commit(bool force) override
    {
        if (Events().failCommit) return false;
        std::ofstream(GetDocPath()) << text;
        ++Events().committed;
        return fw::FileDocument::Commit(force);
    }
    bool Revert(bool clear) override
    {
        ++Events().reverted;
        return fw::FileDocument::Revert(clear);
    }
    bool Close() override
    {
        ++Events().closed;
        return fw::FileDocument::Close();
    }
    int FindProperty(const std::string& name) override
    {
        return name == "Document Name" ? 11 : fw::FileDocument::FindProperty(name);
    }
    int PropertyFlags(int index) override
    {
        return index == 11 ? fw::pfGetText | fw::pfConstant : fw::FileDocument::PropertyFlags(index);
    }
    std::string PropertyName(int index) override
    {
        return index == 11 ? "Document Name" : fw::FileDocument::PropertyName(index);
    }
    int GetProperty(int index, char* buffer, int size) override
    {
        if (index == 11) return CopyPropertyText(DocName, buffer, size);
        return fw::FileDocument::GetProperty(index, buffer, size);
    }
};

inline constexpr char kPlannerDocName[] = "STLM4 Document";
inline constexpr char kLogDocName[] = "Obslog Document";
using PlannerDoc = TextDocument<kPlannerDocName>;
using LogDoc = TextDocument<kLogDocName>;

template <class Doc, const char* ViewName>
class TextView : public fw::WindowView {
public:
    explicit TextView(Doc& doc) : fw::WindowView(doc)
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QString::fromStdString(doc.text), this));
        setMinimumSize(200, 120);
    }
    std::string GetViewName() const override { return ViewName; }
};

inline constexpr char kPlannerViewName[] = "STLM4view Window View";
inline constexpr char kLogViewName[] = "LOGVIEW";
using PlannerView = TextView<PlannerDoc, kPlannerViewName>;
using LogView = TextView<LogDoc, kLogViewName>;

// Registers both stand-in templates for its lifetime.
class TestTemplates {
public:
    TestTemplates()
    {
        Events() = {};
        UseOnlyAddedStellumTemplates();
        AddStellumTemplate(
            fw::DocTemplate::Make<PlannerDoc, PlannerView>("Planning Files", "*.sl4", "", "sl4", kStellumTemplateFlags));
        AddStellumTemplate(
            fw::DocTemplate::Make<LogDoc, LogView>("Log Files", "*.log", "", "log", kStellumTemplateFlags));
    }
    ~TestTemplates() { RemoveAddedStellumTemplates(); }
    TestTemplates(const TestTemplates&) = delete;
    TestTemplates& operator=(const TestTemplates&) = delete;
    fw::DocTemplate* Planner() const { return StellumTemplates()[StellumTemplates().size() - 2]; }
    fw::DocTemplate* Log() const { return StellumTemplates().back(); }
};

} // namespace apptest
