// Strings, the linked list, check failures and their report channel, resource strings, the
// message loop and the owner-window stack.
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/RootFixture.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/HeapString.h"
#include "installer/support/LinkedList.h"
#include "installer/support/MessageLoop.h"
#include "installer/support/ResString.h"
#include "installer/support/WindowStack.h"

#include <QTimer>

#include <string>
#include <vector>

using namespace kw;

namespace {

TEST(HeapString, EmptyStringsShareOneTextAndFailuresKeepTheOldText)
{
    HeapString missing(987654); // no such resource
    EXPECT_TRUE(missing.IsEmpty());
    EXPECT_TRUE(missing.SharesEmptyText());
    HeapString s("abc");
    EXPECT_TRUE(s.Assign(nullptr));
    EXPECT_TRUE(s.SharesEmptyText());

    s.Assign("keep");
    HeapString::FailAllocationsForTest(true);
    EXPECT_FALSE(s.Assign("other"));
    EXPECT_FALSE(s.Append("more"));
    EXPECT_FALSE(s.Reserve(10));
    HeapString::FailAllocationsForTest(false);
    EXPECT_STREQ(s.Text(), "keep");

    EXPECT_TRUE(s.Append("er"));
    EXPECT_STREQ(s.Text(), "keeper");
    EXPECT_EQ(s.Length(), 6);
    HeapString copy;
    EXPECT_TRUE(copy.AssignFrom(s));
    EXPECT_STREQ(copy.Text(), "keeper");
    char* owned = copy.Detach();
    EXPECT_EQ(copy.Length(), 0);
    EXPECT_STREQ(copy.Text(), "");
    copy.Adopt(owned);
    EXPECT_STREQ(copy.Text(), "keeper");

    EXPECT_TRUE(HeapString(" \t\r\n\v\f").IsBlank());
    EXPECT_FALSE(HeapString(" x ").IsBlank());
}

TEST(HeapString, FormatRefusesATextLongerThanItsBuffer)
{
    fw::ScriptedMessageBoxes boxes;
    HeapString s;
    EXPECT_TRUE(s.Format("%s-%d", "n", 7));
    EXPECT_STREQ(s.Text(), "n-7");
    std::string big(1100, 'x');
    EXPECT_FALSE(s.Format("%s", big.c_str()));
    EXPECT_STREQ(s.Text(), "n-7");
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_NE(boxes.Last().text.find("Check failed at line"), std::string::npos);
}

struct Item : ListNode {
    explicit Item(char n) : name(n) {}
    char name;
};

std::string Names(const LinkedList& list)
{
    std::string s;
    for (ListNode* n = list.First(); n; n = n->next) s += static_cast<Item*>(n)->name;
    return s;
}

TEST(LinkedList, MovesAndIndexes)
{
    fw::ScriptedMessageBoxes boxes;
    struct Case { int from, to; const char* result; } cases[] = {
        {2, 3, "ABCD"}, {2, 2, "ABCD"}, {0, 3, "BCAD"}, {0, 4, "BCDA"}, {3, 0, "DABC"}, {3, 1, "ADBC"},
    };
    for (const Case& c : cases) {
        Item a('A'), b('B'), cc('C'), d('D');
        LinkedList list;
        for (Item* i : {&a, &b, &cc, &d}) list.Append(i);
        EXPECT_TRUE(list.Move(c.from, c.to));
        EXPECT_EQ(Names(list), c.result) << c.from << "->" << c.to;
    }
    EXPECT_EQ(boxes.Count(), 0);

    Item a('A'), b('B'), c('C'), d('D'), e('E'), f('F'), stray('X');
    LinkedList list;
    for (Item* i : {&a, &b, &c, &d}) list.Append(i);
    list.InsertAt(0, &e);
    list.InsertAt(5, &f);
    EXPECT_EQ(Names(list), "EABCDF");
    EXPECT_EQ(list.IndexOf(&c), 3);
    list.RemoveAt(0);
    list.RemoveAfter(&d);
    EXPECT_EQ(Names(list), "ABCD");
    EXPECT_EQ(e.next, nullptr);
    EXPECT_EQ(list.Count(), 4);
    list.RemoveAfter(&d); // after the last node: nothing
    EXPECT_EQ(list.Count(), 4);

    EXPECT_EQ(list.IndexOf(&stray), -1);
    EXPECT_EQ(list.At(9), nullptr);
    EXPECT_EQ(boxes.Count(), 3); // one for the absent node, two for the index past the end

    int picks[] = {3, 1, -1}; // D and B, to the front in that order
    EXPECT_TRUE(list.MoveIndexedItems(picks, 0));
    EXPECT_EQ(Names(list), "DBAC");
    int later[] = {0, 2, -1}; // D and A before the end
    EXPECT_TRUE(list.MoveIndexedItems(later, 4));
    EXPECT_EQ(Names(list), "BCDA");

    LinkedList other;
    other.Swap(list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(Names(other), "BCDA");

    struct Stopper : ListVisitor {
        std::string seen;
        bool Visit(ListNode* n) override
        {
            seen += static_cast<Item*>(n)->name;
            return seen.size() < 2;
        }
    } stopper;
    EXPECT_FALSE(other.ForEach(stopper));
    EXPECT_EQ(stopper.seen, "BC");
}

class Reporting : public RootFixture {};

TEST_F(Reporting, ChecksGoToAnErrorBoxOrToTheTraceFile)
{
    fw::ScriptedMessageBoxes boxes;
    CheckFailed("SLLIST", 40, true);
    EXPECT_EQ(boxes.Count(), 0);
    CheckFailed("SLLIST", 40, false);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "Check failed at line 40 in file SLLIST");
    EXPECT_EQ(boxes.Last().title, "Error"); // no caption: the platform's own
    EXPECT_EQ(boxes.Last().style & 0xF0, fw::MB_ICONERROR);

    SetTraceFile("c:\\trace.log");
    CheckFailed("SLLIST", 40, false);
    Report("second %d", 2);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(Read("trace.log"), "Check failed at line 40 in file SLLIST\nsecond 2\n");
}

TEST(ResString, OwnTableLanguageLibraryAndMissingIds)
{
    static const ResStringEntry table[] = {{501, "Unable to open %s"}};
    RegisterOwnStrings(table, 1);
    char buffer[kResStringSize];
    LoadResString(buffer, 501);
    EXPECT_STREQ(buffer, "Unable to open %s");
    EXPECT_STREQ(HeapString(501).Text(), "Unable to open %s");
    LoadResString(buffer, 502);
    EXPECT_STREQ(buffer, "NO SUCH STRING!!!");

    std::string longText(400, 'y');
    SetLanguageStringLoader([&](int id, char* out, int size) {
        if (id != 7) return false;
        std::snprintf(out, static_cast<size_t>(size), "%s", longText.c_str());
        return true;
    });
    LoadResString(buffer, 7);
    EXPECT_EQ(std::string(buffer), longText.substr(0, kResStringSize - 1));
    LoadResString(buffer, 501); // a string the library lacks comes from the own table
    EXPECT_STREQ(buffer, "Unable to open %s");
    LoadResString(buffer, 502);
    EXPECT_STREQ(buffer, "NO SUCH STRING!!!");
    SetLanguageStringLoader(nullptr);
}

TEST(MessageLoop, CapacitiesAndPumping)
{
    std::vector<QWidget*> w;
    for (int i = 1; i <= 21; ++i) w.push_back(reinterpret_cast<QWidget*>(static_cast<intptr_t>(i * 16)));
    MessageLoop& loop = MessageLoop::Instance();
    WindowStack& stack = WindowStack::Instance();
    for (QWidget* x : w) {
        loop.AddModeless(x);
        stack.Push(x);
    }
    EXPECT_EQ(loop.ModelessCount(), 20);
    EXPECT_EQ(stack.Depth(), 20);
    EXPECT_EQ(stack.Top(), w[19]);
    loop.RemoveModeless(w[0]);
    EXPECT_EQ(loop.ModelessAt(0), w[1]);
    EXPECT_EQ(loop.ModelessCount(), 19);
    for (QWidget* x : w) loop.RemoveModeless(x);
    while (stack.Depth()) stack.Pop();
    EXPECT_EQ(stack.Top(), nullptr);

    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    EXPECT_TRUE(loop.Pump(true));
    EXPECT_TRUE(fired);
}

} // namespace
