#include "report/rptDataSet.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/TextForm.h"
#include "report/rptPage.h"
#include "report/rptReport.h"
#include "tests/report/ReportFixture.h"
#include "tests/report/TemplateSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using report::TrptDataSet;
using report::TrptReport;
using report::TrptUserDataSet;
using report_test::TSampleForm;

class DataSetTest : public report_test::ReportTest {
protected:
    DataSetTest() { report_test::RegisterTemplateClasses(); }
};

// Records the navigation events of a data set, and can end its data.
struct Listener {
    std::vector<std::string> events;
    bool endAt = false;
    void First(classes::TObject*) { events.push_back("first"); }
    void Next(classes::TObject*) { events.push_back("next"); }
    void Prior(classes::TObject*) { events.push_back("prior"); }
    void CheckEOF(classes::TObject*, bool& eof)
    {
        events.push_back("check");
        if (endAt)
            eof = true;
    }
};

TEST_F(DataSetTest, CountedRangeEndsOnItsLastRecord)
{
    Listener listener;
    TrptDataSet dataSet(nullptr);
    dataSet.RangeEnd = report::reCount;
    dataSet.RangeEndCount = 3;
    dataSet.OnFirst = rtl::MethodOf<&Listener::First>(&listener);
    dataSet.OnNext = rtl::MethodOf<&Listener::Next>(&listener);
    dataSet.OnPrior = rtl::MethodOf<&Listener::Prior>(&listener);
    dataSet.First();
    EXPECT_FALSE(dataSet.Eof());
    dataSet.Next();
    dataSet.Next();
    EXPECT_FALSE(dataSet.Eof());
    dataSet.Next();
    EXPECT_EQ(dataSet.RecNo, 2);
    EXPECT_TRUE(dataSet.Eof());
    EXPECT_EQ(listener.events, (std::vector<std::string>{"first", "next", "next"}));
    EXPECT_EQ(dataSet.RecordCount(), 3);
    dataSet.Prior();
    EXPECT_EQ(dataSet.RecNo, 1);
    EXPECT_EQ(listener.events.back(), "prior");
    dataSet.RangeBegin = report::rbCurrent;
    EXPECT_EQ(dataSet.RecordCount(), 0);
}

TEST_F(DataSetTest, OpenRangeEndsOnlyWhenTheApplicationSays)
{
    Listener listener;
    TrptDataSet dataSet(nullptr);
    for (int i = 0; i < 10; ++i)
        dataSet.Next();
    EXPECT_FALSE(dataSet.Eof());
    EXPECT_EQ(dataSet.RecordCount(), 0);
    dataSet.OnCheckEOF = rtl::MethodOf<&Listener::CheckEOF>(&listener);
    EXPECT_FALSE(dataSet.Eof());
    listener.endAt = true;
    EXPECT_TRUE(dataSet.Eof());
    EXPECT_EQ(listener.events, (std::vector<std::string>{"check", "check"}));
}

