#include "platform/base/CPtrList.h"
#include "platform/base/CStringArray.h"

#include <gtest/gtest.h>
#include <list>
#include <random>
#include <vector>

namespace {

std::vector<void*> Walk(const CPtrList& list)
{
    std::vector<void*> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back(list.GetNext(pos));
    return out;
}

std::vector<void*> WalkBack(const CPtrList& list)
{
    std::vector<void*> out;
    for (POSITION pos = list.GetTailPosition(); pos;)
        out.push_back(list.GetPrev(pos));
    return out;
}

void* P(std::intptr_t v)
{
    return reinterpret_cast<void*>(v);
}

} // namespace

TEST(CStringArray, GrowsInsertsAndRemoves)
{
    CStringArray a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetUpperBound(), -1);
    EXPECT_EQ(a.Add("zero"), 0);
    EXPECT_EQ(a.Add("one"), 1);
    EXPECT_EQ(a.Add(CString("two")), 2);
    EXPECT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a.GetAt(1), "one");
    EXPECT_EQ(a[2], "two");

    a.SetAt(0, "ZERO");
    a[1] = "ONE";
    a.ElementAt(2) += "!";
    EXPECT_EQ(a.GetAt(0), "ZERO");
    EXPECT_EQ(a.GetAt(1), "ONE");
    EXPECT_EQ(a.GetAt(2), "two!");

    a.InsertAt(1, "ins", 2);
    EXPECT_EQ(a.GetSize(), 5);
    EXPECT_EQ(a[0], "ZERO");
    EXPECT_EQ(a[1], "ins");
    EXPECT_EQ(a[2], "ins");
    EXPECT_EQ(a[3], "ONE");
    a.InsertAt(7, "far"); // past the end: the gap fills with empty strings
    EXPECT_EQ(a.GetSize(), 8);
    EXPECT_TRUE(a[5].IsEmpty());
    EXPECT_TRUE(a[6].IsEmpty());
    EXPECT_EQ(a[7], "far");
    a.InsertAt(0, a[3]); // inserting one of its own elements
    EXPECT_EQ(a[0], "ONE");
    EXPECT_EQ(a[4], "ONE");
    EXPECT_EQ(a.GetSize(), 9);

    a.RemoveAt(1, 3); // ZERO ins ins go
    EXPECT_EQ(a.GetSize(), 6);
    EXPECT_EQ(a[0], "ONE");
    EXPECT_EQ(a[1], "ONE");
    EXPECT_EQ(a[2], "two!");
    a.RemoveAt(4, 100); // clamps at the end
    EXPECT_EQ(a.GetSize(), 4);
    a.RemoveAt(-1);
    a.RemoveAt(10);
    a.RemoveAt(0, 0);
    EXPECT_EQ(a.GetSize(), 4);

    a.SetSize(2);
    EXPECT_EQ(a.GetSize(), 2);
    EXPECT_EQ(a[1], "ONE");
    a.SetSize(4);
    EXPECT_TRUE(a[3].IsEmpty());
    a.SetSize(-5);
    EXPECT_EQ(a.GetSize(), 0);
    a.SetAtGrow(2, "grown");
    EXPECT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a[2], "grown");
    a.FreeExtra();
    a.RemoveAll();
    EXPECT_EQ(a.GetSize(), 0);
}

TEST(CStringArray, BadIndexesTouchNothing)
{
    CStringArray a;
    a.Add("only");
    EXPECT_TRUE(a.GetAt(-1).IsEmpty());
    EXPECT_TRUE(a.GetAt(1).IsEmpty());
    a.SetAt(5, "x");
    a.SetAt(-5, "x");
    a.ElementAt(9) = "dropped";
    a[-1] = "dropped";
    EXPECT_TRUE(a.ElementAt(9).IsEmpty()); // the spare does not keep old writes
    a.InsertAt(-1, "x");
    a.InsertAt(0, "x", -2);
    a.InsertAt(0, static_cast<const CStringArray*>(nullptr));
    a.SetAtGrow(-1, "x");
    EXPECT_EQ(a.GetSize(), 1);
    EXPECT_EQ(a[0], "only");
}

TEST(CStringArray, CopyAppendAndSharing)
{
    CStringArray a;
    a.Add("x");
    a.Add("y");
    EXPECT_EQ(a.Append(a), 2); // appending itself doubles it
    ASSERT_EQ(a.GetSize(), 4);
    EXPECT_EQ(a[2], "x");
    EXPECT_EQ(a[3], "y");

    CStringArray b;
    b.Copy(a);
    EXPECT_EQ(b.GetSize(), 4);
    EXPECT_TRUE(b.GetData()[0].SharesBufferWith(a.GetData()[0])); // elements share, no text copied
    b[0] = "changed";
    EXPECT_EQ(a[0], "x");
    b.Copy(b);
    EXPECT_EQ(b.GetSize(), 4);

    b.InsertAt(1, &b); // inserting itself
    ASSERT_EQ(b.GetSize(), 8);
    EXPECT_EQ(b[0], "changed");
    EXPECT_EQ(b[1], "changed");
    EXPECT_EQ(b[4], "y");
    EXPECT_EQ(b[5], "y");
}

