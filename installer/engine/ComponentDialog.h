// The component selection ("DLGSELCOMPS"): the script's components as an option
// tree, their sizes, the share of them chosen as a gauge, and the free space of the drives;
// after OK the choice goes into the script's selection array, which decides which events of
// the script run.
#pragma once

#include "installer/engine/OptionTree.h"

namespace kw {

class InstallerHost;
class ScriptInstaller;
class ScriptProject;

// The script's components as an option tree, each node tagged with its component's position.
// Every component that is shown gets a node; a group of components gets its node once all
// its members have one (the list is swept until no more nodes can be made, so a group caught
// in a loop of groups is left out with a check failure), and a member of several groups gets
// one node in each, joined as the same item. Components no group contains are the roots;
// groups start open.
// - A component whose visible-when condition is given and false is not shown (its events
//   keep their selection).
// - A group of events starts ticked when all its events are selected, or as its selected-when
//   condition says when that is given; a component that stands for nothing has no box.
// - A group of components with the flag Component::kExclusive has alternatives as members.
// Captions are expanded with the script's variables.
OptionNodes BuildComponentTree(ScriptInstaller& script);

// A component's size in KB: the sum of its events' sizes (a group of components has none).
long long ComponentSize(const ScriptProject& project, int component);
// Whether every event of a group of events is selected in the script's selection array.
bool ComponentSelected(ScriptInstaller& script, int component);

// Writes the tree's choice into the selection array: every event of a ticked component is
// selected, every event that only cleared components stand for is deselected, and events of
// components without a node (or without a box) keep their entries.
void WriteSelection(ScriptInstaller& script, const OptionNodes& nodes);

// Runs "DLGSELCOMPS" until OK (true, the choice written into the selection array) or until
// Cancel is confirmed by the abort question (false, nothing written). After a Cancel that the
// user does not confirm, the dialog comes back with the choice it had.
bool SelectComponents(InstallerHost& host);

} // namespace kw
