// Feeds arbitrary texts to the condition parser and evaluator and to "$" expansion into a small
// buffer: nothing may overrun, and a successful expansion fits its buffer.
#include "installer/engine/Expression.h"

#include <cstdlib>
#include <cstring>
#include <string>

using namespace kw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static VariableList* vars = [] {
        auto* v = new VariableList;
        *v->IntVariable("a", true) = 3;
        *v->IntVariable("zero", true) = 0;
        SetVariableText(v->StringVariable("a", true), "text of a");
        SetVariableText(v->StringVariable("long", true), std::string(255, 'L').c_str());
        return v;
    }();
    std::string text(reinterpret_cast<const char*>(data), size);
    int out = 0;
    EvaluateExpression(*vars, text.c_str(), out);

    char small[32];
    std::memset(small, 'X', sizeof small);
    if (ExpandVariables(*vars, text.c_str(), small, sizeof small - 8, "C:\\src") ==
        ExprError::kNone) {
        if (std::strlen(small) >= sizeof small - 8) std::abort();
    }
    for (size_t i = sizeof small - 8; i < sizeof small; ++i)
        if (small[i] != 'X') std::abort();
    char big[kVariableTextSize];
    ExpandVariables(*vars, text.c_str(), big, sizeof big);
    return 0;
}
