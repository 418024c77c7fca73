#include "installer/engine/ExprScanner.h"

#include <cctype>
#include <climits>

namespace kw {

Token ExprScanner::Next()
{
    tooLong_ = false;
    while (text_[pos_] == ' ' || text_[pos_] == '\t') ++pos_;
    unsigned char c = static_cast<unsigned char>(text_[pos_]);
    auto two = [&](char second, Token pair, Token single) {
        if (text_[pos_ + 1] == second) {
            pos_ += 2;
            return pair;
        }
        ++pos_;
        return single;
    };
    if (c == 0) return token_ = Token::kEnd;
    if (std::isalpha(c) || c == '_') {
        int n = 0;
        while (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_') {
            if (n < kVariableNameSize) identifier_[n] = text_[pos_];
            ++n;
            ++pos_;
        }
        if (n > kVariableNameSize) {
            identifier_[0] = 0;
            tooLong_ = true;
            return token_ = Token::kError;
        }
        identifier_[n] = 0;
        return token_ = Token::kIdentifier;
    }
    if (std::isdigit(c)) {
        long long v = 0;
        while (std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            v = v * 10 + (text_[pos_] - '0');
            if (v > INT_MAX) tooLong_ = true;
            if (tooLong_) v = 0;
            ++pos_;
        }
        number_ = static_cast<int>(v);
        return token_ = tooLong_ ? Token::kError : Token::kNumber;
    }
    switch (c) {
    case '(': ++pos_; return token_ = Token::kOpen;
    case ')': ++pos_; return token_ = Token::kClose;
    case '*': ++pos_; return token_ = Token::kMul;
    case '/': ++pos_; return token_ = Token::kDiv;
    case '+': ++pos_; return token_ = Token::kAdd;
    case '-': ++pos_; return token_ = Token::kSub;
    case '^': ++pos_; return token_ = Token::kBitXor;
    case '<': return token_ = two('=', Token::kLessEqual, Token::kLess);
    case '>': return token_ = two('=', Token::kGreaterEqual, Token::kGreater);
    case '=': return token_ = two('=', Token::kEqual, Token::kError);
    case '!': return token_ = two('=', Token::kNotEqual, Token::kNot);
    case '&': return token_ = two('&', Token::kAnd, Token::kBitAnd);
    case '|': return token_ = two('|', Token::kOr, Token::kBitOr);
    default: break;
    }
    return token_ = Token::kError; // the position stays: the parser stops at an error token
}

} // namespace kw
