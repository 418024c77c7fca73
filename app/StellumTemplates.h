// The planner's document templates, in the order File New and File Open offer them:
// "Planning Files" (*.sl4) for the planner document and view, then "Log Files" (*.log) for
// the observing log and its form. They are made once, on first use, and live until the
// program ends.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/gui/DocTemplate.h"

// Both templates: delete the document with its last view, one view per document, open the
// document when it is made, the file dialog's directory follows the user, single use; the
// dialog asks before overwriting, wants an existing path and asks before creating a file.
constexpr std::uint32_t kStellumTemplateFlags = fw::dtSingleView | fw::dtAutoDelete | fw::dtAutoOpen |
                                                fw::dtUpdateDir | fw::dtSingleUse | fw::dtCreatePrompt |
                                                fw::dtPathMustExist | fw::dtOverwritePrompt;
static_assert(kStellumTemplateFlags == 0x5C402802u, "template flag word");

// The templates (made on the first call).
const std::vector<fw::DocTemplate*>& StellumTemplates();
// Adds a template after the planner's own (tests register small ones).
void AddStellumTemplate(std::unique_ptr<fw::DocTemplate> tpl);
// Drops the templates added by AddStellumTemplate (and offers the planner's own again).
void RemoveAddedStellumTemplates();
// Offers only the added templates (tests that stand small documents in for the planner's).
void UseOnlyAddedStellumTemplates();
