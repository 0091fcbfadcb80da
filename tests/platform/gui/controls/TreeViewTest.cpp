// The tree view driven by the mouse and keys: expanding and collapsing (with the events that may refuse
// it), selection changes, deletion announcements, items changed by hand through the window's messages,
// pictures, and the window's answers to handles of no item.

#include "platform/gdiplus/ImageList.h"
#include "platform/gui/controls/TreeView.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/TreeViewMessages.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/core/DrawingChecks.h"

#include <string>
#include <vector>

namespace guitest {
namespace {

class TreeViewTest : public ControlsTest {
public:
    void Changing(classes::TObject*, gui::TTreeNode* node, bool& allow)
    {
        events.push_back("changing " + Name(node));
        allow = !refuseChange;
    }
    void Changed(classes::TObject*, gui::TTreeNode* node) { events.push_back("change " + Name(node)); }
    void Expanding(classes::TObject*, gui::TTreeNode* node, bool& allow)
    {
        events.push_back("expanding " + Name(node));
        allow = !refuseExpand;
    }
    void Expanded(classes::TObject*, gui::TTreeNode* node) { events.push_back("expanded " + Name(node)); }
    void Collapsing(classes::TObject*, gui::TTreeNode* node, bool&) { events.push_back("collapsing " + Name(node)); }
    void Collapsed(classes::TObject*, gui::TTreeNode* node) { events.push_back("collapsed " + Name(node)); }
    void Deleted(classes::TObject*, gui::TTreeNode* node) { events.push_back("deletion " + Name(node)); }

protected:
    static std::string Name(gui::TTreeNode* node) { return node ? node->Text() : "nil"; }

    // Root "A" (children "A1", "A2" with "A2x"), root "B", root "C" (child "C1").
    gui::TTreeView* MakeTree(bool show = true)
    {
        form = MakeForm();
        tree = Make<gui::TTreeView>(form, "Tree", 10, 10, 200, 200);
        gui::TTreeNodes* items = tree->Items();
        a = items->Add(nullptr, "A");
        items->AddChild(a, "A1");
        a2 = items->AddChild(a, "A2");
        items->AddChild(a2, "A2x");
        b = items->Add(nullptr, "B");
        c = items->Add(nullptr, "C");
        items->AddChild(c, "C1");
        tree->OnChanging = gui::TTVChangingEvent::Of<&TreeViewTest::Changing>(this);
        tree->OnChange = gui::TTVChangedEvent::Of<&TreeViewTest::Changed>(this);
        tree->OnExpanding = gui::TTVExpandingEvent::Of<&TreeViewTest::Expanding>(this);
        tree->OnExpanded = gui::TTVExpandedEvent::Of<&TreeViewTest::Expanded>(this);
        tree->OnCollapsing = gui::TTVCollapsingEvent::Of<&TreeViewTest::Collapsing>(this);
        tree->OnCollapsed = gui::TTVExpandedEvent::Of<&TreeViewTest::Collapsed>(this);
        tree->OnDeletion = gui::TTVExpandedEvent::Of<&TreeViewTest::Deleted>(this);
        if (show) {
            form->Show();
            driver.Pump();
            tree->SetFocus();
            driver.Pump();
        }
        return tree;
    }
    // The texts of the rows shown, top to bottom, read through the window's own item walk.
    std::vector<std::string> VisibleRows() const
    {
        std::vector<std::string> rows;
        const win::HWND hwnd = tree->Handle();
        auto item = reinterpret_cast<win::HTREEITEM>(win::SendMessage(hwnd, win::TVM_GETNEXTITEM, win::TVGN_ROOT, 0));
        while (item) {
            rows.push_back(Name(tree->NodeFromItem(item)));
            item = reinterpret_cast<win::HTREEITEM>(
                    win::SendMessage(hwnd, win::TVM_GETNEXTITEM, win::TVGN_NEXTVISIBLE, reinterpret_cast<win::LPARAM>(item)));
        }
        return rows;
    }
    void ClickAt(int x, int y)
    {
        driver.Click(tree->Handle(), win::TestDriver::Button::Left, x, y);
        driver.Pump();
    }
    // The middle of a node's plus/minus box: half an indent left of where its picture starts.
    win::POINT ButtonOf(gui::TTreeNode* node) const
    {
        const win::RECT label = node->DisplayRect(true);
        return {int(label.left) - tree->Indent() / 2, int(label.top + label.bottom) / 2};
    }

