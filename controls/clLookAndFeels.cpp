#include "controls/clLookAndFeels.h"

#include "controls/uxOffice11Colors.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/core/Application.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/ObjectInstance.h"
#include "platform/win/Window.h"
#include "platform/wintypes/Messages.h"

#include <algorithm>

namespace controls {

namespace {

bool skinsEnabled = true;
TclLookAndFeel* rootLookAndFeel = nullptr;

TclCustomLookAndFeelPainterClass PainterOfKind(TclLookAndFeelKind kind)
{
    switch (kind) {
    case lfFlat: return TclFlatLookAndFeelPainter::Class();
    case lfStandard: return TclStandardLookAndFeelPainter::Class();
    case lfOffice11: return TclOffice11LookAndFeelPainter::Class();
    case lfUltraFlat: break;
    }
    return TclUltraFlatLookAndFeelPainter::Class();
}

classes::IInterface* Identity(IclLookAndFeelListener* listener)
{
    return listener;
}

bool IsController(IclLookAndFeelListener* listener)
{
    const classes::TObject* object = listener->ListenerObject();
    return object && object->InheritsFrom(TclLookAndFeelController::StaticClass());
}

// The one hidden window that hears of system colour changes, while any notifier exists.
struct PaletteListener {
    win::HWND window = nullptr;
    int references = 0;
    std::vector<TclSystemPaletteChangedNotifier*> primary;
    std::vector<TclSystemPaletteChangedNotifier*> others;
};
PaletteListener palette;

// Each listed notifier last to first; one may leave the lists (or free another) while it is told.
void FireAll(const std::vector<TclSystemPaletteChangedNotifier*>& group)
{
    const std::vector<TclSystemPaletteChangedNotifier*> listed = group;
    for (auto it = listed.rbegin(); it != listed.rend(); ++it)
        if (std::find(group.begin(), group.end(), *it) != group.end())
            (*it)->FirePaletteChanged();
}

void PaletteMessage(win::TMessage& message)
{
    if (message.Msg == win::WM_SYSCOLORCHANGE) {
        try {
            uxOffice11ColorsRefresh();
            FireAll(palette.primary);
            FireAll(palette.others);
        } catch (const rtl::Exception&) {
            if (gui::TApplication* application = gui::Application())
                application->HandleException(nullptr);
        }
    }
    message.Result = win::DefWindowProc(palette.window, message.Msg, message.WParam, message.LParam);
}

void AddPaletteListenerRef()
{
    if (palette.references++ > 0)
        return;
    uxOffice11ColorsAddRef();
    palette.window = win::AllocateHWnd(&PaletteMessage);
}

void ReleasePaletteListenerRef()
{
    if (--palette.references > 0)
        return;
    win::DeallocateHWnd(palette.window);
    palette.window = nullptr;
    uxOffice11ColorsRelease();
}

}  // namespace

const classes::TTypeInfo& LookAndFeelKindType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TclLookAndFeelKind", {"lfFlat", "lfStandard", "lfUltraFlat", "lfOffice11"});
    return type;
}

bool clSkinsEnabled()
{
    return skinsEnabled;
}

void clSetSkinsEnabled(bool value)
{
    skinsEnabled = value;
}

// TclSystemPaletteChangedNotifier

TclSystemPaletteChangedNotifier::TclSystemPaletteChangedNotifier(bool primary) : primary_(primary)
{
    AddPaletteListenerRef();
    (primary ? palette.primary : palette.others).push_back(this);
}

TclSystemPaletteChangedNotifier::~TclSystemPaletteChangedNotifier()
{
    std::erase(primary_ ? palette.primary : palette.others, this);
    ReleasePaletteListenerRef();
}

void TclSystemPaletteChangedNotifier::FirePaletteChanged()
{
    if (OnPaletteNotify)
        OnPaletteNotify();
}

// TclLookAndFeel

TclLookAndFeel::TclLookAndFeel(classes::TPersistent* owner) : TclInterfacedPersistent(owner)
{
    paletteNotifier_.OnPaletteNotify = rtl::Method<void()>::Of<&TclLookAndFeel::ApplyNativeStyleChange>(this);
    if (rootLookAndFeel) {
        rootLookAndFeel->AddChangeListener(this);
        kind_ = ResolvedKind();
        nativeStyle_ = ResolvedNativeStyle();
        skinName_ = ResolvedSkinName();
        if (!nativeStyle_)
            skinPainter_ = ResolvedSkinPainter();
    }
    resolvedPainter_ = ResolvePainterClass(0);
}

TclLookAndFeel::TclLookAndFeel(RootTag) : TclLookAndFeel(nullptr)
{
    root_ = true;
}

