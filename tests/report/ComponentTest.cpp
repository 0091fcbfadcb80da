#include "report/rptComponent.h"

#include "platform/classes/Errors.h"
#include "platform/gui/graphics/Font.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/FormatSettings.h"
#include "report/rptPage.h"
#include "report/rptReport.h"
#include "tests/report/ReportFixture.h"
#include "tests/report/TreeSupport.h"

#include <gtest/gtest.h>

namespace {

using report::TrptDataPage;
using report::TrptReport;
using report_test::TrptTestView;

class ComponentTest : public report_test::ReportTest {
protected:
    ComponentTest() { page = new TrptDataPage(&report); }

    TrptTestView* View(report::TrptComponent* parent, double left, double top, double width, double height,
                       report::TrptAlign align = report::baNone)
    {
        auto* view = new TrptTestView(parent);
        view->SetBounds(left, top, width, height);
        view->SetAlign(align);
        return view;
    }

    TrptReport report{nullptr};
    TrptDataPage* page;
};

TEST_F(ComponentTest, NewObjectsJoinTheTreeOfTheirReport)
{
    TrptTestView* view = View(page, 1, 2, 3, 4);
    TrptTestView* inner = View(view, 0, 0, 1, 1);
    EXPECT_EQ(view->Owner(), &report);
    EXPECT_EQ(inner->Owner(), &report);
    EXPECT_EQ(view->Parent(), page);
    EXPECT_EQ(inner->Parent(), view);
    EXPECT_EQ(page->Objects(), std::vector<report::TrptComponent*>{view});
    EXPECT_EQ(report.AllObjects(), (std::vector<report::TrptComponent*>{page, view, inner}));
    EXPECT_EQ(inner->Page(), page);
    EXPECT_EQ(inner->OwningReport(), &report);
    EXPECT_EQ(page->Page(), page);
    EXPECT_EQ(report.Page(), nullptr);

    EXPECT_EQ(view->Font()->Name(), "Arial");
    EXPECT_EQ(view->Font()->Size(), 10);
    EXPECT_EQ(view->Font()->Color(), 0);
    EXPECT_EQ(view->Font()->Charset(), 1);
    EXPECT_EQ(view->Font()->PixelsPerInch(), 96);
    EXPECT_TRUE(view->ParentFont());
    EXPECT_TRUE(view->Visible());
    EXPECT_EQ(view->PreparedFlags(), 1 << report::pfKeep | 1 << report::pfWhole);
    EXPECT_EQ(page->PreparedFlags(), 1 << report::pfKeep);
    EXPECT_EQ(page->Width(), 1000);
    EXPECT_EQ(page->Height(), 1000);
    EXPECT_EQ(page->GetTypeName(), "obDataPage");
    EXPECT_EQ(view->GetTypeName(), "TrptTestView");
    EXPECT_EQ(view->NameStem(), "Test");
    EXPECT_EQ(page->NameStem(), "DataPage");

    // An object made by an owner that is no report object keeps that owner and has no parent.
    classes::TComponent owner(nullptr);
    auto* loose = new TrptTestView(&owner);
    EXPECT_EQ(loose->Owner(), &owner);
    EXPECT_EQ(loose->Parent(), nullptr);
    EXPECT_EQ(loose->OwningReport(), nullptr);

    delete view;
    EXPECT_TRUE(page->Objects().empty());
    EXPECT_EQ(report.AllObjects(), std::vector<report::TrptComponent*>{page});
}

TEST_F(ComponentTest, PositionsAddUpAndMovesAreGuarded)
{
    page->SetBounds(10, 20, 500, 500);
    TrptTestView* view = View(page, 5, 6, 30, 40);
    TrptTestView* inner = View(view, 1, 2, 3, 4);
    EXPECT_EQ(inner->AbsLeft(), 16);
    EXPECT_EQ(inner->AbsTop(), 28);
    const report::TrptFloatRect bounds = inner->GetPageBounds();
    EXPECT_EQ(bounds.Left, 16);
    EXPECT_EQ(bounds.Top, 28);
    EXPECT_EQ(bounds.Right, 19);
    EXPECT_EQ(bounds.Bottom, 32);

    view->SaveState();
    view->SetBounds(0, 0, 1, 1);
    view->RestoreState();
    EXPECT_EQ(view->Left(), 5);
    EXPECT_EQ(view->Height(), 40);

    // Restrictions hold in design mode only.
    view->SetRestrictions(1 << report::rfDontMove | 1 << report::rfDontSize);
    view->SetBounds(7, 8, 9, 10);
    EXPECT_EQ(view->Left(), 7);
    view->SetDesignMode(true);
    view->SetBounds(1, 1, 1, 1);
    EXPECT_EQ(view->Left(), 7);
    EXPECT_EQ(view->Width(), 9);

    // A parent cannot be placed inside its own child.
    EXPECT_THROW(view->SetParent(inner), classes::EComponentError);
    EXPECT_THROW(view->SetParent(view), classes::EComponentError);
    EXPECT_EQ(view->Parent(), page);
    inner->SetParent(page);
    EXPECT_EQ(page->Objects(), (std::vector<report::TrptComponent*>{view, inner}));
    EXPECT_TRUE(view->Objects().empty());
}

TEST_F(ComponentTest, FontsFollowTheParent)
{
    TrptTestView* view = View(page, 0, 0, 1, 1);
    TrptTestView* inner = View(view, 0, 0, 1, 1);
    page->Font()->SetName("Courier New");
    EXPECT_FALSE(page->ParentFont());
    EXPECT_EQ(view->Font()->Name(), "Courier New");
    EXPECT_EQ(inner->Font()->Name(), "Courier New");
    EXPECT_TRUE(view->ParentFont());

    inner->Font()->SetSize(14);
    EXPECT_FALSE(inner->ParentFont());
    page->Font()->SetName("Tahoma");
    EXPECT_EQ(view->Font()->Name(), "Tahoma");
    EXPECT_EQ(inner->Font()->Name(), "Courier New");

    inner->SetParentFont(true);
    EXPECT_EQ(inner->Font()->Name(), "Tahoma");
    EXPECT_EQ(inner->Font()->Size(), 10);
    EXPECT_TRUE(inner->ParentFont());

    // A new parent gives its font to a child that follows it.
    TrptDataPage* other = new TrptDataPage(&report);
    other->Font()->SetName("Verdana");
    view->SetParent(other);
    EXPECT_EQ(view->Font()->Name(), "Verdana");
    EXPECT_EQ(inner->Font()->Name(), "Verdana");
}

TEST_F(ComponentTest, NamesAreUniqueInTheReport)
{
    TrptTestView* a = View(page, 0, 0, 1, 1);
    a->SetName("Test1");
    TrptTestView* b = View(page, 0, 0, 1, 1);
    try {
        b->SetName("TEST1");
        ADD_FAILURE() << "duplicate accepted";
    } catch (const classes::EComponentError& e) {
        EXPECT_EQ(e.Message(), "prDupl");
    }
    EXPECT_EQ(b->Name(), "");
    // The own name in other letters: accepted, nothing changes.
    EXPECT_NO_THROW(a->SetName("TEST1"));
    EXPECT_EQ(a->Name(), "Test1");
    b->SetName("test2");
    b->SetName("");
    EXPECT_EQ(b->Name(), "");

    // Free names count every object of the report, without regard to case.
    b->SetName("test2");
    TrptTestView* c = View(View(page, 0, 0, 1, 1), 0, 0, 1, 1);
    c->AssignFreeName();
    EXPECT_EQ(c->Name(), "Test3");
    page->AssignFreeName();
    EXPECT_EQ(page->Name(), "DataPage1");

    // An object from the ancestor report keeps its name.
    a->SetFromAncestor(true);
    try {
        a->SetName("Other");
        ADD_FAILURE() << "rename accepted";
    } catch (const classes::EComponentError& e) {
        EXPECT_EQ(e.Message(), "Could not rename Test1, it was introduced in the ancestor report");
    }
    c->SetAncestor(true);
    EXPECT_TRUE(c->IsFromAncestor());
    EXPECT_THROW(c->SetName("Renamed"), classes::EComponentError);

    // Outside a report only the owner's rules hold.
    classes::TComponent owner(nullptr);
    auto* loose = new TrptTestView(&owner);
    loose->SetFromAncestor(true);
    loose->SetName("Test1");
    EXPECT_EQ(loose->Name(), "Test1");
    auto* looseChild = new TrptTestView(loose);
    looseChild->AssignFreeName();
    EXPECT_EQ(looseChild->Name(), "Test1");
}

// Children from an ancestor stay, in their order, and are cleared themselves.
// The first object of that name in the walk of scope's descendants, without regard to case.
report::TrptComponent* FirstByWalk(report::TrptComponent& scope, std::string_view name)
{
    for (report::TrptComponent* object : scope.AllObjects())
        if (rtl::AnsiSameText(object->Name(), name))
            return object;
    return nullptr;
}

// FindObject keeps answering as the walk does while trees are built, renamed, joined, split and freed.
TEST_F(ComponentTest, FindObjectFollowsEveryChangeOfTheTree)
{
    TrptReport second{nullptr};
    auto* secondPage = new TrptDataPage(&second);
    secondPage->SetName("Page2");
    page->SetName("Page1");
    const char* queries[] = {"Page1", "Page2", "Text1", "TEXT1", "text2", "Inner", "Dup", "Loose",
                             "Renamed", "Text\x01" "1", "Text1 ", "Stra\xDF" "e", "Strasse", ""};
    auto check = [&](const char* step) {
        for (report::TrptComponent* scope :
             std::initializer_list<report::TrptComponent*>{&report, page, &second, secondPage})
            for (const char* query : queries)
                EXPECT_EQ(scope->FindObject(query), FirstByWalk(*scope, query))
                    << step << ": " << scope->Name() << " / " << query;
    };
    check("start");

    TrptTestView* text1 = View(page, 0, 0, 1, 1);
    text1->SetName("Text1");
    TrptTestView* inner = View(text1, 0, 0, 1, 1);
    inner->SetName("Inner");
    TrptTestView* text2 = View(secondPage, 0, 0, 1, 1);
    text2->SetName("Text2");
    TrptTestView* strasse = View(page, 0, 0, 1, 1);
    strasse->SetName("Strasse");
    check("made");
    EXPECT_EQ(report.FindObject("TEXT1"), text1);
    EXPECT_EQ(page->FindObject("Page1"), nullptr);  // a scope is not its own descendant
    EXPECT_EQ(report.FindObject("Text\x01" "1"), text1);  // control characters do not count
    EXPECT_EQ(report.FindObject("Stra\xDF" "e"), strasse);

    text1->SetName("Renamed");
    check("renamed");
    EXPECT_EQ(report.FindObject("Text1"), nullptr);
    EXPECT_EQ(report.FindObject("renamed"), text1);

    // A tree made apart, with a name the report has, joins the report: the walk's order decides.
    TrptTestView loose{nullptr};
    loose.SetName("Loose");
    auto* dupOutside = new TrptTestView(&loose);
    dupOutside->SetParent(&loose);
    dupOutside->SetName("Dup");
    TrptTestView* dupInside = View(page, 0, 0, 1, 1);
    dupInside->SetName("Dup");
    EXPECT_EQ(loose.FindObject("Dup"), dupOutside);
    loose.SetParent(page);
    check("joined");
    EXPECT_EQ(report.FindObject("Dup"), dupInside);
    EXPECT_EQ(report.FindObject("Loose"), &loose);

    dupInside->SetParent(secondPage);
    check("moved to another report");
    EXPECT_EQ(report.FindObject("Dup"), dupOutside);
    EXPECT_EQ(second.FindObject("Dup"), dupInside);

    loose.SetParent(nullptr);
    check("split");
    EXPECT_EQ(report.FindObject("Dup"), nullptr);
    EXPECT_EQ(loose.FindObject("Dup"), dupOutside);

    delete inner;
    delete dupInside;
    check("freed");
    page->Clear();
    check("cleared");
    EXPECT_EQ(report.FindObject("Renamed"), nullptr);
}

TEST_F(ComponentTest, ClearKeepsAncestorChildren)
{
    TrptTestView* own1 = View(page, 0, 0, 1, 1);
    TrptTestView* inherited1 = View(page, 0, 0, 1, 1);
    TrptTestView* own2 = View(page, 0, 0, 1, 1);
    TrptTestView* inherited2 = View(page, 0, 0, 1, 1);
    TrptTestView* inheritedInner = View(inherited1, 0, 0, 1, 1);
    TrptTestView* ownInner = View(inherited1, 0, 0, 1, 1);
    for (TrptTestView* view : {inherited1, inherited2, inheritedInner})
        view->SetAncestor(true);
    (void)own1;
    (void)own2;
    (void)ownInner;
    page->Clear();
    EXPECT_EQ(page->Objects(), (std::vector<report::TrptComponent*>{inherited1, inherited2}));
    EXPECT_EQ(inherited1->Objects(), std::vector<report::TrptComponent*>{inheritedInner});
    EXPECT_EQ(report.ComponentCount(), 4);
}

TEST_F(ComponentTest, ChildViewsAlignInTheirParent)
{
    report::TrptComponent* box = View(page, 0, 0, 100, 50);
    // Sorted by Left as numbers: -10 before -5, 1.001 before 1.004 whatever their order of making.
    TrptTestView* minus5 = View(box, -5, 0, 10, 10, report::baLeft);
    TrptTestView* minus10 = View(box, -10, 5, 10, 10, report::baLeft);
    TrptTestView* at1004 = View(box, 1.004, 20, 10, 10, report::baLeft);
    TrptTestView* at1001 = View(box, 1.001, 25, 10, 10, report::baLeft);
    box->ApplyChildAlign();
    EXPECT_EQ(minus10->Left(), 0);
    EXPECT_EQ(minus5->Left(), 10);
    EXPECT_EQ(at1001->Left(), 0);
    EXPECT_EQ(at1004->Left(), 10);
}

TEST_F(ComponentTest, AlignmentKinds)
{
    report::TrptComponent* box = View(page, 0, 0, 100, 50);
    TrptTestView* left = View(box, 30, 0, 10, 10, report::baLeft);
    TrptTestView* right = View(box, 50, 0, 20, 10, report::baRight);
    TrptTestView* width = View(box, 45, 0, 5, 10, report::baWidth);
    TrptTestView* below = View(box, 80, 30, 10, 10, report::baRight);
    TrptTestView* center = View(box, 0, 20, 20, 5, report::baCenter);
    TrptTestView* bottom = View(box, 3, 12, 20, 8, report::baBottom);
    TrptTestView* sameLeft1 = View(box, 60, 40, 5, 5, report::baLeft);
    TrptTestView* sameLeft2 = View(box, 60, 40, 5, 5, report::baLeft);
    box->ApplyChildAlign();
    EXPECT_EQ(left->Left(), 0);
    // The view of the same rows to the right ends the row; the width view fills what is left.
    EXPECT_EQ(right->Left(), 80);
    EXPECT_EQ(width->Left(), 10);
    EXPECT_EQ(width->Width(), 70);
    EXPECT_EQ(below->Left(), 90);
    EXPECT_EQ(center->Left(), 40);
    EXPECT_EQ(bottom->Top(), 42);
    EXPECT_EQ(sameLeft1->Left(), 0);
    EXPECT_EQ(sameLeft2->Left(), 5);

    TrptTestView* client = View(box, 1, 2, 3, 4, report::baClient);
    box->ApplyChildAlign();
    EXPECT_EQ(client->Left(), 0);
    EXPECT_EQ(client->Top(), 0);
    EXPECT_EQ(client->Width(), 100);
    EXPECT_EQ(client->Height(), 50);
}

// The attribute texts prepared pages keep of an object against its template.
TEST_F(ComponentTest, DifferenceTexts)
{
    rtl::FormatSettings& settings = rtl::DefaultFormatSettings();
    const char separator = settings.DecimalSeparator;
    settings.DecimalSeparator = '.';
    TrptTestView* original = View(page, 10, 20, 30, 40);
    TrptTestView* copy = View(page, 10, 20, 30, 40);
    EXPECT_EQ(copy->BaseDiff(*original), "");
    EXPECT_EQ(copy->DiffToXML(*original), "");

    copy->SetBounds(10.00005, 20.5, 31, 40);
    copy->SetVisible(false);
    copy->SetTag(7);
    EXPECT_EQ(copy->BaseDiff(*original), " t=\"20.5\" w=\"31\" Visible=\"0\" Tag=\"7\"");

    // A font that differs counts only while the object does not follow its parent's.
    TrptTestView* follower = View(page, 10, 20, 30, 40);
    page->Font()->SetSize(12);
    EXPECT_TRUE(follower->ParentFont());
    EXPECT_EQ(follower->BaseDiff(*original), "");

    TrptTestView* styled = View(page, 10, 20, 30, 40);
    styled->Font()->SetName("Courier \"New\"");
    styled->Font()->SetSize(11);
    styled->Font()->SetColor(gui::clRed);
    styled->Font()->SetStyle(1 << gui::fsBold | 1 << gui::fsUnderline);
    styled->Font()->SetCharset(204);
    EXPECT_EQ(styled->BaseDiff(*original),
              " Font.Name=\"Courier &#34;New&#34;\" Font.Size=\"11\" Font.Color=\"255\" Font.Style=\"5\""
              " Font.Charset=\"204\" ParentFont=\"0\"");
    EXPECT_EQ(report::TrptComponent::FontDiff(*original->Font(), *original->Font()), "");
    settings.DecimalSeparator = separator;
}

TEST(ComponentNumbers, RoundingAndTolerance)
{
    EXPECT_EQ(report::rptRound8(1.0 / 3), 0.33333333);
    EXPECT_EQ(report::rptRound8(2.0 / 3), 0.66666667);
    EXPECT_EQ(report::rptRound8(-2.0 / 3), -0.66666667);
    EXPECT_EQ(report::rptRound8(215.9), 215.9);
    EXPECT_FALSE(report::rptFloatDiff(1, 1.0001));
    EXPECT_TRUE(report::rptFloatDiff(1, 1.00011));
}

}  // namespace
