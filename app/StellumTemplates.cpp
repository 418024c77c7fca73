#include "app/StellumTemplates.h"

#include <algorithm>

namespace {

struct Registry {
    std::vector<std::unique_ptr<fw::DocTemplate>> own;
    std::vector<std::unique_ptr<fw::DocTemplate>> added;
    std::vector<fw::DocTemplate*> all;
    bool made = false;

    void Collect()
    {
        all.clear();
        for (auto& t : own) all.push_back(t.get());
        for (auto& t : added) all.push_back(t.get());
    }
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

// The planner's templates in their order. The planner document and the observing log add
// theirs here:
//   fw::DocTemplate::Make<STLM5doc, STLM4view>("Planning Files", "*.sl4", "", "sl4", kStellumTemplateFlags)
//   fw::DocTemplate::Make<LogDocument, ObsDialogView>("Log Files", "*.log", "", "log", kStellumTemplateFlags)
std::vector<std::unique_ptr<fw::DocTemplate>> MakeTemplates()
{
    return {};
}

} // namespace

const std::vector<fw::DocTemplate*>& StellumTemplates()
{
    Registry& r = TheRegistry();
    if (!r.made) {
        r.own = MakeTemplates();
        r.made = true;
        r.Collect();
    }
    return r.all;
}

void AddStellumTemplate(std::unique_ptr<fw::DocTemplate> tpl)
{
    StellumTemplates();
    Registry& r = TheRegistry();
    r.added.push_back(std::move(tpl));
    r.Collect();
}

void RemoveAddedStellumTemplates()
{
    Registry& r = TheRegistry();
    r.added.clear();
    r.Collect();
}
