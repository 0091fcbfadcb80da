// Look-and-feel objects: values inherited from masters and the root, the painter they choose, their
// notifications, the controller, stored form data, and the re-evaluation after a system colour change.

#include "controls/clLookAndFeels.h"

#include "controls/uxOffice11Colors.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Reflection.h"
#include "platform/classes/TextForm.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/rtl/Streams.h"
#include "tests/controls/ControlsFixture.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using controls::TclLookAndFeel;
using controls::TclLookAndFeelValues;

// A dependant that records what it hears; it may run an action inside a notification.
class Listener : public classes::TNonRefCountedObject, public controls::IclLookAndFeelListener {
public:
    Listener(std::vector<std::string>* journal = nullptr, std::string name = {})
        : journal_(journal), name_(std::move(name))
    {
    }
    classes::TObject* ListenerObject() override { return this; }
    void LookAndFeelChanged(TclLookAndFeel*, TclLookAndFeelValues values) override
    {
        changes.push_back(values);
        if (journal_)
            journal_->push_back(name_);
        if (onChange)
            onChange();
    }
    void LookAndFeelDestroying(TclLookAndFeel* sender) override { destroyed.push_back(sender); }

    std::vector<TclLookAndFeelValues> changes;
    std::vector<TclLookAndFeel*> destroyed;
    std::function<void()> onChange;

private:
    std::vector<std::string>* journal_;
    std::string name_;
};

// A skin's painter: an Office 2003 child.
class SkinPainter : public controls::TclOffice11LookAndFeelPainter {
public:
    SkinPainter() = default;
};
const SkinPainter skinPainter;

class LookAndFeelTest : public controlstest::ControlsTest {
protected:
    static TclLookAndFeel& Root() { return *controls::GetRootLookAndFeel(); }
    static void RegisterSkin(const char* name)
    {
        std::unique_ptr<classes::TObject> data = std::make_unique<classes::TObject>();
        ASSERT_TRUE(controls::clGetStylePainterRegistry()->RegisterStylePainter(name, &skinPainter, data));
    }
};

TEST_F(LookAndFeelTest, ValuesComeFromTheRootUntilSetLocally)
{
    Listener listener;
    TclLookAndFeel look(nullptr);
    look.AddChangeListener(&listener);
    EXPECT_EQ(look.Kind(), controls::lfUltraFlat);
    EXPECT_FALSE(look.NativeStyle());
    EXPECT_EQ(look.SkinName(), "");
    EXPECT_EQ(look.GetActivePainter(), controls::TclUltraFlatLookAndFeelPainter::Class());

    Root().SetKind(controls::lfOffice11);
    EXPECT_EQ(look.Kind(), controls::lfOffice11);
    EXPECT_EQ(look.GetActivePainter(), controls::TclOffice11LookAndFeelPainter::Class());
    EXPECT_EQ(listener.changes, (std::vector<TclLookAndFeelValues>{controls::lfvKind}));

    // Set to the value it already has: assigned, but nobody hears of it, and the root no longer reaches it.
    look.SetKind(controls::lfOffice11);
    EXPECT_EQ(look.AssignedValues(), controls::lfvKind);
    EXPECT_EQ(listener.changes.size(), 1u);
    Root().SetKind(controls::lfFlat);
    EXPECT_EQ(look.Kind(), controls::lfOffice11);
    EXPECT_EQ(listener.changes.size(), 1u);

    // Cleared again, it follows the root and hears of the difference.
    look.Reset();
    EXPECT_EQ(look.Kind(), controls::lfFlat);
    EXPECT_EQ(listener.changes.back(), controls::lfvKind);
}