TEST(CPtrList, AddRemoveAndWalk)
{
    CPtrList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.RemoveHead(), nullptr);
    EXPECT_EQ(list.RemoveTail(), nullptr);
    EXPECT_EQ(list.GetHead(), nullptr);
    list.GetTail() = P(99); // the spare on an empty list
    EXPECT_EQ(list.GetTail(), nullptr);

    list.AddTail(P(2));
    list.AddTail(P(3));
    POSITION one = list.AddHead(P(1));
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(Walk(list), (std::vector<void*>{P(1), P(2), P(3)}));
    EXPECT_EQ(WalkBack(list), (std::vector<void*>{P(3), P(2), P(1)}));
    EXPECT_EQ(list.GetAt(one), P(1));
    EXPECT_EQ(list.GetHead(), P(1));
    EXPECT_EQ(list.GetTail(), P(3));

    POSITION two = list.Find(P(2));
    ASSERT_NE(two, nullptr);
    list.InsertBefore(two, P(15));
    list.InsertAfter(two, P(25));
    list.InsertAfter(list.GetTailPosition(), P(4));
    list.InsertBefore(list.GetHeadPosition(), P(0));
    list.InsertBefore(nullptr, P(-1));
    list.InsertAfter(nullptr, P(5));
    EXPECT_EQ(Walk(list), (std::vector<void*>{P(-1), P(0), P(1), P(15), P(2), P(25), P(3), P(4), P(5)}));
    EXPECT_EQ(WalkBack(list).front(), P(5));

    list.SetAt(two, P(20));
    list.GetAt(one) = P(10);
    EXPECT_EQ(list.GetAt(list.FindIndex(4)), P(20));
    EXPECT_EQ(list.FindIndex(9), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);

    // Find continues after a position and finds repeats.
    list.AddTail(P(20));
    POSITION first = list.Find(P(20));
    POSITION second = list.Find(P(20), first);
    EXPECT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(list.Find(P(20), second), nullptr);
    EXPECT_EQ(list.Find(P(77)), nullptr);

    // Remove head, tail and middle while walking.
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        POSITION here = pos;
        void* v = list.GetNext(pos);
        if (reinterpret_cast<std::intptr_t>(v) % 2 == 0) list.RemoveAt(here);
    }
    EXPECT_EQ(Walk(list), (std::vector<void*>{P(-1), P(15), P(25), P(3), P(5)}));
    EXPECT_EQ(WalkBack(list), (std::vector<void*>{P(5), P(3), P(25), P(15), P(-1)}));
    EXPECT_EQ(list.RemoveHead(), P(-1));
    EXPECT_EQ(list.RemoveTail(), P(5));
    EXPECT_EQ(list.GetCount(), 3);
    list.RemoveAt(nullptr);
    EXPECT_EQ(list.GetCount(), 3);

    POSITION none = nullptr;
    EXPECT_EQ(list.GetNext(none), nullptr);
    EXPECT_EQ(list.GetPrev(none), nullptr);
    EXPECT_EQ(list.GetAt(nullptr), nullptr);
    list.SetAt(nullptr, P(1));

    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    list.AddTail(P(8)); // usable again after RemoveAll
    EXPECT_EQ(Walk(list), std::vector<void*>{P(8)});
}

TEST(CPtrList, AddListsIncludingItself)
{
    CPtrList a, b;
    a.AddTail(P(1));
    a.AddTail(P(2));
    b.AddTail(P(3));
    b.AddHead(&a);
    EXPECT_EQ(Walk(b), (std::vector<void*>{P(1), P(2), P(3)}));
    b.AddTail(&a);
    EXPECT_EQ(Walk(b), (std::vector<void*>{P(1), P(2), P(3), P(1), P(2)}));
    a.AddTail(&a);
    EXPECT_EQ(Walk(a), (std::vector<void*>{P(1), P(2), P(1), P(2)}));
    a.AddHead(&a);
    EXPECT_EQ(a.GetCount(), 8);
    EXPECT_EQ(Walk(a), (std::vector<void*>{P(1), P(2), P(1), P(2), P(1), P(2), P(1), P(2)}));
    a.AddTail(static_cast<const CPtrList*>(nullptr));
    EXPECT_EQ(a.GetCount(), 8);
}

TEST(CPtrList, MatchesAReferenceListUnderRandomOperations)
{
    CPtrList list(3); // small blocks: nodes are reused and blocks handed back often
    std::list<void*> model;
    std::mt19937 rng(7);
    for (int step = 0; step < 20000; ++step) {
        void* v = P(static_cast<std::intptr_t>(rng() % 50));
        switch (rng() % 6) {
        case 0:
            list.AddHead(v);
            model.push_front(v);
            break;
        case 1:
            list.AddTail(v);
            model.push_back(v);
            break;
        case 2:
            EXPECT_EQ(list.RemoveHead(), model.empty() ? nullptr : model.front());
            if (!model.empty()) model.pop_front();
            break;
        case 3:
            EXPECT_EQ(list.RemoveTail(), model.empty() ? nullptr : model.back());
            if (!model.empty()) model.pop_back();
            break;
        case 4: {
            POSITION pos = list.Find(v);
            auto it = std::find(model.begin(), model.end(), v);
            ASSERT_EQ(pos == nullptr, it == model.end());
            if (pos) {
                list.RemoveAt(pos);
                model.erase(it);
            }
            break;
        }
        default: {
            POSITION pos = list.Find(v);
            auto it = std::find(model.begin(), model.end(), v);
            list.InsertAfter(pos, P(100));
            model.insert(it == model.end() ? it : std::next(it), P(100));
            break;
        }
        }
        ASSERT_EQ(list.GetCount(), static_cast<INT_PTR>(model.size()));
    }
    EXPECT_EQ(Walk(list), std::vector<void*>(model.begin(), model.end()));
    std::vector<void*> back(model.rbegin(), model.rend());
    EXPECT_EQ(WalkBack(list), back);
}
