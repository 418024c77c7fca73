// Conditions and "$" texts of the install script: parsing and evaluating integer expressions,
// and expanding variable references in texts.
#pragma once

#include "installer/engine/ExprNode.h"
#include "installer/engine/ScriptVariables.h"

#include <cstddef>

namespace kw {

enum class ExprError {
    kNone = 0,
    kBadName = 1,      // "${...}" with a character other than a letter, digit or "_"
    kUnknown = 2,      // a missing variable or a division by zero
    kSyntax = 3,
    kTooLong = 4,      // a name or number that does not fit, or an expanded text beyond its buffer
    kTooComplex = 5,   // more pending operands or operators than the parser holds
};

enum { kExprStackSize = 40, kExprMaxNodes = 1000 };

// The message of an error, with "%s" for the whole text; null for kNone.
const char* ExprErrorFormat(ExprError error);

// Parses a condition into its tree (null on error).
ExprNodePtr ParseExpression(const char* text, ExprError& error);

// Parses and evaluates; the tree is freed in every case.
ExprError EvaluateExpression(const VariableLookup& variables, const char* text, int& out);

// Expands "$$", "$name" and "${name}" into out (capacity bytes with the terminator). The name
// "s" gives sourcePath when one is given. On error the output is empty.
ExprError ExpandVariables(const VariableLookup& variables, const char* text, char* out,
                          size_t capacity, const char* sourcePath = nullptr);

} // namespace kw