TclLookAndFeel::~TclLookAndFeel()
{
    if (TclExtendedStylePainters* registry = clGetStylePainterRegistry())
        registry->RemovePaintersListener(this);
    paletteNotifier_.OnPaletteNotify = nullptr;
    destroying_ = true;
    for (IclLookAndFeelListener* listener : std::vector<IclLookAndFeelListener*>(listeners_))
        listener->LookAndFeelDestroying(this);
    listeners_.clear();
    if (TclLookAndFeel* master = EffectiveMaster())
        master->RemoveChangeListener(this);
    if (root_ && rootLookAndFeel == this)
        rootLookAndFeel = nullptr;
}

const classes::TClassInfo& TclLookAndFeel::StaticClass()
{
    static const classes::TClassInfo info("TclLookAndFeel", &TclInterfacedPersistent::StaticClass(),
                                          [](classes::TClassInfo& c) {
                                              classes::ClassBuilder<TclLookAndFeel>(c)
                                                  .Implements<IclLookAndFeelListener>()
                                                  .Implements<IclStylePaintersListener>()
                                                  .Property("Kind", LookAndFeelKindType(), &TclLookAndFeel::Kind,
                                                            &TclLookAndFeel::SetKind)
                                                  .Stored(&TclLookAndFeel::IsKindStored)
                                                  .Property("NativeStyle", &TclLookAndFeel::NativeStyle,
                                                            &TclLookAndFeel::SetNativeStyle)
                                                  .Stored(&TclLookAndFeel::IsNativeStyleStored)
                                                  // Written as the defined property below.
                                                  .Property("SkinName", &TclLookAndFeel::SkinName,
                                                            &TclLookAndFeel::SetSkinName)
                                                  .Stored(false);
                                          });
    return info;
}

void TclLookAndFeel::Assign(const classes::TPersistent* source)
{
    const auto* other = dynamic_cast<const TclLookAndFeel*>(source);
    if (!other)
        return TclInterfacedPersistent::Assign(source);
    SaveState();
    local_ = other->local_;
    assigned_ = other->assigned_;
    TclLookAndFeel* master = other->EffectiveMaster();
    if (!root_ && master != this && master != EffectiveMaster())
        SwapMaster(master);
    ApplySavedStateChange();
}

void TclLookAndFeel::DefineProperties(classes::TFiler& filer)
{
    TclInterfacedPersistent::DefineProperties(filer);
    filer.DefineProperty(
        "SkinName", [this](classes::TReader& reader) { SetSkinName(reader.ReadString()); },
        [this](classes::TWriter& writer) { writer.WriteString(local_.skinName); }, IsSkinNameStored());
}

TclLookAndFeelKind TclLookAndFeel::ResolvedKind() const
{
    if (assigned_ & lfvKind)
        return local_.kind;
    const TclLookAndFeel* master = EffectiveMaster();
    return master ? master->Kind() : lfUltraFlat;
}

bool TclLookAndFeel::ResolvedNativeStyle() const
{
    if (assigned_ & lfvNativeStyle)
        return local_.nativeStyle;
    const TclLookAndFeel* master = EffectiveMaster();
    return master ? master->NativeStyle() : false;
}

TuxSkinName TclLookAndFeel::ResolvedSkinName() const
{
    if (assigned_ & lfvSkinName)
        return local_.skinName;
    const TclLookAndFeel* master = EffectiveMaster();
    return master ? master->SkinName() : TuxSkinName();
}

TclCustomLookAndFeelPainterClass TclLookAndFeel::ResolvedSkinPainter() const
{
    TclCustomLookAndFeelPainterClass painter = nullptr;
    if (assigned_ & lfvSkinName)
        FindSkinPainter(local_.skinName, painter);
    else if (const TclLookAndFeel* master = EffectiveMaster())
        master->FindSkinPainter(master->SkinName(), painter);
    return painter;
}

bool TclLookAndFeel::FindSkinPainter(const TuxSkinName& name, TclCustomLookAndFeelPainterClass& painter) const
{
    painter = nullptr;
    const TclExtendedStylePainters* registry = clGetStylePainterRegistry();
    if (name.empty() || !registry || !skinsEnabled)
        return false;
    return registry->PainterOfName(name, painter);
}

void TclLookAndFeel::ApplyNativeStyleChange()
{
    NotifyLookAndFeelChanged(lfvNativeStyle);
}

void TclLookAndFeel::SetKind(TclLookAndFeelKind value)
{
    const TclLookAndFeelKind current = kind_;
    local_.kind = value;
    assigned_ |= lfvKind;
    if (ResolvedKind() != current)
        NotifyLookAndFeelChanged(lfvKind);
}

