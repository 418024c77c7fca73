// Reading the validated value fields of a dialog at OK. A field reports a value out
// of its range itself; here a text that holds no number at all (and is none of the words MIN,
// MAX and NO ENTRY) is reported too, in a box with the field's own title. A dialog keeps
// itself open after a bad entry, so that no filter setting is ever taken from one.
#pragma once

#include "framework/stream/Date.h"

class TEditTime;
class TEditValue;

// True and the value when the field holds a good entry; false (after the field's message,
// with the focus on the field) otherwise, the value untouched.
bool ReadValueField(TEditValue& field, double& value);
bool ReadTimeField(TEditTime& field, fw::TTime& value);