TEST_F(DataSetTest, BaseOperationsAnswerNothing)
{
    TrptDataSet dataSet(nullptr);
    EXPECT_EQ(dataSet.GetDisplayText("x"), u"");
    EXPECT_EQ(dataSet.GetDisplayWidth("x"), 10);
    EXPECT_EQ(dataSet.GetFieldType("x"), report::fftNumeric);
    EXPECT_TRUE(dataSet.GetValue("x").IsNull());
    EXPECT_EQ(dataSet.FieldsCount(), 0);
    EXPECT_FALSE(dataSet.IsBlobField("x"));
    rtl::TStringList list;
    list.Add("stale");
    dataSet.GetFieldList(list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(dataSet.HasField("x"));
    EXPECT_TRUE(dataSet.Enabled);
    EXPECT_TRUE(dataSet.OpenDataSource);
    EXPECT_EQ(dataSet.Width(), 28);
    EXPECT_EQ(dataSet.Height(), 28);
    EXPECT_EQ(dataSet.PreparedFlags() & 1 << report::pfKeep, 0);

    report::TrptCustomDatabase database(nullptr);
    EXPECT_FALSE(database.GetConnected());
    EXPECT_EQ(database.GetParamCount(), 0);
    EXPECT_EQ(database.GetDatabaseName(), "");
    EXPECT_EQ(database.ToString(), u"");
}

TEST_F(DataSetTest, UserNameFollowsTheNameUntilSetApart)
{
    TrptDataSet dataSet(nullptr);
    dataSet.SetName("Sales");
    EXPECT_EQ(dataSet.UserName(), "Sales");
    dataSet.SetName("Orders");
    EXPECT_EQ(dataSet.UserName(), "Orders");
    dataSet.SetUserName("Monthly orders");
    dataSet.SetName("Orders2");
    EXPECT_EQ(dataSet.UserName(), "Monthly orders");
    EXPECT_THROW(dataSet.SetUserName(" \t "), rtl::Exception);
    EXPECT_EQ(dataSet.UserName(), "Monthly orders");
    dataSet.SetName("");
    EXPECT_EQ(dataSet.UserName(), "Monthly orders");
}

TEST_F(DataSetTest, UserDataSetsAskTheApplication)
{
    struct Application {
        void GetValue(const std::string& name, rtl::Variant& value) { value = rtl::Variant("old " + name); }
        void NewGetValue(classes::TObject*, const std::string& name, rtl::Variant& value)
        {
            value = rtl::Variant(std::int32_t(name.size()));
        }
    } application;
    TrptUserDataSet dataSet(nullptr);
    auto* fields = new rtl::TStringList;
    std::unique_ptr<rtl::TStringList> owned(fields);
    fields->SetText("Name\r\nkWh");
    dataSet.SetFields(fields);
    fields->Add("changed later");
    EXPECT_EQ(dataSet.FieldsCount(), 2);
    EXPECT_TRUE(dataSet.HasField("KWH"));
    EXPECT_TRUE(dataSet.GetValue("Name").IsNull());
    dataSet.OnGetValue = rtl::MethodOf<&Application::GetValue>(&application);
    EXPECT_EQ(dataSet.GetValue("Name").ToString(), "old Name");
    EXPECT_EQ(dataSet.GetDisplayText("Name"), u"old Name");
    dataSet.OnNewGetValue = rtl::MethodOf<&Application::NewGetValue>(&application);
    EXPECT_EQ(dataSet.GetValue("Name").ToInteger(), 4);
    EXPECT_EQ(dataSet.GetDisplayText("Name"), u"4");
}

// The first data set of a user name wins, whichever report asks; one owned by a report is found only
// by that report.
TEST_F(DataSetTest, ReportsFindDataSetsByUserName)
{
    TSampleForm first(nullptr), second(nullptr);
    auto* a = new TrptUserDataSet(&first);
    a->SetName("A");
    a->SetUserName("Shared");
    auto* b = new TrptUserDataSet(&second);
    b->SetName("B");
    b->SetUserName("shared");
    auto* reportA = new TrptReport(&first);
    auto* reportB = new TrptReport(&second);
    auto* owned = new TrptUserDataSet(new report::TrptDataPage(reportB));
    owned->SetUserName("Private");
    EXPECT_EQ(report::rptFindDataSet(nullptr, "SHARED", reportA), a);
    EXPECT_EQ(report::rptFindDataSet(nullptr, "shared", reportB), a);
    EXPECT_EQ(report::rptFindDataSet(nullptr, "Private", reportB), owned);
    EXPECT_EQ(report::rptFindDataSet(b, "Private", reportA), b);
    EXPECT_EQ(report::rptFindDataSet(b, "Private", nullptr), b);
    EXPECT_EQ(report::rptFindDataSet(b, "", reportA), nullptr);

    // Without the process-wide list only the report's own list counts.
    reportA->EngineOptions()->UseGlobalDataSetList = false;
    EXPECT_EQ(reportA->ResolveDataSet(b, "Shared"), nullptr);
    reportA->LocalDataSets()->Add()->SetDataSet(b);
    EXPECT_EQ(reportA->ResolveDataSet(nullptr, "Shared"), b);

    reportA->DataSets()->Add()->SetDataSetName("shared");
    EXPECT_EQ(reportA->DataSets()->Items(0)->DataSet(), b);
    EXPECT_EQ(reportA->GetDataset("SHARED"), b);
    EXPECT_EQ(reportA->GetDataset("other"), nullptr);
}

// A data set that goes takes its items along and is no longer the report's data set; the name stays
// until the item goes.
TEST_F(DataSetTest, ReportsForgetDataSetsThatGo)
{
    TSampleForm form(nullptr);
    auto* users = new TrptUserDataSet(&form);
    users->SetName("Users");
    auto* report = new TrptReport(&form);
    auto* inner = new TrptUserDataSet(new report::TrptDataPage(report));
    inner->SetName("Inner");
    report->DataSets()->Add()->SetDataSet(users);
    report->DataSets()->Add()->SetDataSet(inner);
    report->DataSets()->Add()->SetDataSetName("Elsewhere");
    report->SetDataSet(users);
    EXPECT_EQ(report->DataSetName(), "Users");
    delete users;
    EXPECT_EQ(report->DataSet(), nullptr);
    EXPECT_EQ(report->DataSets()->Count(), 2);
    delete inner;
    ASSERT_EQ(report->DataSets()->Count(), 1);
    EXPECT_EQ(report->DataSets()->Items(0)->DataSetName(), "Elsewhere");
}

TEST_F(DataSetTest, RunsBeginAndEndEveryDataSet)
{
    struct Counting : TrptUserDataSet {
        using TrptUserDataSet::TrptUserDataSet;
        int begun = 0, ended = 0;
        void BeginRun() override { ++begun; }
        void EndRun() override { ++ended; }
    };
    TrptReport report(nullptr);
    Counting dataSet(nullptr);
    report.DataSets()->Add()->SetDataSet(&dataSet);
    report.DataSets()->Add();
    report.DataSets()->Initialize();
    EXPECT_EQ(dataSet.Report, &report);
    report.DataSets()->Finalize();
    EXPECT_EQ(dataSet.begun, 1);
    EXPECT_EQ(dataSet.ended, 1);
    EXPECT_EQ(report.DataSets()->FindByDataSet(&dataSet), report.DataSets()->Items(0));
    report.DataSets()->Items(0)->SetDataSet(nullptr);
    EXPECT_EQ(report.DataSets()->FindByDataSet(&dataSet), nullptr);
}

// Inside a report a data component stores its place with the window's data as "pLeft" and "pTop".
TEST_F(DataSetTest, PositionIsStoredInsideAReport)
{
    TSampleForm form(nullptr);
    form.SetName("Form1");
    auto* free = new TrptUserDataSet(&form);
    free->SetName("Free");
    free->SetBounds(10.4, 20.6, 5, 5);
    auto* report = new TrptReport(&form);
    report->SetName("Report1");
    auto* inner = new TrptUserDataSet(new report::TrptDataPage(report));
    inner->SetName("Inner");
    inner->SetBounds(60.4, 20.6, 28, 28);
    rtl::TMemoryStream stream;
    classes::TWriter(stream).WriteRootComponent(&form);
    const std::string text = classes::ObjectBinaryToText(std::string(stream.Memory(), std::size_t(stream.Size())));
    EXPECT_NE(text.find("object Inner: TrptUserDataSet\n        UserName = 'Inner'\n        pLeft = 60\n        pTop = 21\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("pLeft = 10"), std::string::npos) << text;
    TSampleForm read(nullptr);
    stream.SetPosition(0);
    classes::TReader(stream).ReadRootComponent(&read);
    report::TrptComponent* readInner = dynamic_cast<TrptReport*>(read.FindComponent("Report1"))->FindObject("Inner");
    EXPECT_EQ(readInner->Left(), 60);
    EXPECT_EQ(readInner->Top(), 21);
}

TEST_F(DataSetTest, HostComponentGoesWithItsObject)
{
    struct Watched : classes::TComponent {
        using classes::TComponent::TComponent;
        bool* gone = nullptr;
        ~Watched() override { *gone = true; }
    };
    bool gone = false;
    auto host = std::make_unique<Watched>(nullptr);
    host->gone = &gone;
    Watched* raw = host.get();
    {
        TrptUserDataSet dataSet(nullptr);
        dataSet.SetHostComponent(std::move(host));
        EXPECT_EQ(dataSet.HostComponent(), raw);
    }
    EXPECT_TRUE(gone);
}

// Two threads make and free data sets while a third looks them up; the list stays whole.
TEST_F(DataSetTest, TheListServesSeveralThreads)
{
    std::atomic<bool> stop{false};
    std::atomic<int> found{0};
    TrptUserDataSet anchor(nullptr);
    anchor.SetName("Anchor");
    auto churn = [&](const char* name) {
        for (int i = 0; i < 2000; ++i) {
            TrptUserDataSet dataSet(nullptr);
            dataSet.SetUserName(name);
        }
    };
    std::thread finder([&] {
        TSampleForm owner(nullptr);
        while (!stop) {
            if (report::rptFindDataSet(nullptr, "Anchor", &owner) == &anchor)
                ++found;
            report::rptFindDataSet(nullptr, "Left", &owner);
        }
    });
    std::thread left(churn, "Left");
    std::thread right(churn, "Right");
    left.join();
    right.join();
    stop = true;
    finder.join();
    EXPECT_GT(found.load(), 0);
    report::TrptGlobalDataSetList& list = report::rptDataSetList();
    list.Lock();
    EXPECT_EQ(list.Count(), 1);
    list.Unlock();
}

// After the library ended, a data set that outlived it still leaves the list; the lock does nothing.
TEST(DataSetList, LockIsHarmlessAfterTheLibraryEnded)
{
    auto library = std::make_unique<report_test::ReportLibrary>();
    auto dataSet = std::make_unique<TrptDataSet>(nullptr);
    report::TrptGlobalDataSetList& list = report::rptDataSetList();
    const int count = list.Count();
    library.reset();
    list.Lock();
    list.Unlock();
    dataSet.reset();
    EXPECT_EQ(list.Count(), count - 1);
}

}  // namespace
