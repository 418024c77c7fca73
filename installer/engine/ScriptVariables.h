// The install script's variables: named ints and texts, kept in order of creation. A name is
// at most 40 characters and a text at most 255 (its buffer holds 256 with the terminator); an
// int and a text variable may share a name. Names compare case-sensitively.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace kw {

enum { kVariableNameSize = 40, kVariableTextSize = 256 };

// What expansion and evaluation look variables up through.
class VariableLookup {
public:
    virtual ~VariableLookup() = default;
    virtual const int* FindInt(const char* name) const = 0;
    virtual const char* FindString(const char* name) const = 0;
};

struct ScriptVariable {
    enum Kind { kString = 0, kInt = 1 };
    Kind kind = kString;
    char name[kVariableNameSize + 1] = {};
    int number = 0;
    char text[kVariableTextSize] = {};
};

class VariableList : public VariableLookup {
public:
    // The value's address, or null for a missing variable (without create) or a name that is
    // empty, longer than 40 characters or not made of letters, digits and "_".
    int* IntVariable(const char* name, bool create);
    // The 256-character buffer of a text variable, under the same rules.
    char* StringVariable(const char* name, bool create);
    const int* FindInt(const char* name) const override;
    const char* FindString(const char* name) const override;
    int Count() const { return static_cast<int>(vars_.size()); }
    void Clear() { vars_.clear(); }

    static bool ValidName(const char* name);

private:
    ScriptVariable* Find(ScriptVariable::Kind kind, const char* name) const;
    ScriptVariable* Make(ScriptVariable::Kind kind, const char* name);
    std::vector<std::unique_ptr<ScriptVariable>> vars_;
};

// Copies text into a text variable's buffer; false, leaving the buffer unchanged, when the text
// does not fit its 255 characters.
bool SetVariableText(char* buffer, const char* text);

} // namespace kw