TEST_F(LookAndFeelTest, MastersChainAndFallBackToTheRootWhenTheyDie)
{
    Listener listener;
    TclLookAndFeel child(nullptr);
    child.AddChangeListener(&listener);
    {
        TclLookAndFeel master(nullptr);
        master.SetKind(controls::lfStandard);
        child.ChangeMaster(&master);
        EXPECT_EQ(child.EffectiveMaster(), &master);
        EXPECT_EQ(child.Kind(), controls::lfStandard);
        EXPECT_EQ(listener.changes, (std::vector<TclLookAndFeelValues>{controls::lfvKind}));
        master.SetNativeStyle(true);
        EXPECT_TRUE(child.NativeStyle());
        EXPECT_EQ(listener.changes.back(), controls::lfvNativeStyle);
        // The root's changes go through the master, which overrides the kind only.
        Root().SetSkinName("Nowhere");
        EXPECT_EQ(child.SkinName(), "Nowhere");
        Root().SetKind(controls::lfOffice11);
        EXPECT_EQ(child.Kind(), controls::lfStandard);
    }
    EXPECT_EQ(child.Master(), nullptr);
    EXPECT_EQ(child.EffectiveMaster(), &Root());
    EXPECT_EQ(child.Kind(), controls::lfOffice11);
    EXPECT_FALSE(child.NativeStyle());
    EXPECT_EQ(listener.changes.back(), controls::lfvKind | controls::lfvNativeStyle);
}

TEST_F(LookAndFeelTest, AssignCopiesOwnValuesAndMaster)
{
    TclLookAndFeel master(nullptr);
    master.SetKind(controls::lfFlat);
    TclLookAndFeel source(nullptr);
    source.ChangeMaster(&master);
    source.SetSkinName("Black");
    Listener listener;
    TclLookAndFeel target(nullptr);
    target.AddChangeListener(&listener);
    target.Assign(&source);
    EXPECT_EQ(target.Master(), &master);
    EXPECT_EQ(target.AssignedValues(), controls::lfvSkinName);
    EXPECT_EQ(target.Kind(), controls::lfFlat);
    EXPECT_EQ(target.SkinName(), "Black");
    EXPECT_EQ(listener.changes, (std::vector<TclLookAndFeelValues>{controls::lfvKind | controls::lfvSkinName}));
}

TEST_F(LookAndFeelTest, PainterStylesSetKindOrNativeStyle)
{
    struct Case {
        int style;
        controls::TclLookAndFeelKind kind;
        bool native;
    };
    const Case cases[] = {{0, controls::lfFlat, false},
                          {1, controls::lfStandard, false},
                          {2, controls::lfUltraFlat, false},
                          {3, controls::lfUltraFlat, true},
                          {4, controls::lfOffice11, false}};
    TclLookAndFeel look(nullptr);
    look.SetKind(controls::lfOffice11);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        look.SetFromPainterStyle(c.style);
        EXPECT_EQ(look.Kind(), c.kind);
        EXPECT_EQ(look.NativeStyle(), c.native);
    }
}

TEST_F(LookAndFeelTest, SkinsAndTheNativeStyleChooseThePainter)
{
    RegisterSkin("Black");
    Listener listener;
    TclLookAndFeel look(nullptr);
    look.SetKind(controls::lfStandard);

    look.SetSkinName("Lilac");  // no such skin: the kind's painter
    EXPECT_EQ(look.SkinPainter(), nullptr);
    EXPECT_EQ(look.GetActivePainter(), controls::TclStandardLookAndFeelPainter::Class());

    look.SetSkinName("black");
    EXPECT_EQ(look.SkinPainter(), &skinPainter);
    EXPECT_EQ(look.GetActivePainter(), &skinPainter);
    EXPECT_EQ(look.PainterForThemedType(controls::totScrollBar), &skinPainter);

    // Native style without visual styles: the kind's painter, and no skin is looked up.
    look.SetNativeStyle(true);
    EXPECT_EQ(look.SkinPainter(), nullptr);
    EXPECT_EQ(look.GetActivePainter(), controls::TclStandardLookAndFeelPainter::Class());
    EXPECT_EQ(look.PainterForThemedType(controls::totScrollBar), controls::TclStandardLookAndFeelPainter::Class());

    look.SetNativeStyle(false);
    controls::clSetSkinsEnabled(false);
    look.RefreshAll();
    EXPECT_EQ(look.GetActivePainter(), controls::TclStandardLookAndFeelPainter::Class());
    controls::clSetSkinsEnabled(true);
    look.RefreshAll();

    // A control may force its painter.
    look.SetPainter(controls::TclFlatLookAndFeelPainter::Class());
    EXPECT_EQ(look.GetActivePainter(), controls::TclFlatLookAndFeelPainter::Class());
    look.SetPainter(nullptr);

    // Removing the skin refreshes the look-and-feels that use it.
    look.AddChangeListener(&listener);
    ASSERT_TRUE(controls::clGetStylePainterRegistry()->UnregisterStylePainter("BLACK"));
    EXPECT_EQ(listener.changes, (std::vector<TclLookAndFeelValues>{controls::lfvKind | controls::lfvNativeStyle |
                                                                    controls::lfvSkinName}));
    EXPECT_EQ(look.GetActivePainter(), controls::TclStandardLookAndFeelPainter::Class());
}

