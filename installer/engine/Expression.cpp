#include "installer/engine/Expression.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace kw {

const char* ExprErrorFormat(ExprError error)
{
    switch (error) {
    case ExprError::kNone: return nullptr;
    case ExprError::kBadName: return "Bad variable name in expression %s";
    case ExprError::kUnknown: return "Unknown variable in expression %s";
    case ExprError::kSyntax: return "Syntax error in expression %s";
    case ExprError::kTooLong: return "Text too long in expression %s";
    case ExprError::kTooComplex: return "Expression too complex: %s";
    }
    return "Syntax error in expression %s";
}

namespace {

bool IsBinary(Token t) { return t >= Token::kMul && t <= Token::kOr; }

int Precedence(Token t)
{
    switch (t) {
    case Token::kMul: case Token::kDiv: return 9;
    case Token::kAdd: case Token::kSub: return 8;
    case Token::kLess: case Token::kLessEqual: case Token::kGreater: case Token::kGreaterEqual:
        return 7;
    case Token::kEqual: case Token::kNotEqual: return 6;
    case Token::kBitAnd: return 5;
    case Token::kBitXor: return 4;
    case Token::kBitOr: return 3;
    case Token::kAnd: return 2;
    case Token::kOr: return 1;
    default: return 0;
    }
}

// Operator precedence parsing with bounded stacks: the operator stack holds binary operators
// and the markers of open parentheses and pending "!", the operand stack the subtrees.
class Parser {
public:
    explicit Parser(const char* text) : scan_(text) {}

    ExprNodePtr Run(ExprError& error)
    {
        error = Parse();
        if (error != ExprError::kNone) return nullptr;
        return std::move(operands_.back());
    }

private:
    ExprError Parse()
    {
        for (;;) {
            // A primary: "!"s and "("s may come first.
            Token t = scan_.Next();
            while (t == Token::kNot || t == Token::kOpen) {
                if (ExprError e = PushOperator(t); e != ExprError::kNone) return e;
                t = scan_.Next();
            }
            if (t == Token::kNumber || t == Token::kIdentifier) {
                if (ExprError e = PushOperand(t); e != ExprError::kNone) return e;
            } else {
                return scan_.TooLong() ? ExprError::kTooLong : ExprError::kSyntax;
            }
            if (ExprError e = ReduceNots(); e != ExprError::kNone) return e;
            // After the primary: closing parentheses, then an operator or the end.
            t = scan_.Next();
            while (t == Token::kClose) {
                if (ExprError e = ReduceTo(0); e != ExprError::kNone) return e;
                if (ops_.empty() || ops_.back() != Token::kOpen) return ExprError::kSyntax;
                ops_.pop_back();
                if (ExprError e = ReduceNots(); e != ExprError::kNone) return e;
                t = scan_.Next();
            }
            if (t == Token::kEnd) {
                if (ExprError e = ReduceTo(0); e != ExprError::kNone) return e;
                if (!ops_.empty() || operands_.size() != 1) return ExprError::kSyntax;
                return ExprError::kNone;
            }
            if (!IsBinary(t)) return scan_.TooLong() ? ExprError::kTooLong : ExprError::kSyntax;
            if (ExprError e = ReduceTo(Precedence(t)); e != ExprError::kNone) return e;
            if (ExprError e = PushOperator(t); e != ExprError::kNone) return e;
        }
    }

    ExprError PushOperator(Token t)
    {
        if (ops_.size() >= kExprStackSize) return ExprError::kTooComplex;
        ops_.push_back(t);
        return ExprError::kNone;
    }

    ExprError Count()
    {
        return ++nodes_ > kExprMaxNodes ? ExprError::kTooComplex : ExprError::kNone;
    }

    ExprError PushOperand(Token t)
    {
        if (operands_.size() >= kExprStackSize) return ExprError::kTooComplex;
        if (ExprError e = Count(); e != ExprError::kNone) return e;
        if (t == Token::kNumber)
            operands_.push_back(std::make_unique<LiteralNode>(scan_.Number()));
        else
            operands_.push_back(std::make_unique<VariableNode>(scan_.Identifier()));
        return ExprError::kNone;
    }

