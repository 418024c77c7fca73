// Reading the chart dialogs' validated fields at OK. The field reports an entry it cannot
// read itself; the chart also refuses the filter words MIN, MAX and NO ENTRY and a value that
// has no place on the chart (a size of 0 or less, or wider than the half sky that Max Field
// of View shows; a limiting magnitude of 0 or less), in a box with the field's own title. The dialog then stays open with the
// focus on the field, so the chart never takes a value from a bad entry.
#pragma once

class TEditValue;

// True and the value for a good entry; false after the field's message, value untouched.
bool ReadChartField(TEditValue& field, double& value);