void TclLookAndFeel::SetNativeStyle(bool value)
{
    const bool current = nativeStyle_;
    local_.nativeStyle = value;
    assigned_ |= lfvNativeStyle;
    if (ResolvedNativeStyle() != current)
        NotifyLookAndFeelChanged(lfvNativeStyle);
}

void TclLookAndFeel::SetSkinName(const TuxSkinName& value)
{
    const TuxSkinName current = skinName_;
    local_.skinName = value;
    assigned_ |= lfvSkinName;
    if (ResolvedSkinName() != current)
        NotifyLookAndFeelChanged(lfvSkinName);
}

void TclLookAndFeel::SetAssignedValues(TclLookAndFeelValues value)
{
    value &= lfvKind | lfvNativeStyle | lfvSkinName;
    if (value == assigned_)
        return;
    SaveState();
    assigned_ = value;
    ApplySavedStateChange();
}

void TclLookAndFeel::AddChangeListener(IclLookAndFeelListener* listener)
{
    // A dying look-and-feel takes no new listeners (its dependants turning to the root while it dies).
    if (!listener || destroying_ || (!root_ && IsController(listener)))
        return;
    const auto same = [listener](IclLookAndFeelListener* l) { return Identity(l) == Identity(listener); };
    if (std::any_of(listeners_.begin(), listeners_.end(), same))
        return;
    listeners_.push_back(listener);
    if (root_ && IsController(listener))
        ++controllers_;
}

void TclLookAndFeel::RemoveChangeListener(IclLookAndFeelListener* listener)
{
    if (destroying_ || !listener)
        return;
    const auto same = [listener](IclLookAndFeelListener* l) { return Identity(l) == Identity(listener); };
    const auto it = std::find_if(listeners_.begin(), listeners_.end(), same);
    if (it == listeners_.end())
        return;
    listeners_.erase(it);
    if (root_ && IsController(listener) && --controllers_ == 0)
        Reset();
}

TclLookAndFeel* TclLookAndFeel::EffectiveMaster() const
{
    if (root_)
        return nullptr;
    return master_ ? master_ : rootLookAndFeel;
}

void TclLookAndFeel::SwapMaster(TclLookAndFeel* master)
{
    if (TclLookAndFeel* old = EffectiveMaster())
        old->RemoveChangeListener(this);
    master_ = master;
    if (TclLookAndFeel* now = EffectiveMaster())
        now->AddChangeListener(this);
}

void TclLookAndFeel::ChangeMaster(TclLookAndFeel* master)
{
    if (root_ || master == this || master == EffectiveMaster())
        return;
    SaveState();
    SwapMaster(master);
    ApplySavedStateChange();
}

void TclLookAndFeel::RefreshAll()
{
    NotifyLookAndFeelChanged(lfvKind | lfvNativeStyle | lfvSkinName);
}

void TclLookAndFeel::SetFromPainterStyle(int style)
{
    SetNativeStyle(style == 3);
    if (NativeStyle())
        return;
    switch (style) {
    case 0: SetKind(lfFlat); break;
    case 1: SetKind(lfStandard); break;
    case 2: SetKind(lfUltraFlat); break;
    case 4: SetKind(lfOffice11); break;
    default: break;
    }
}

TclCustomLookAndFeelPainterClass TclLookAndFeel::GetActivePainter() const
{
    return explicitPainter_ ? explicitPainter_ : resolvedPainter_;
}

TclCustomLookAndFeelPainterClass TclLookAndFeel::PainterForThemedType(TuxThemedObjectType type) const
{
    return ResolvePainterClass(std::uint32_t(1) << type);
}

void TclLookAndFeel::LookAndFeelChanged(TclLookAndFeel*, TclLookAndFeelValues changed)
{
    HandleMasterChange(changed);
}

void TclLookAndFeel::LookAndFeelDestroying(TclLookAndFeel*)
{
    ChangeMaster(nullptr);
}

void TclLookAndFeel::PaintersChanged(TclCustomLookAndFeelPainterClass)
{
    RefreshAll();
}

void TclLookAndFeel::HandleMasterChange(TclLookAndFeelValues changed)
{
    NotifyLookAndFeelChanged(changed & ~assigned_);
}

TclCustomLookAndFeelPainterClass TclLookAndFeel::ResolvePainterClass(std::uint32_t themedTypes) const
{
    if (nativeStyle_ && AreThemeTypesAvailable(themedTypes))
        return TclWinXPLookAndFeelPainter::Class();
    if (skinPainter_)
        return skinPainter_;
    return PainterOfKind(kind_);
}