    // Applies the "!"s that stand directly before the operand just completed.
    ExprError ReduceNots()
    {
        while (!ops_.empty() && ops_.back() == Token::kNot) {
            if (ExprError e = Count(); e != ExprError::kNone) return e;
            ops_.pop_back();
            operands_.back() = std::make_unique<NotNode>(std::move(operands_.back()));
        }
        return ExprError::kNone;
    }

    // Reduces stacked binary operators of at least the given precedence (0: all, up to an
    // open parenthesis).
    ExprError ReduceTo(int precedence)
    {
        while (!ops_.empty() && IsBinary(ops_.back()) && Precedence(ops_.back()) >= precedence) {
            if (operands_.size() < 2) return ExprError::kSyntax;
            if (ExprError e = Count(); e != ExprError::kNone) return e;
            Token op = ops_.back();
            ops_.pop_back();
            ExprNodePtr right = std::move(operands_.back());
            operands_.pop_back();
            operands_.back() =
                std::make_unique<BinaryNode>(op, std::move(operands_.back()), std::move(right));
        }
        return ExprError::kNone;
    }

    ExprScanner scan_;
    std::vector<Token> ops_;
    std::vector<ExprNodePtr> operands_;
    int nodes_ = 0;
};

} // namespace

ExprNodePtr ParseExpression(const char* text, ExprError& error)
{
    return Parser(text).Run(error);
}

ExprError EvaluateExpression(const VariableLookup& variables, const char* text, int& out)
{
    ExprError error;
    ExprNodePtr tree = ParseExpression(text, error);
    if (!tree) return error;
    int value;
    if (!tree->Evaluate(variables, value)) return ExprError::kUnknown;
    out = value;
    return ExprError::kNone;
}

ExprError ExpandVariables(const VariableLookup& variables, const char* text, char* out,
                          size_t capacity, const char* sourcePath)
{
    if (capacity == 0) return ExprError::kTooLong;
    size_t n = 0;
    auto fail = [&](ExprError e) {
        out[0] = 0;
        return e;
    };
    auto put = [&](const char* s, size_t len) {
        if (len >= capacity - n) return false;
        std::memcpy(out + n, s, len);
        n += len;
        return true;
    };
    auto isNameChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    const char* p = text ? text : "";
    while (*p) {
        if (*p != '$') {
            if (!put(p, 1)) return fail(ExprError::kTooLong);
            ++p;
            continue;
        }
        char name[kVariableNameSize + 1];
        const char* after;
        if (p[1] == '$' || p[1] == 0) {
            if (!put("$", 1)) return fail(ExprError::kTooLong);
            p += p[1] ? 2 : 1;
            continue;
        }
        if (p[1] == '{') {
            const char* q = p + 2;
            while (*q && *q != '}') {
                if (!isNameChar(*q)) return fail(ExprError::kBadName);
                ++q;
            }
            if (*q != '}') return fail(ExprError::kBadName);
            size_t len = static_cast<size_t>(q - (p + 2));
            if (len == 0 || len > kVariableNameSize) return fail(ExprError::kBadName);
            std::memcpy(name, p + 2, len);
            name[len] = 0;
            after = q + 1;
        } else if (std::isalpha(static_cast<unsigned char>(p[1])) || p[1] == '_') {
            const char* q = p + 1;
            while (isNameChar(*q)) ++q;
            size_t len = static_cast<size_t>(q - (p + 1));
            if (len > kVariableNameSize) return fail(ExprError::kBadName);
            std::memcpy(name, p + 1, len);
            name[len] = 0;
            after = q;
        } else {
            if (!put(p, 2)) return fail(ExprError::kTooLong);
            p += 2;
            continue;
        }
        const char* value = (sourcePath && std::strcmp(name, "s") == 0)
                                ? sourcePath
                                : variables.FindString(name);
        if (!value) return fail(ExprError::kUnknown);
        if (!put(value, std::strlen(value))) return fail(ExprError::kTooLong);
        p = after;
    }
    out[n] = 0;
    return ExprError::kNone;
}

} // namespace kw
