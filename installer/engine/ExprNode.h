// The tree of a parsed condition: int literals, variables, logical not and binary operators.
#pragma once

#include "installer/engine/ExprScanner.h"
#include "installer/engine/ScriptVariables.h"

#include <memory>

namespace kw {

class ExprNode {
public:
    virtual ~ExprNode() = default;
    // False when a variable is missing or a division by zero is met.
    virtual bool Evaluate(const VariableLookup& variables, int& out) const = 0;
    // A binary node's operator on evaluated operands.
    virtual bool Apply(int left, int right, int& out) const;
    // True when the left operand alone decides the result (then in out).
    virtual bool ShortCircuit(int left, int& out) const;
};

using ExprNodePtr = std::unique_ptr<ExprNode>;

class LiteralNode : public ExprNode {
public:
    explicit LiteralNode(int value) : value_(value) {}
    bool Evaluate(const VariableLookup&, int& out) const override;

private:
    int value_;
};

class VariableNode : public ExprNode {
public:
    explicit VariableNode(const char* name);
    bool Evaluate(const VariableLookup& variables, int& out) const override;

private:
    char name_[kVariableNameSize + 1] = {};
};

class NotNode : public ExprNode {
public:
    explicit NotNode(ExprNodePtr operand) : operand_(std::move(operand)) {}
    bool Evaluate(const VariableLookup& variables, int& out) const override;

private:
    ExprNodePtr operand_;
};

class BinaryNode : public ExprNode {
public:
    BinaryNode(Token op, ExprNodePtr left, ExprNodePtr right)
        : op_(op), left_(std::move(left)), right_(std::move(right)) {}
    bool Evaluate(const VariableLookup& variables, int& out) const override;
    bool Apply(int left, int right, int& out) const override;
    bool ShortCircuit(int left, int& out) const override;

private:
    Token op_;
    ExprNodePtr left_, right_;
};

} // namespace kw
