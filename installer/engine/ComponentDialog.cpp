#include "installer/engine/ComponentDialog.h"

#include "framework/sys/WinRoot.h"
#include "installer/engine/InstallDialogs.h"
#include "installer/engine/InstallOperations.h"
#include "installer/engine/InstallerHost.h"
#include "installer/engine/ScriptEvent.h"
#include "installer/engine/ScriptInstaller.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/DialogBox.h"
#include "installer/support/InstallerGauge.h"
#include "installer/support/ResString.h"
#include "installer/support/WindowOps.h"

#include <QFont>
#include <QLabel>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

namespace kw {

namespace {

enum : int {
    kTree = 101,
    kTreeLabel = 102,
    kDescription = 103,
    kSelectedSize = 104,
    kGauge = 105,
    kAllSize = 106,
    kFreeSpace = 108,
    kHelp = 109,
};
enum { kHelpContextComponents = 12 };

std::string Expanded(ScriptInstaller& script, const HeapString& text)
{
    char out[512];
    return script.ExpandText(text.Text(), out, sizeof out) ? std::string(out) : std::string(text.Text());
}

// A given condition's value (true when it is not given or cannot be evaluated).
bool Condition(ScriptInstaller& script, const HeapString& text, bool& given)
{
    given = !text.IsEmpty();
    int value = 1;
    if (given && !script.EvaluateCondition(text.Text(), value)) given = false;
    return !given || value != 0;
}

struct Plan {
    const std::vector<Component>& list;
    std::vector<bool> shown, placed;
    std::vector<std::vector<int>> members;
    std::vector<int> firstNode;
};

void Place(ScriptInstaller& script, Plan& plan, OptionNodes& nodes, int component, int parent)
{
    const Component& c = plan.list[static_cast<std::size_t>(component)];
    const std::string caption = Expanded(script, c.caption);
    const auto& members = plan.members[static_cast<std::size_t>(component)];
    int node;
    if (c.kind != 0) {
        bool given = false;
        const bool when = Condition(script, c.selectedWhen, given);
        const bool ticked = given ? when : ComponentSelected(script, component);
        node = nodes.Add(parent, caption, ticked ? OptionNodes::kChecked : OptionNodes::kClear,
                         c.events.empty() ? OptionNodes::kNoBox : OptionNodes::kEnabled, component);
    } else {
        node = nodes.Add(parent, caption, OptionNodes::kClear, members.empty() ? OptionNodes::kNoBox : OptionNodes::kEnabled,
                         component);
        nodes.SetExpanded(node, true);
        nodes.SetExclusive(node, (c.flags & Component::kExclusive) != 0);
        for (int m : members) Place(script, plan, nodes, m, node);
    }
    int& first = plan.firstNode[static_cast<std::size_t>(component)];
    if (first < 0)
        first = node;
    else
        nodes.LinkSame(first, node);
}

std::string SizeText(long long kb)
{
    char text[32];
    std::snprintf(text, sizeof text, "%llu K", static_cast<unsigned long long>(kb > 0 ? kb : 0));
    return text;
}

// The free space of every fixed, roomy removable and remote drive, one line each.
std::string FreeSpaceText()
{
    std::string text;
    fw::WinRoot* root = fw::WinRoot::Current();
    if (!root) return text;
    InstallOperations ops;
    ops.SetQuiet(true);
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (!root->Drive(letter) && !root->Drive(static_cast<char>(std::toupper(letter)))) continue;
        const int kind = DriveClass(letter);
        if (kind < 1 || kind > 3) continue;
        const char drive[4] = {letter, ':', '\\', 0};
        long long units = 0;
        if (!ops.FreeDiskSpace(drive, units)) continue;
        if (!text.empty()) text += '\n';
        text += FreeSpaceLine(letter, units);
    }
    return text;
}

class ComponentDialog : public InstallerDialog {
public:
    ComponentDialog(InstallerHost& host, OptionNodes& nodes) : host_(host), nodes_(nodes) {}
    ~ComponentDialog() override { DestroyWindow(); }

