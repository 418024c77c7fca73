#include "app/StellumTemplates.h"

#include "framework/stream/StateReset.h"
#include "obslog/LogDocument.h"
#include "obslog/ObsDialogView.h"
#include "planner/STLM4view.h"
#include "planner/STLM5doc.h"

#include <algorithm>

namespace {

struct Registry {
    std::vector<std::unique_ptr<fw::DocTemplate>> own;
    std::vector<std::unique_ptr<fw::DocTemplate>> added;
    std::vector<fw::DocTemplate*> all;
    bool made = false;
    bool onlyAdded = false;

    void Collect()
    {
        all.clear();
        if (!onlyAdded)
            for (auto& t : own) all.push_back(t.get());
        for (auto& t : added) all.push_back(t.get());
    }
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

// The planner's templates in their order.
std::vector<std::unique_ptr<fw::DocTemplate>> MakeTemplates()
{
    std::vector<std::unique_ptr<fw::DocTemplate>> templates;
    templates.push_back(
        fw::DocTemplate::Make<STLM5doc, STLM4view>("Planning Files", "*.sl4", "", "sl4", kStellumTemplateFlags));
    templates.push_back(
        fw::DocTemplate::Make<LogDocument, ObsDialogView>("Log Files", "*.log", "", "log", kStellumTemplateFlags));
    return templates;
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

namespace {
const fw::StateReset resetTemplates{RemoveAddedStellumTemplates};
} // namespace

void RemoveAddedStellumTemplates()
{
    Registry& r = TheRegistry();
    r.added.clear();
    r.onlyAdded = false;
    r.Collect();
}

void UseOnlyAddedStellumTemplates()
{
    StellumTemplates();
    Registry& r = TheRegistry();
    r.onlyAdded = true;
    r.Collect();
}
