// The planner's document manager: at most one open document per template (opening another
// closes the open one first, through its save prompt), a save prompt that asks again until
// the user saves, discards or cancels, and File Close through the same close test.
#pragma once

#include "framework/gui/DocManager.h"

class SLdocManager : public fw::DocManager {
public:
    SLdocManager() : fw::DocManager(fw::dmMDI) {}

    fw::Document* CreateAnyDoc(const std::string& path, std::uint32_t flags) override;
    bool FlushDoc(fw::Document& doc) override;
    void CmFileClose() override;
    bool CreatingDoc(fw::DocTemplate* tpl) override;
};