    gui::TForm* form = nullptr;
    gui::TTreeView* tree = nullptr;
    gui::TTreeNode* a = nullptr;
    gui::TTreeNode* a2 = nullptr;
    gui::TTreeNode* b = nullptr;
    gui::TTreeNode* c = nullptr;
    std::vector<std::string> events;
    bool refuseChange = false;
    bool refuseExpand = false;
};

using Rows = std::vector<std::string>;
using Events = std::vector<std::string>;

TEST_F(TreeViewTest, TheNodesListInDepthFirstOrderWithTheirLevelsAndOutOfRangeIndexesRaise)
{
    MakeTree(false);
    gui::TTreeNodes* items = tree->Items();
    items->AddChildFirst(a, "A0");
    items->Insert(b, "AB");
    items->AddFirst(b, "First");
    const std::vector<std::pair<std::string, int>> expected{{"First", 0}, {"A", 0},   {"A0", 1}, {"A1", 1},
                                                            {"A2", 1},    {"A2x", 2}, {"AB", 0}, {"B", 0},
                                                            {"C", 0},     {"C1", 1}};
    ASSERT_EQ(items->Count(), int(expected.size()));
    for (int i = 0; i < items->Count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items->Item(i)->Text(), expected[std::size_t(i)].first);
        EXPECT_EQ(items->Item(i)->Level(), expected[std::size_t(i)].second);
        EXPECT_EQ(items->Item(i)->AbsoluteIndex(), i);
    }
    EXPECT_EQ(a->Count(), 3);
    EXPECT_EQ(a->Item(2), a2);
    EXPECT_EQ(a2->Parent(), a);
    EXPECT_EQ(a2->getPrevSibling()->Text(), "A1");
    EXPECT_EQ(a->getNextSibling()->Text(), "AB");
    EXPECT_TRUE(a->HasChildren());
    EXPECT_FALSE(b->HasChildren());
    for (int bad : {-1, items->Count()}) {
        EXPECT_THROW(items->Item(bad), rtl::EListError);
    }
    try {
        a->Item(3);
        FAIL();
    } catch (const rtl::EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (3)");
    }
    // The same tree once the window exists: the window's own walk agrees.
    form->Show();
    driver.Pump();
    a->Expand(true);
    EXPECT_EQ(VisibleRows(), (Rows{"First", "A", "A0", "A1", "A2", "A2x", "AB", "B", "C"}));
    EXPECT_EQ(win::SendMessage(tree->Handle(), win::TVM_GETCOUNT, 0, 0), 10);
}

TEST_F(TreeViewTest, ClicksOnTheButtonsAndDoubleClicksExpandAndCollapseWithTheirEvents)
{
    MakeTree();
    EXPECT_EQ(VisibleRows(), (Rows{"A", "B", "C"}));
    ClickAt(ButtonOf(a).x, ButtonOf(a).y);
    EXPECT_EQ(VisibleRows(), (Rows{"A", "A1", "A2", "B", "C"}));
    EXPECT_TRUE(a->Expanded());
    EXPECT_EQ(events, (Events{"expanding A", "expanded A"}));
    // A click on the button selects nothing.
    EXPECT_EQ(tree->Selected(), nullptr);

    events.clear();
    ClickAt(ButtonOf(a).x, ButtonOf(a).y);
    EXPECT_EQ(VisibleRows(), (Rows{"A", "B", "C"}));
    EXPECT_EQ(events, (Events{"collapsing A", "collapsed A"}));

    // A refused expansion leaves the branch closed.
    events.clear();
    refuseExpand = true;
    ClickAt(ButtonOf(c).x, ButtonOf(c).y);
    EXPECT_FALSE(c->Expanded());
    EXPECT_EQ(events, (Events{"expanding C"}));
    refuseExpand = false;

    // A double click on the label selects the node and toggles it.
    events.clear();
    const win::RECT label = c->DisplayRect(true);
    ClickAt(int(label.left) + 3, int(label.top) + 3);
    ClickAt(int(label.left) + 3, int(label.top) + 3);
    EXPECT_TRUE(c->Selected());
    EXPECT_TRUE(c->Expanded());
    EXPECT_EQ(events, (Events{"changing C", "change C", "expanding C", "expanded C"}));
    // A node without children has no button to click.
    EXPECT_EQ(tree->GetHitTestInfoAt(ButtonOf(b).x, ButtonOf(b).y), gui::THitTests(1u << gui::htOnIndent));
}

TEST_F(TreeViewTest, KeysMoveTheSelectionAndExpandOrCollapse)
{
    MakeTree();
    struct Step {
        win::UINT key;
        const char* selected;
        Rows rows;
    };
    const std::vector<Step> steps{
            {win::VK_DOWN, "A", {"A", "B", "C"}},                  // no selection yet: the first row
            {win::VK_RIGHT, "A", {"A", "A1", "A2", "B", "C"}},     // expands
            {win::VK_RIGHT, "A1", {"A", "A1", "A2", "B", "C"}},    // then goes to the first child
            {win::VK_DOWN, "A2", {"A", "A1", "A2", "B", "C"}},
            {win::VK_ADD, "A2", {"A", "A1", "A2", "A2x", "B", "C"}},
            {win::VK_END, "C", {"A", "A1", "A2", "A2x", "B", "C"}},
            {win::VK_UP, "B", {"A", "A1", "A2", "A2x", "B", "C"}},
            {win::VK_HOME, "A", {"A", "A1", "A2", "A2x", "B", "C"}},
            {win::VK_SUBTRACT, "A", {"A", "B", "C"}},
            {win::VK_MULTIPLY, "A", {"A", "A1", "A2", "A2x", "B", "C"}},  // the whole branch
            {win::VK_LEFT, "A", {"A", "B", "C"}},                          // collapses
            {win::VK_NEXT, "C", {"A", "B", "C"}},
            {win::VK_PRIOR, "A", {"A", "B", "C"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.key);
        Press(step.key);
        EXPECT_EQ(Name(tree->Selected()), step.selected);
        EXPECT_EQ(VisibleRows(), step.rows);
    }
    // Left on a collapsed child goes to its parent.
    a->Expand(false);
    a->Item(0)->SetSelected(true);
    Press(win::VK_LEFT);
    EXPECT_EQ(tree->Selected(), a);
}

TEST_F(TreeViewTest, SelectionChangesAskOnChangingFromCodeAndUserAndACollapseMovesItUp)
{
    MakeTree();
    b->SetSelected(true);
    EXPECT_EQ(events, (Events{"changing B", "change B"}));

    events.clear();
    refuseChange = true;
    Press(win::VK_DOWN);
    tree->SetSelected(a);
    EXPECT_EQ(tree->Selected(), b);
    EXPECT_EQ(events, (Events{"changing C", "changing A"}));
    refuseChange = false;

    // The selection hidden by a collapse moves to the collapsed node.
    a->Expand(true);
    tree->Items()->Item(3)->SetSelected(true);  // A2x
    events.clear();
    a->Collapse(false);
    EXPECT_EQ(tree->Selected(), a);
    EXPECT_EQ(events, (Events{"collapsing A", "changing A", "change A", "collapsed A"}));
}

TEST_F(TreeViewTest, EveryDeletedNodeIsAnnouncedChildrenFirstWhateverDeletesIt)
{
    MakeTree();
    a->Expand(true);
    a2->SetSelected(true);
    events.clear();
    a->Delete();
    EXPECT_EQ(events, (Events{"deletion A2x", "deletion A2", "deletion A1", "deletion A", "changing B", "change B"}));
    EXPECT_EQ(tree->Items()->Count(), 3);

    // An item deleted by hand through the window takes its node along.
    events.clear();
    win::SendMessage(tree->Handle(), win::TVM_DELETEITEM, 0, reinterpret_cast<win::LPARAM>(c->ItemId()));
    EXPECT_EQ(events, (Events{"deletion C1", "deletion C"}));
    EXPECT_EQ(tree->Items()->Count(), 1);
    EXPECT_EQ(VisibleRows(), (Rows{"B"}));

    // Clear announces the rest; the same without a window.
    events.clear();
    tree->Items()->Clear();
    EXPECT_EQ(events, (Events{"deletion B"}));
    EXPECT_EQ(tree->Items()->GetFirstNode(), nullptr);

    auto* other = new gui::TTreeView(form);
    other->OnDeletion = gui::TTVExpandedEvent::Of<&TreeViewTest::Deleted>(this);
    gui::TTreeNode* root = other->Items()->Add(nullptr, "R");
    other->Items()->AddChild(other->Items()->AddChild(root, "R1"), "R1a");
    events.clear();
    other->Items()->Clear();
    EXPECT_EQ(events, (Events{"deletion R1a", "deletion R1", "deletion R"}));
}

TEST_F(TreeViewTest, ANodeDeletedInItsOwnDeletionHandlerIsNotFreedTwice)
{
    MakeTree();
    struct SelfDeleting {
        void Deleted(classes::TObject*, gui::TTreeNode* node)
        {
            ++count;
            node->Delete();
            if (node->Parent()) {
                node->Parent()->Delete();  // the parent goes next anyway
            }
        }
        int count = 0;
    } handler;
    tree->OnDeletion = gui::TTVExpandedEvent::Of<&SelfDeleting::Deleted>(&handler);
    a->Delete();
    EXPECT_EQ(handler.count, 4);
    EXPECT_EQ(tree->Items()->Count(), 3);
    EXPECT_EQ(VisibleRows(), (Rows{"B", "C"}));
}

TEST_F(TreeViewTest, ANodeFreedWhenItIsChosenLeavesTheChoiceToItsNeighbour)
{
    MakeTree();
    struct Freeing {
        void Changed(classes::TObject*, gui::TTreeNode* node)
        {
            seen.push_back(node ? node->Text() : "nil");
            if (node && node->Text() == "B") {
                node->Delete();
            }
        }
        std::vector<std::string> seen;
    } freeing;
    tree->OnChange = gui::TTVChangedEvent::Of<&Freeing::Changed>(&freeing);
    const win::RECT label = b->DisplayRect(true);
    ClickAt(int(label.left) + 2, int(label.top) + 2);
    EXPECT_EQ(freeing.seen, (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(Name(tree->Selected()), "C");
    EXPECT_EQ(VisibleRows(), (Rows{"A", "C"}));
    ClickAt(int(label.left) + 2, int(label.top) + 2);  // C now stands there
    EXPECT_EQ(Name(tree->Selected()), "C");
}

TEST_F(TreeViewTest, MakeVisibleScrollsAndOpensAndTopItemFollows)
{
    MakeTree();
    for (int i = 0; i < 30; ++i) {
        tree->Items()->AddChild(b, "B" + std::to_string(i));
    }
    gui::TTreeNode* last = b->GetLastChild();
    EXPECT_EQ(last->DisplayRect(false), win::RECT{}) << "hidden in a closed branch";
    last->MakeVisible();
    EXPECT_TRUE(b->Expanded());
    const win::RECT row = last->DisplayRect(false);
    win::RECT client{};
    win::GetClientRect(tree->Handle(), &client);
    EXPECT_GE(row.top, 0);
    EXPECT_LE(row.bottom, client.bottom);
    EXPECT_NE(tree->TopItem(), a);
    tree->SetTopItem(a2);
    EXPECT_EQ(tree->TopItem(), a2) << "its parent opened for it";
    EXPECT_TRUE(a->Expanded());
    EXPECT_EQ(a2->DisplayRect(false).top, 0);
    driver.Wheel(tree->Handle(), -120, 20, 20);
    driver.Pump();
    EXPECT_EQ(tree->TopItem(), b->Item(1)) << "three lines down past B and B0";
}

TEST_F(TreeViewTest, TheWindowAnswersNothingForHandlesOfNoItem)
{
    MakeTree();
    const win::HWND hwnd = tree->Handle();
    const win::HTREEITEM gone = b->ItemId();
    b->Delete();
    const auto made_up = reinterpret_cast<win::HTREEITEM>(win::UINT_PTR(0x7777));
    char text[16] = "unchanged";
    win::TVITEM item;
    item.mask = win::TVIF_TEXT | win::TVIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    win::RECT rect{};
    win::TVINSERTSTRUCT insert;
    insert.item.mask = win::TVIF_TEXT;
    insert.item.pszText = text;
    struct Case {
        win::UINT message;
        win::WPARAM wParam;
        win::HTREEITEM handle;
        const char* what;
    };
    for (win::HTREEITEM bad : {gone, made_up}) {
        const std::vector<Case> cases{
                {win::TVM_DELETEITEM, 0, bad, "delete"},
                {win::TVM_EXPAND, win::TVE_EXPAND, bad, "expand"},
                {win::TVM_GETNEXTITEM, win::TVGN_NEXT, bad, "next"},
                {win::TVM_GETNEXTITEM, win::TVGN_PARENT, bad, "parent"},
                {win::TVM_GETNEXTITEM, win::TVGN_CHILD, bad, "child"},
                {win::TVM_GETNEXTITEM, win::TVGN_NEXTVISIBLE, bad, "next visible"},
                {win::TVM_SELECTITEM, win::TVGN_CARET, bad, "select"},
                {win::TVM_ENSUREVISIBLE, 0, bad, "ensure visible"},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            EXPECT_EQ(win::SendMessage(hwnd, c.message, c.wParam, reinterpret_cast<win::LPARAM>(c.handle)), 0);
        }
        item.hItem = bad;
        EXPECT_EQ(win::SendMessage(hwnd, win::TVM_GETITEM, 0, reinterpret_cast<win::LPARAM>(&item)), 0);
        EXPECT_STREQ(text, "unchanged");
        EXPECT_EQ(win::SendMessage(hwnd, win::TVM_SETITEM, 0, reinterpret_cast<win::LPARAM>(&item)), 0);
        *reinterpret_cast<win::HTREEITEM*>(&rect) = bad;
        EXPECT_EQ(win::SendMessage(hwnd, win::TVM_GETITEMRECT, 1, reinterpret_cast<win::LPARAM>(&rect)), 0);
        insert.hParent = bad;
        EXPECT_EQ(win::SendMessage(hwnd, win::TVM_INSERTITEM, 0, reinterpret_cast<win::LPARAM>(&insert)), 0);
    }
    EXPECT_EQ(win::SendMessage(hwnd, win::TVM_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(tree->Items()->Count(), 6);
    // A text longer than the buffer is cut, with its NUL inside the buffer.
    char small[3] = {'x', 'x', 'x'};
    item.hItem = a2->ItemId();
    item.mask = win::TVIF_TEXT;
    item.pszText = small;
    item.cchTextMax = 2;
    EXPECT_EQ(win::SendMessage(hwnd, win::TVM_GETITEM, 0, reinterpret_cast<win::LPARAM>(&item)), 1);
    EXPECT_EQ(std::string(small, 3), std::string("A\0x", 3));
}

// Two 16 x 16 pictures: red and blue squares.
std::unique_ptr<gui::TImageList> Pictures(classes::TComponent* owner)
{
    auto list = std::make_unique<gui::TImageList>(owner);
    gui::TBitmap strip;
    strip.SetSize(32, 16);
    strip.Canvas()->Brush()->SetColor(gui::clRed);
    strip.Canvas()->FillRect(win::RECT{0, 0, 16, 16});
    strip.Canvas()->Brush()->SetColor(gui::clBlue);
    strip.Canvas()->FillRect(win::RECT{16, 0, 32, 16});
    list->Add(&strip, nullptr);
    return list;
}

TEST_F(TreeViewTest, ItemsChangedByHandShowTheirNewPictureAndTheirNodeFollows)
{
    MakeTree();
    const auto pictures = Pictures(form);
    tree->SetImages(pictures.get());
    b->SetImageIndex(0);
    b->SetSelectedIndex(0);
    driver.Pump();
    const win::RECT label = b->DisplayRect(true);
    // The middle of the picture, left of the label.
    auto pixel = [&] { return win::TestDriver::PixelAt(tree->Handle(), int(label.left) - 9, int(label.top + label.bottom) / 2); };
    EXPECT_EQ(pixel(), Rgb(gui::clRed));

    win::TVITEM item;
    item.mask = win::TVIF_IMAGE | win::TVIF_SELECTEDIMAGE;
    item.hItem = b->ItemId();
    item.iImage = 1;
    item.iSelectedImage = 1;
    ASSERT_EQ(win::SendMessage(tree->Handle(), win::TVM_SETITEM, 0, reinterpret_cast<win::LPARAM>(&item)), 1);
    driver.Pump();
    EXPECT_EQ(b->ImageIndex(), 1);
    EXPECT_EQ(b->SelectedIndex(), 1);
    EXPECT_EQ(pixel(), Rgb(gui::clBlue));

    // The selected picture shows while the node is selected.
    b->SetSelectedIndex(0);
    b->SetSelected(true);
    driver.Pump();
    EXPECT_EQ(pixel(), Rgb(gui::clRed));
    // The list going leaves no picture behind.
    tree->SetImages(nullptr);
    driver.Pump();
    EXPECT_NE(b->DisplayRect(true).left, label.left);
}

TEST_F(TreeViewTest, PicturesAskedWhileDrawingAndStatePicturesStandBeforeThem)
{
    MakeTree();
    const auto pictures = Pictures(form);
    const auto states = Pictures(form);
    tree->SetImages(pictures.get());
    tree->SetStateImages(states.get());
    struct Asker {
        void Get(classes::TObject*, gui::TTreeNode* node)
        {
            ++asked;
            node->SetImageIndex(node->Text() == "C" ? 1 : 0);
        }
        int asked = 0;
    } asker;
    tree->OnGetImageIndex = gui::TTVExpandedEvent::Of<&Asker::Get>(&asker);
    b->SetStateIndex(1);  // the blue one
    win::InvalidateRect(tree->Handle(), nullptr, true);
    driver.Pump();
    EXPECT_GE(asker.asked, 3);
    const win::RECT labelB = b->DisplayRect(true);
    const win::RECT labelC = c->DisplayRect(true);
    const int middleB = int(labelB.top + labelB.bottom) / 2;
    const int middleC = int(labelC.top + labelC.bottom) / 2;
    // B: state picture then its own; C: no state picture, its room kept, its own picture from the event.
    EXPECT_EQ(win::TestDriver::PixelAt(tree->Handle(), int(labelB.left) - 9, middleB), Rgb(gui::clRed));
    EXPECT_EQ(win::TestDriver::PixelAt(tree->Handle(), int(labelB.left) - 25, middleB), Rgb(gui::clBlue));
    EXPECT_EQ(win::TestDriver::PixelAt(tree->Handle(), int(labelC.left) - 9, middleC), Rgb(gui::clBlue));
    EXPECT_EQ(win::TestDriver::PixelAt(tree->Handle(), int(labelC.left) - 25, middleC), Rgb(gui::clWindow));
    EXPECT_EQ(c->ImageIndex(), 1);
    // The drawing settles: nothing is asked without a change.
    const int before = asker.asked;
    driver.Pump();
    EXPECT_EQ(asker.asked, before);

    struct Place {
        int dx;
        gui::THitTests expected;
    };
    const auto on = [](std::initializer_list<gui::THitTest> kinds) {
        gui::THitTests set = 0;
        for (gui::THitTest kind : kinds) {
            set |= gui::THitTests(1u << kind);
        }
        return set;
    };
    for (const Place& place : {Place{-25, on({gui::htOnItem, gui::htOnStateIcon})}, Place{-9, on({gui::htOnItem, gui::htOnIcon})},
                               Place{3, on({gui::htOnItem, gui::htOnLabel})}, Place{-40, on({gui::htOnIndent})},
                               Place{100, on({gui::htOnRight})}}) {
        SCOPED_TRACE(place.dx);
        EXPECT_EQ(tree->GetHitTestInfoAt(int(labelB.left) + place.dx, middleB), place.expected);
        if (place.expected & (1u << gui::htOnItem)) {
            EXPECT_EQ(tree->GetNodeAt(int(labelB.left) + place.dx, middleB), b);
        }
    }
    EXPECT_EQ(tree->GetHitTestInfoAt(5, 500), on({gui::htBelow}));
    EXPECT_EQ(tree->GetHitTestInfoAt(5, 190), on({gui::htNowhere}));
}

TEST_F(TreeViewTest, SortedTreesKeepTheirNodesInOrderInTheControlAndTheWindow)
{
    MakeTree();
    auto texts = [&](gui::TTreeNode* parent) {
        std::vector<std::string> seen;
        const win::HWND hwnd = tree->Handle();
        auto item = reinterpret_cast<win::HTREEITEM>(win::SendMessage(
                hwnd, win::TVM_GETNEXTITEM, win::TVGN_CHILD, reinterpret_cast<win::LPARAM>(parent ? parent->ItemId() : win::TVI_ROOT)));
        for (gui::TTreeNode* node = parent ? parent->getFirstChild() : tree->Items()->GetFirstNode(); node;
             node = node->getNextSibling()) {
            EXPECT_EQ(tree->NodeFromItem(item), node) << "the window's order";
            seen.push_back(node->Text());
            item = reinterpret_cast<win::HTREEITEM>(
                    win::SendMessage(hwnd, win::TVM_GETNEXTITEM, win::TVGN_NEXT, reinterpret_cast<win::LPARAM>(item)));
        }
        EXPECT_EQ(item, nullptr);
        return seen;
    };
    gui::TTreeNodes* items = tree->Items();
    items->AddChild(a, "a0");
    items->Add(nullptr, "ab");
    tree->SetSortType(gui::stText);
    EXPECT_EQ(texts(nullptr), (std::vector<std::string>{"A", "ab", "B", "C"}));
    EXPECT_EQ(texts(a), (std::vector<std::string>{"a0", "A1", "A2"}));
    items->Add(nullptr, "Aa");
    b->SetText("0");
    EXPECT_EQ(texts(nullptr), (std::vector<std::string>{"0", "A", "Aa", "ab", "C"}));

    // OnCompare decides: here, longest first (equal lengths keep their order).
    struct Longest {
        void Compare(classes::TObject*, gui::TTreeNode* x, gui::TTreeNode* y, int, int& result)
        {
            result = int(y->Text().size()) - int(x->Text().size());
        }
    } longest;
    tree->OnCompare = gui::TTVCompareEvent::Of<&Longest::Compare>(&longest);
    tree->AlphaSort(false);
    EXPECT_EQ(texts(nullptr), (std::vector<std::string>{"Aa", "ab", "0", "A", "C"}));
    EXPECT_EQ(texts(a), (std::vector<std::string>{"a0", "A1", "A2"})) << "not recursive";
}

TEST_F(TreeViewTest, NodesExpansionAndSelectionOutliveANewWindow)
{
    MakeTree(false);
    a->Expand(false);
    a2->SetSelected(true);
    EXPECT_EQ(events, (Events{"expanding A", "expanded A", "changing A2", "change A2"}));
    form->Show();
    driver.Pump();
    EXPECT_EQ(VisibleRows(), (Rows{"A", "A1", "A2", "B", "C"}));
    EXPECT_EQ(tree->Selected(), a2);

    c->Expand(false);
    events.clear();
    tree->SetShowLines(false);  // a new window
    driver.Pump();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(VisibleRows(), (Rows{"A", "A1", "A2", "B", "C", "C1"}));
    EXPECT_EQ(tree->Selected(), a2);
    EXPECT_EQ(tree->Items()->Count(), 7);
}

TEST_F(TreeViewTest, TheSelectedNodeIsHighlightedWhileFocusedAndGreyWithoutFocusUnlessHidden)
{
    MakeTree();
    b->SetSelected(true);
    driver.Pump();
    const win::RECT label = b->DisplayRect(true);
    // Inside the focus rectangle and left of the text.
    auto pixel = [&] { return win::TestDriver::PixelAt(tree->Handle(), int(label.left) + 1, int(label.top) + 1); };
    EXPECT_EQ(pixel(), Rgb(gui::clHighlight));

    auto* other = Make<gui::TTreeView>(form, "Other", 220, 10, 100, 100);
    other->SetFocus();
    driver.Pump();
    EXPECT_EQ(pixel(), Rgb(gui::clWindow));
    tree->SetHideSelection(false);
    driver.Pump();
    EXPECT_EQ(pixel(), Rgb(gui::clBtnFace));
}

TEST_F(TreeViewTest, AutoExpandOpensTheChosenNodeAndClosesTheOneLeft)
{
    MakeTree();
    tree->SetAutoExpand(true);
    driver.Pump();
    tree->SetFocus();
    driver.Pump();
    const win::RECT labelA = a->DisplayRect(true);
    ClickAt(int(labelA.left) + 2, int(labelA.top) + 2);
    EXPECT_EQ(VisibleRows(), (Rows{"A", "A1", "A2", "B", "C"}));
    const win::RECT labelC = c->DisplayRect(true);
    ClickAt(int(labelC.left) + 2, int(labelC.top) + 2);
    EXPECT_EQ(VisibleRows(), (Rows{"A", "B", "C", "C1"}));
}

}  // namespace
}  // namespace guitest