void TclLookAndFeel::NotifyLookAndFeelChanged(TclLookAndFeelValues changed)
{
    if (!changed || destroying_)
        return;
    kind_ = ResolvedKind();
    nativeStyle_ = ResolvedNativeStyle();
    skinName_ = ResolvedSkinName();
    skinPainter_ = nativeStyle_ ? nullptr : ResolvedSkinPainter();
    resolvedPainter_ = ResolvePainterClass(0);
    if (TclExtendedStylePainters* registry = clGetStylePainterRegistry()) {
        if (skinPainter_)
            registry->AddPaintersListener(this);
        else
            registry->RemovePaintersListener(this);
    }
    // A listener may leave the list (or add others) while it is told: the position is visited again
    // when its listener left, so the next one is not skipped.
    for (std::size_t i = 0; i < listeners_.size();) {
        IclLookAndFeelListener* listener = listeners_[i];
        listener->LookAndFeelChanged(this, changed);
        if (i < listeners_.size() && listeners_[i] == listener)
            ++i;
    }
    if (OnChanged)
        OnChanged(this, changed);
}

void TclLookAndFeel::ApplySavedStateChange()
{
    TclLookAndFeelValues changed = 0;
    if (ResolvedKind() != saved_.kind)
        changed |= lfvKind;
    if (ResolvedNativeStyle() != saved_.nativeStyle)
        changed |= lfvNativeStyle;
    if (ResolvedSkinName() != saved_.skinName)
        changed |= lfvSkinName;
    NotifyLookAndFeelChanged(changed);
}

TclLookAndFeel* GetRootLookAndFeel()
{
    return rootLookAndFeel;
}

// TclLookAndFeelController

TclLookAndFeelController::TclLookAndFeelController(classes::TComponent* owner) : TComponent(owner)
{
    if (rootLookAndFeel)
        rootLookAndFeel->AddChangeListener(this);
}

TclLookAndFeelController::~TclLookAndFeelController()
{
    if (rootLookAndFeel)
        rootLookAndFeel->RemoveChangeListener(this);
}

const classes::TClassInfo& TclLookAndFeelController::StaticClass()
{
    static const classes::TClassInfo info(
        "TclLookAndFeelController", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TclLookAndFeelController>(c)
                .Implements<IclLookAndFeelListener>()
                .Property("Kind", LookAndFeelKindType(), &TclLookAndFeelController::Kind,
                          &TclLookAndFeelController::SetKind)
                .Default(lfUltraFlat)
                .Property("NativeStyle", &TclLookAndFeelController::NativeStyle,
                          &TclLookAndFeelController::SetNativeStyle)
                .Default(0)
                .Property("SkinName", &TclLookAndFeelController::SkinName, &TclLookAndFeelController::SetSkinName)
                .Stored(&TclLookAndFeelController::IsSkinNameStored);
        });
    return info;
}

TclLookAndFeelKind TclLookAndFeelController::Kind() const
{
    return rootLookAndFeel ? rootLookAndFeel->Kind() : lfUltraFlat;
}

void TclLookAndFeelController::SetKind(TclLookAndFeelKind value)
{
    if (rootLookAndFeel)
        rootLookAndFeel->SetKind(value);
}

bool TclLookAndFeelController::NativeStyle() const
{
    return rootLookAndFeel && rootLookAndFeel->NativeStyle();
}

void TclLookAndFeelController::SetNativeStyle(bool value)
{
    if (rootLookAndFeel)
        rootLookAndFeel->SetNativeStyle(value);
}

TuxSkinName TclLookAndFeelController::SkinName() const
{
    return rootLookAndFeel ? rootLookAndFeel->SkinName() : TuxSkinName();
}

void TclLookAndFeelController::SetSkinName(const TuxSkinName& value)
{
    if (rootLookAndFeel)
        rootLookAndFeel->SetSkinName(value);
}

std::int32_t TclLookAndFeelController::QueryInterface(const classes::TGUID& iid, void** object)
{
    return classes::GetInterface(this, iid, object);
}

namespace detail {
void InitializeLookAndFeels()
{
    skinsEnabled = true;
    // Forms store their controllers.
    classes::RegisterClass(TclLookAndFeelController::StaticClass());
    rootLookAndFeel = new TclLookAndFeel(TclLookAndFeel::RootTag{});
}

void FinalizeLookAndFeels()
{
    delete rootLookAndFeel;
    rootLookAndFeel = nullptr;
    classes::UnRegisterClass(TclLookAndFeelController::StaticClass());
}
}  // namespace detail

}  // namespace controls