TEST_F(LookAndFeelTest, InheritedSkinNameFindsTheMastersSkin)
{
    RegisterSkin("Black");
    Root().SetSkinName("Black");
    TclLookAndFeel look(nullptr);
    EXPECT_EQ(look.SkinPainter(), &skinPainter);
    Root().SetSkinName("");
    EXPECT_EQ(look.SkinPainter(), nullptr);
    EXPECT_EQ(look.GetActivePainter(), controls::TclUltraFlatLookAndFeelPainter::Class());
}

TEST_F(LookAndFeelTest, ListenersAreListedOnceAndNoneIsSkippedWhenOneLeaves)
{
    TclLookAndFeel look(nullptr);
    std::vector<std::string> journal;
    Listener first(&journal, "first");
    Listener second(&journal, "second");
    Listener third(&journal, "third");
    first.onChange = [&] { look.RemoveChangeListener(&first); };
    look.AddChangeListener(&first);
    look.AddChangeListener(&second);
    look.AddChangeListener(&second);
    look.AddChangeListener(&third);
    struct Event {
        std::vector<std::string>* journal;
        std::vector<TclLookAndFeelValues> values;
        void Changed(TclLookAndFeel*, TclLookAndFeelValues changed)
        {
            values.push_back(changed);
            journal->push_back("event");
        }
    } event{&journal, {}};
    look.OnChanged = rtl::Method<void(TclLookAndFeel*, TclLookAndFeelValues)>::Of<&Event::Changed>(&event);
    look.SetKind(controls::lfFlat);
    EXPECT_EQ(journal, (std::vector<std::string>{"first", "second", "third", "event"}));
    EXPECT_EQ(event.values, (std::vector<TclLookAndFeelValues>{controls::lfvKind}));
    look.OnChanged = nullptr;
    look.RemoveChangeListener(&second);
    look.RemoveChangeListener(&third);
}

TEST_F(LookAndFeelTest, DyingLookAndFeelTellsItsListeners)
{
    Listener listener;
    TclLookAndFeel* look = new TclLookAndFeel(nullptr);
    look->AddChangeListener(&listener);
    delete look;
    EXPECT_EQ(listener.destroyed, (std::vector<TclLookAndFeel*>{look}));
}

TEST_F(LookAndFeelTest, LookAndFeelsOutliveTheRoot)
{
    Root().SetKind(controls::lfStandard);
    {
        TclLookAndFeel look(nullptr);
        TclLookAndFeel child(nullptr);
        child.ChangeMaster(&look);
        controls::detail::FinalizeLookAndFeels();
        EXPECT_EQ(look.EffectiveMaster(), nullptr);
        EXPECT_EQ(look.Kind(), controls::lfStandard);
        look.SetKind(controls::lfFlat);
        EXPECT_EQ(child.Kind(), controls::lfFlat);
    }
    controls::detail::InitializeLookAndFeels();
}

