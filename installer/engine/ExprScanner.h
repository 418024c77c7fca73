// Splits a condition text into tokens: decimal numbers, identifiers, parentheses and the
// operators of the script's integer expressions.
#pragma once

#include "installer/engine/ScriptVariables.h"

namespace kw {

enum class Token {
    kNumber = 0, kIdentifier, kEnd, kOpen, kClose, kMul, kDiv, kAdd, kSub, kLess, kLessEqual,
    kGreater, kGreaterEqual, kEqual, kNotEqual, kBitAnd, kBitXor, kBitOr, kAnd, kOr, kNot, kError
};

class ExprScanner {
public:
    explicit ExprScanner(const char* text) : text_(text ? text : "") {}
    // Scans the next token. An identifier longer than 40 characters or a number beyond the int
    // range is the error token with TooLong() set.
    Token Next();
    Token Current() const { return token_; }
    int Number() const { return number_; }
    const char* Identifier() const { return identifier_; }
    bool TooLong() const { return tooLong_; }

private:
    const char* text_;
    int pos_ = 0;
    Token token_ = Token::kError;
    int number_ = 0;
    char identifier_[kVariableNameSize + 1] = {};
    bool tooLong_ = false;
};

} // namespace kw
