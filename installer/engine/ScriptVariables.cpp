#include "installer/engine/ScriptVariables.h"

#include <cctype>
#include <cstring>
#include <new>

namespace kw {

bool VariableList::ValidName(const char* name)
{
    if (!name || !*name) return false;
    size_t n = std::strlen(name);
    if (n > kVariableNameSize) return false;
    for (size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (!(std::isalnum(c) || c == '_')) return false;
    }
    return true;
}

ScriptVariable* VariableList::Find(ScriptVariable::Kind kind, const char* name) const
{
    if (!ValidName(name)) return nullptr;
    for (const auto& v : vars_)
        if (v->kind == kind && std::strcmp(v->name, name) == 0) return v.get();
    return nullptr;
}

ScriptVariable* VariableList::Make(ScriptVariable::Kind kind, const char* name)
{
    auto v = std::unique_ptr<ScriptVariable>(new (std::nothrow) ScriptVariable);
    if (!v) return nullptr;
    v->kind = kind;
    std::strcpy(v->name, name); // ValidName bounded it to 40 characters
    vars_.push_back(std::move(v));
    return vars_.back().get();
}

int* VariableList::IntVariable(const char* name, bool create)
{
    if (!ValidName(name)) return nullptr;
    ScriptVariable* v = Find(ScriptVariable::kInt, name);
    if (!v && create) v = Make(ScriptVariable::kInt, name);
    return v ? &v->number : nullptr;
}

char* VariableList::StringVariable(const char* name, bool create)
{
    if (!ValidName(name)) return nullptr;
    ScriptVariable* v = Find(ScriptVariable::kString, name);
    if (!v && create) v = Make(ScriptVariable::kString, name);
    return v ? v->text : nullptr;
}

const int* VariableList::FindInt(const char* name) const
{
    ScriptVariable* v = Find(ScriptVariable::kInt, name);
    return v ? &v->number : nullptr;
}

const char* VariableList::FindString(const char* name) const
{
    ScriptVariable* v = Find(ScriptVariable::kString, name);
    return v ? v->text : nullptr;
}

bool SetVariableText(char* buffer, const char* text)
{
    size_t n = std::strlen(text);
    if (n >= kVariableTextSize) return false;
    std::memmove(buffer, text, n + 1);
    return true;
}

} // namespace kw