TEST_F(LookAndFeelTest, ControllersEditTheRootAndTheLastOneResetsIt)
{
    Listener listener;
    TclLookAndFeel look(nullptr);
    look.AddChangeListener(&listener);
    auto first = std::make_unique<controls::TclLookAndFeelController>(nullptr);
    auto second = std::make_unique<controls::TclLookAndFeelController>(nullptr);
    first->SetKind(controls::lfStandard);
    second->SetNativeStyle(true);
    EXPECT_EQ(Root().AssignedValues(), controls::lfvKind | controls::lfvNativeStyle);
    EXPECT_EQ(first->NativeStyle(), true);
    EXPECT_EQ(look.Kind(), controls::lfStandard);
    // A controller listens to the root only.
    look.AddChangeListener(first.get());
    first.reset();
    EXPECT_EQ(Root().Kind(), controls::lfStandard);
    listener.changes.clear();
    second.reset();
    EXPECT_EQ(Root().AssignedValues(), 0);
    EXPECT_EQ(look.Kind(), controls::lfUltraFlat);
    EXPECT_FALSE(look.NativeStyle());
    EXPECT_EQ(listener.changes, (std::vector<TclLookAndFeelValues>{controls::lfvKind | controls::lfvNativeStyle}));
}

TEST_F(LookAndFeelTest, ControllerWithoutRootAnswersDefaults)
{
    controls::TclLookAndFeelController controller(nullptr);
    controls::detail::FinalizeLookAndFeels();
    controller.SetKind(controls::lfFlat);
    EXPECT_EQ(controller.Kind(), controls::lfUltraFlat);
    EXPECT_FALSE(controller.NativeStyle());
    EXPECT_EQ(controller.SkinName(), "");
    controls::detail::InitializeLookAndFeels();
}

// A component with a look-and-feel, as a control stores it.
class Owner : public classes::TComponent {
public:
    explicit Owner(classes::TComponent* owner) : TComponent(owner) {}
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TLookOwner", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<Owner>(c).Property("LookAndFeel", &Owner::LookAndFeel);
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    TclLookAndFeel* LookAndFeel() const { return look.get(); }

    std::unique_ptr<TclLookAndFeel> look = std::make_unique<TclLookAndFeel>(this);
};

std::string Store(classes::TComponent& owner)
{
    rtl::TMemoryStream stream;
    {
        classes::TWriter writer(stream);
        writer.WriteDescendent(&owner, nullptr);
    }
    std::string bytes(std::size_t(stream.Size()), '\0');
    stream.SetPosition(0);
    stream.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
    return classes::ObjectBinaryToText(bytes);
}

void Load(Owner& owner, const std::string& text)
{
    rtl::TStringStream stream(classes::ObjectTextToBinary(text));
    classes::TReader(stream).ReadRootComponent(&owner);
}

TEST_F(LookAndFeelTest, StoredFormKeepsAssignedValuesAndUnknownSkins)
{
    Owner owner(nullptr);
    owner.SetName("Owner1");
    EXPECT_EQ(Store(owner).find("LookAndFeel"), std::string::npos);

    owner.look->SetNativeStyle(false);
    owner.look->SetSkinName("Black");  // no such skin
    const std::string text = Store(owner);
    EXPECT_EQ(text.find("LookAndFeel.Kind"), std::string::npos);
    EXPECT_NE(text.find("LookAndFeel.NativeStyle = False"), std::string::npos);
    EXPECT_NE(text.find("LookAndFeel.SkinName = 'Black'"), std::string::npos);
    EXPECT_EQ(text.find("SkinName"), text.rfind("SkinName"));

    Owner copy(nullptr);
    Load(copy, text);
    EXPECT_EQ(copy.look->SkinName(), "Black");
    EXPECT_EQ(copy.look->AssignedValues(), controls::lfvNativeStyle | controls::lfvSkinName);
    EXPECT_EQ(copy.look->SkinPainter(), nullptr);

    Load(copy, "object Owner1: TLookOwner\n  LookAndFeel.Kind = lfOffice11\nend\n");
    EXPECT_EQ(copy.look->Kind(), controls::lfOffice11);
}