    OptionTree* Tree() const { return tree_; }

private:
    bool Command(int id) override
    {
        switch (id) {
        case kHelp: host_.ShowHelp(kHelpContextComponents); return true;
        case kCmdHelpContext: SetWindowWord0(kHelpContextComponents); return true;
        default: return false;
        }
    }
    void Ok() override { End(0); }
    void Cancel() override { End(1); }
    void Destroyed() override
    {
        gauge_.Detach();
        tree_ = nullptr;
    }

    void Init() override
    {
        tree_ = new OptionTree;
        tree_->SetNodes(nodes_);
        ReplacePlaceholder(*this, kTree, tree_);
        tree_->onFocus = [this](int node) { Describe(node); };
        tree_->onChange = [this](int) { ShowSizes(); };
        Describe(-1);
        if (QWidget* bar = Item(kGauge)) gauge_.Attach(bar);
        ShowSizes();
        if (QWidget* free = Item(kFreeSpace)) {
            QFont courier("Courier New");
            courier.setStyleHint(QFont::TypeWriter);
            courier.setPixelSize(std::max(9, QFontInfo(free->font()).pixelSize()));
            free->setFont(courier);
            SetWindowText(free, FreeSpaceText());
        }
        PushWindow();
        if (QWidget* ok = Item(kCmdOk)) ok->setFocus();
    }

    // The focused component's description, or string 3 before any is focused.
    void Describe(int node)
    {
        const ScriptProject* project = host_.Script().Project();
        const int component = node >= 0 ? tree_->Nodes().At(node).tag : -1;
        if (project && component >= 0 && component < static_cast<int>(project->components.size())) {
            SetItemText(kDescription,
                        Expanded(host_.Script(), project->components[static_cast<std::size_t>(component)].description));
            return;
        }
        char text[kResStringSize];
        LoadResString(text, 3);
        SetItemText(kDescription, text);
    }

    void ShowSizes()
    {
        const ScriptProject* project = host_.Script().Project();
        if (!project || !tree_) return;
        const OptionNodes& nodes = tree_->Nodes();
        std::vector<int> ticked(project->components.size(), -1);
        for (int n = 0; n < nodes.Count(); ++n) {
            const OptionNodes::Node& node = nodes.At(n);
            if (node.tag >= 0 && node.tag < static_cast<int>(ticked.size()) && node.children.empty())
                ticked[static_cast<std::size_t>(node.tag)] = node.state == OptionNodes::kChecked ? 1 : 0;
        }
        long long all = 0, selected = 0;
        for (std::size_t i = 0; i < project->components.size(); ++i) {
            const long long size = ComponentSize(*project, static_cast<int>(i));
            all += size;
            const bool chosen = ticked[i] >= 0 ? ticked[i] == 1 : ComponentSelected(host_.Script(), static_cast<int>(i));
            if (chosen) selected += size;
        }
        SetItemText(kSelectedSize, SizeText(selected));
        SetItemText(kAllSize, SizeText(all));
        gauge_.SetPercent(all > 0 ? static_cast<int>(selected * 100 / all) : 100);
    }

    void End(int result)
    {
        if (tree_) nodes_ = tree_->Nodes();
        EndDialog(result);
    }

    InstallerHost& host_;
    OptionNodes& nodes_;
    OptionTree* tree_ = nullptr;
    Gauge gauge_{0x00F0C080}; // a light blue, under which the black figure stays legible
};

} // namespace

long long ComponentSize(const ScriptProject& project, int component)
{
    if (component < 0 || component >= static_cast<int>(project.components.size())) return 0;
    long long kb = 0;
    for (uint32_t e : project.components[static_cast<std::size_t>(component)].events)
        if (e < project.events.size() && project.events[e]) kb += project.events[e]->Size();
    return kb;
}

