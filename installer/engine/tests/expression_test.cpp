// Conditions and "$" texts: precedence and associativity, short circuits, the errors of
// scanning, parsing and evaluating, and the bounds of names, stacks and buffers.
#include "installer/engine/Expression.h"

#include <gtest/gtest.h>

#include <string>

using namespace kw;

namespace {

struct Vars : VariableList {
    Vars()
    {
        *IntVariable("a", true) = 5;
        *IntVariable("zero", true) = 0;
        SetVariableText(StringVariable("HOME", true), "/home/u");
        SetVariableText(StringVariable("a", true), "text-a");
    }
};

TEST(Expression, EvaluatesTheTable)
{
    struct Case { const char* text; ExprError error; int value; } cases[] = {
        {"1+2*3", ExprError::kNone, 7},
        {"8-4-2", ExprError::kNone, 2},
        {"2<3==1", ExprError::kNone, 1},
        {"a/0", ExprError::kUnknown, 0},
        {"0/x", ExprError::kNone, 0},
        {"1 || x", ExprError::kNone, 1},
        {"0 && x", ExprError::kNone, 0},
        {"1 && x", ExprError::kUnknown, 0},
        {"a = 1", ExprError::kSyntax, 0},
        {"-1", ExprError::kSyntax, 0},
        {"0-1", ExprError::kNone, -1},
        {"", ExprError::kSyntax, 0},
        {"1", ExprError::kNone, 1},
        {"(1+2)*3", ExprError::kNone, 9},
        {"!0+1", ExprError::kNone, 2},
        {"!(a==5)", ExprError::kNone, 0},
        {"!!a", ExprError::kNone, 1},
        {"a*2 >= 10 && zero != 1", ExprError::kNone, 1},
        {"6&3 ^ 1 | 8", ExprError::kNone, 11},
        {"12/5", ExprError::kNone, 2},
        {"(1", ExprError::kSyntax, 0},
        {"1)", ExprError::kSyntax, 0},
        {"()", ExprError::kSyntax, 0},
        {"1 2", ExprError::kSyntax, 0},
        {"1 +", ExprError::kSyntax, 0},
        {"a # 1", ExprError::kSyntax, 0},
        {"2147483647+1", ExprError::kNone, -2147483647 - 1},
        {"0-2147483647-1/0", ExprError::kUnknown, 0},
    };
    Vars vars;
    for (const Case& c : cases) {
        int out = 12345;
        EXPECT_EQ(EvaluateExpression(vars, c.text, out), c.error) << c.text;
        if (c.error == ExprError::kNone) {
            EXPECT_EQ(out, c.value) << c.text;
        }
    }
}

TEST(Expression, BoundsNamesNumbersAndNesting)
{
    Vars vars;
    int out = 0;
    std::string name40(40, 'n'), name41(41, 'n');
    *vars.IntVariable(name40.c_str(), true) = 3;
    EXPECT_EQ(vars.IntVariable(name41.c_str(), true), nullptr);
    EXPECT_EQ(EvaluateExpression(vars, name40.c_str(), out), ExprError::kNone);
    EXPECT_EQ(out, 3);
    EXPECT_EQ(EvaluateExpression(vars, name41.c_str(), out), ExprError::kTooLong);
    EXPECT_EQ(EvaluateExpression(vars, "99999999999", out), ExprError::kTooLong);

    // 40 pending parentheses fit; 41 do not. Long flat chains are fine.
    std::string open40(39, '('), close40(39, ')');
    EXPECT_EQ(EvaluateExpression(vars, (open40 + "1+1" + close40).c_str(), out), ExprError::kNone);
    EXPECT_EQ(out, 2);
    std::string deep = std::string(41, '(') + "1" + std::string(41, ')');
    EXPECT_EQ(EvaluateExpression(vars, deep.c_str(), out), ExprError::kTooComplex);
    std::string bangs = std::string(41, '!') + "1";
    EXPECT_EQ(EvaluateExpression(vars, bangs.c_str(), out), ExprError::kTooComplex);
    std::string chain = "1";
    for (int i = 0; i < 200; ++i) chain += "+1";
    EXPECT_EQ(EvaluateExpression(vars, chain.c_str(), out), ExprError::kNone);
    EXPECT_EQ(out, 201);
    std::string huge = "1";
    for (int i = 0; i < 5000; ++i) huge += "+1";
    EXPECT_EQ(EvaluateExpression(vars, huge.c_str(), out), ExprError::kTooComplex);
}

TEST(Expression, ExpandsVariables)
{
    struct Case { const char* text; ExprError error; const char* out; } cases[] = {
        {"$$HOME", ExprError::kNone, "$HOME"},
        {"$HOME/x", ExprError::kNone, "/home/u/x"},
        {"${HOME}x", ExprError::kNone, "/home/ux"},
        {"${a b}", ExprError::kBadName, ""},
        {"${a", ExprError::kBadName, ""},
        {"$5", ExprError::kNone, "$5"},
        {"cost $", ExprError::kNone, "cost $"},
        {"$nope", ExprError::kUnknown, ""},
        {"$s\\disk", ExprError::kNone, "C:\\src\\disk"},
        {"$a.", ExprError::kNone, "text-a."},
    };
    Vars vars;
    for (const Case& c : cases) {
        char out[64] = "junk";
        EXPECT_EQ(ExpandVariables(vars, c.text, out, sizeof out, "C:\\src"), c.error) << c.text;
        EXPECT_STREQ(out, c.out) << c.text;
    }
}

TEST(Expression, ExpansionNeverOverrunsItsBuffer)
{
    Vars vars;
    std::string long255(255, 'x'), long256(256, 'x');
    char* home = vars.StringVariable("HOME", false);
    EXPECT_TRUE(SetVariableText(home, long255.c_str()));
    EXPECT_FALSE(SetVariableText(home, long256.c_str()));
    EXPECT_EQ(std::string(home), long255);

    char out[300];
    EXPECT_EQ(ExpandVariables(vars, "$HOME", out, 256), ExprError::kNone);
    EXPECT_EQ(ExpandVariables(vars, "$HOME!", out, 256), ExprError::kTooLong);
    EXPECT_STREQ(out, "");
    char small[4];
    EXPECT_EQ(ExpandVariables(vars, "abc", small, sizeof small), ExprError::kNone);
    EXPECT_EQ(ExpandVariables(vars, "abcd", small, sizeof small), ExprError::kTooLong);
    EXPECT_EQ(ExpandVariables(vars, "$$$$", small, sizeof small), ExprError::kNone);
    EXPECT_STREQ(small, "$$");
}

TEST(Expression, VariablesAreKeyedByNameAndKind)
{
    VariableList vars;
    EXPECT_EQ(vars.IntVariable("x", false), nullptr);
    int* i = vars.IntVariable("x", true);
    char* s = vars.StringVariable("x", true);
    ASSERT_TRUE(i && s);
    EXPECT_EQ(*i, 0);
    EXPECT_STREQ(s, "");
    EXPECT_EQ(vars.IntVariable("x", true), i);
    EXPECT_EQ(vars.IntVariable("X", false), nullptr);
    EXPECT_EQ(vars.IntVariable("bad name", true), nullptr);
    EXPECT_EQ(vars.Count(), 2);
}

} // namespace