TEST_F(LookAndFeelTest, KindOutsideTheEnumerationIsAReadErrorNamingTheProperty)
{
    Owner owner(nullptr);
    try {
        Load(owner, "object Owner1: TLookOwner\n  LookAndFeel.Kind = lfPlastic\nend\n");
        FAIL() << "no error";
    } catch (const rtl::EReadError& e) {
        EXPECT_NE(e.Message().find("LookAndFeel.Kind"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(owner.look->AssignedValues(), 0);
}

TEST_F(LookAndFeelTest, StoredControllerSetsTheRootAndItsEndResetsIt)
{
    {
        Owner form(nullptr);
        Load(form, "object Form1: TLookOwner\n"
                   "  object Controller1: TclLookAndFeelController\n"
                   "    Kind = lfFlat\n"
                   "    SkinName = 'Black'\n"
                   "  end\n"
                   "end\n");
        ASSERT_EQ(form.ComponentCount(), 1);
        EXPECT_EQ(Root().Kind(), controls::lfFlat);
        EXPECT_EQ(Root().SkinName(), "Black");
        EXPECT_EQ(form.look->Kind(), controls::lfFlat);
        // Written on its own: the kind and the skin name, the defaults left out.
        const std::string text = Store(*form.Components(0));
        EXPECT_NE(text.find("Kind = lfFlat"), std::string::npos) << text;
        EXPECT_NE(text.find("SkinName = 'Black'"), std::string::npos) << text;
        EXPECT_EQ(text.find("NativeStyle"), std::string::npos) << text;
    }
    EXPECT_EQ(Root().AssignedValues(), 0);
    EXPECT_EQ(Root().Kind(), controls::lfUltraFlat);
}

TEST_F(LookAndFeelTest, SystemColourChangeRefreshesOffice2003ColoursThenEveryLookAndFeel)
{
    Listener listener;
    TclLookAndFeel first(nullptr);
    TclLookAndFeel second(nullptr);
    second.ChangeMaster(&first);
    const gui::TColor before = controls::uxOffice11Color(1);
    std::vector<gui::TColor> seen;
    listener.onChange = [&] { seen.push_back(controls::uxOffice11Color(1)); };
    second.AddChangeListener(&listener);

    const int index = 15;  // COLOR_BTNFACE
    const win::COLORREF face = win::RGB(120, 60, 30);
    win::SetSysColors(1, &index, &face);
    const gui::TColor after = controls::uxOffice11Color(1);
    EXPECT_NE(after, before);
    // From its own notifier, and through its master from the master's and the root's.
    EXPECT_EQ(listener.changes, (std::vector<TclLookAndFeelValues>(3, controls::lfvNativeStyle)));
    EXPECT_EQ(seen, (std::vector<gui::TColor>(3, after)));
}

TEST_F(LookAndFeelTest, PaletteNotifiersFirePrimaryFirstEachLastToFirst)
{
    std::vector<std::string> journal;
    controls::TclSystemPaletteChangedNotifier a(false);
    controls::TclSystemPaletteChangedNotifier b(true);
    controls::TclSystemPaletteChangedNotifier c(false);
    controls::TclSystemPaletteChangedNotifier d(true);
    std::function<void()> handlers[] = {[&] { journal.push_back("a"); }, [&] { journal.push_back("b"); },
                                        [&] { journal.push_back("c"); }, [&] { journal.push_back("d"); }};
    struct Relay {
        std::function<void()>* handler;
        void Fire() { (*handler)(); }
    };
    Relay relays[] = {{&handlers[0]}, {&handlers[1]}, {&handlers[2]}, {&handlers[3]}};
    controls::TclSystemPaletteChangedNotifier* notifiers[] = {&a, &b, &c, &d};
    for (int i = 0; i < 4; ++i)
        notifiers[i]->OnPaletteNotify = rtl::Method<void()>::Of<&Relay::Fire>(&relays[i]);
    const int index = 5;  // COLOR_WINDOW
    const win::COLORREF color = win::RGB(250, 250, 240);
    win::SetSysColors(1, &index, &color);
    EXPECT_EQ(journal, (std::vector<std::string>{"d", "b", "c", "a"}));
}

}  // namespace
