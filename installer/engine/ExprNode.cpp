#include "installer/engine/ExprNode.h"

#include <climits>
#include <cstring>

namespace kw {

bool ExprNode::Apply(int, int, int&) const { return false; }
bool ExprNode::ShortCircuit(int, int&) const { return false; }

bool LiteralNode::Evaluate(const VariableLookup&, int& out) const
{
    out = value_;
    return true;
}

VariableNode::VariableNode(const char* name)
{
    std::strncpy(name_, name, kVariableNameSize);
}

bool VariableNode::Evaluate(const VariableLookup& variables, int& out) const
{
    const int* v = variables.FindInt(name_);
    if (!v) return false;
    out = *v;
    return true;
}

bool NotNode::Evaluate(const VariableLookup& variables, int& out) const
{
    int v;
    if (!operand_->Evaluate(variables, v)) return false;
    out = v == 0;
    return true;
}

bool BinaryNode::Evaluate(const VariableLookup& variables, int& out) const
{
    int left, right;
    if (!left_->Evaluate(variables, left)) return false;
    if (ShortCircuit(left, out)) return true;
    if (!right_->Evaluate(variables, right)) return false;
    return Apply(left, right, out);
}

bool BinaryNode::ShortCircuit(int left, int& out) const
{
    if (op_ == Token::kAnd && left == 0) return out = 0, true;
    if (op_ == Token::kOr && left != 0) return out = 1, true;
    if (op_ == Token::kDiv && left == 0) return out = 0, true;
    return false;
}

bool BinaryNode::Apply(int a, int b, int& out) const
{
    // Arithmetic wraps around on overflow instead of being undefined.
    unsigned ua = static_cast<unsigned>(a), ub = static_cast<unsigned>(b);
    switch (op_) {
    case Token::kMul: out = static_cast<int>(ua * ub); return true;
    case Token::kDiv:
        if (b == 0) return false;
        out = (a == INT_MIN && b == -1) ? INT_MIN : a / b;
        return true;
    case Token::kAdd: out = static_cast<int>(ua + ub); return true;
    case Token::kSub: out = static_cast<int>(ua - ub); return true;
    case Token::kLess: out = a < b; return true;
    case Token::kLessEqual: out = a <= b; return true;
    case Token::kGreater: out = a > b; return true;
    case Token::kGreaterEqual: out = a >= b; return true;
    case Token::kEqual: out = a == b; return true;
    case Token::kNotEqual: out = a != b; return true;
    case Token::kBitAnd: out = a & b; return true;
    case Token::kBitXor: out = a ^ b; return true;
    case Token::kBitOr: out = a | b; return true;
    case Token::kAnd: out = a && b; return true;
    case Token::kOr: out = a || b; return true;
    default: return false;
    }
}

} // namespace kw