bool ComponentSelected(ScriptInstaller& script, int component)
{
    const ScriptProject* project = script.Project();
    if (!project || component < 0 || component >= static_cast<int>(project->components.size())) return false;
    const std::vector<int>& selection = script.Selection();
    for (uint32_t e : project->components[static_cast<std::size_t>(component)].events)
        if (e < selection.size() && selection[e] == 0) return false;
    return true;
}

OptionNodes BuildComponentTree(ScriptInstaller& script)
{
    OptionNodes nodes;
    const ScriptProject* project = script.Project();
    if (!project) return nodes;
    const std::size_t count = project->components.size();
    Plan plan{project->components, std::vector<bool>(count), std::vector<bool>(count),
              std::vector<std::vector<int>>(count), std::vector<int>(count, -1)};
    for (std::size_t i = 0; i < count; ++i) {
        bool given = false;
        plan.shown[i] = Condition(script, project->components[i].visibleWhen, given);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const Component& c = project->components[i];
        if (!plan.shown[i] || c.kind != 0) continue;
        for (uint32_t m : c.components)
            if (m < count && m != i && plan.shown[m]) plan.members[i].push_back(static_cast<int>(m));
    }
    // A group gets its node once all its members have one: sweep until nothing more is placed.
    for (bool progress = true; progress;) {
        progress = false;
        for (std::size_t i = 0; i < count; ++i) {
            if (!plan.shown[i] || plan.placed[i]) continue;
            bool ready = true;
            for (int m : plan.members[i]) ready = ready && plan.placed[static_cast<std::size_t>(m)];
            if (ready) plan.placed[i] = progress = true;
        }
    }
    bool all = true;
    for (std::size_t i = 0; i < count; ++i) all = all && (!plan.shown[i] || plan.placed[i]);
    CheckFailed("COMPDLG", 182, all);
    std::vector<bool> contained(count);
    for (std::size_t i = 0; i < count; ++i)
        if (plan.placed[i])
            for (int m : plan.members[i]) contained[static_cast<std::size_t>(m)] = true;
    for (std::size_t i = 0; i < count; ++i)
        if (plan.placed[i] && !contained[i]) Place(script, plan, nodes, static_cast<int>(i), -1);
    nodes.Recompute();
    return nodes;
}

void WriteSelection(ScriptInstaller& script, const OptionNodes& nodes)
{
    const ScriptProject* project = script.Project();
    if (!project) return;
    std::vector<int>& selection = script.Selection();
    if (selection.size() < project->events.size()) selection.resize(project->events.size(), 1);
    std::vector<int> chosen(project->components.size(), -1);
    for (int n = 0; n < nodes.Count(); ++n) {
        const OptionNodes::Node& node = nodes.At(n);
        if (node.tag < 0 || node.tag >= static_cast<int>(chosen.size()) || !node.children.empty() ||
            node.availability == OptionNodes::kNoBox || project->components[static_cast<std::size_t>(node.tag)].kind == 0)
            continue;
        chosen[static_cast<std::size_t>(node.tag)] = node.state == OptionNodes::kChecked ? 1 : 0;
    }
    // An event that a ticked component stands for runs, even when a cleared one names it too.
    std::vector<int> entry(selection.size(), -1);
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (chosen[i] < 0) continue;
        for (uint32_t e : project->components[i].events)
            if (e < entry.size()) entry[e] = std::max(entry[e], chosen[i]);
    }
    for (std::size_t e = 0; e < entry.size(); ++e)
        if (entry[e] >= 0) selection[e] = entry[e];
}

bool SelectComponents(InstallerHost& host)
{
    OptionNodes nodes = BuildComponentTree(host.Script());
    ComponentDialog dialog(host, nodes);
    if (!RunUntilConfirmed(host, dialog, "DLGSELCOMPS")) return false;
    WriteSelection(host.Script(), nodes);
    return true;
}

} // namespace kw
