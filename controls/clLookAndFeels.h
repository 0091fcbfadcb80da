#pragma once
// Look-and-feel objects: each control owns a TclLookAndFeel that chooses the painter class drawing it:
// one of four fixed kinds, the system's visual style, or a named skin. A look-and-feel takes every value
// it does not set itself from its master, the masters ending in the process-wide root, which a
// TclLookAndFeelController on a form edits. Changes reach the dependent objects and their listeners (the
// controls); a change of the system colours re-evaluates every look-and-feel.

#include "controls/clClasses.h"
#include "controls/clExtendedStylePainters.h"
#include "controls/clLookAndFeelPainters.h"
#include "controls/uxTheme.h"
#include "platform/classes/Component.h"
#include "platform/classes/Interfaces.h"
#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Method.h"

#include <cstdint>
#include <string>
#include <vector>

namespace controls {

// Which values an object sets itself, or which values changed.
using TclLookAndFeelValues = std::uint8_t;
enum : TclLookAndFeelValues { lfvKind = 1, lfvNativeStyle = 2, lfvSkinName = 4 };

using TuxSkinName = std::string;

const classes::TTypeInfo& LookAndFeelKindType();

// Skins are looked up while this is on (from the start).
bool clSkinsEnabled();
void clSetSkinsEnabled(bool value);

class TclLookAndFeel;
namespace detail {
void InitializeLookAndFeels();
}

// A dependant of a look-and-feel: a control, or a look-and-feel whose master it is.
class IclLookAndFeelListener : public virtual classes::IInterface {
public:
    static constexpr classes::TGUID IID = {0x4B7D0C91, 0x2E6A, 0x4F38, {0x8D, 0x15, 0xA3, 0x7C, 0x09, 0xE2, 0x5B, 0x61}};
    // The object behind the interface.
    virtual classes::TObject* ListenerObject() = 0;
    virtual void LookAndFeelChanged(TclLookAndFeel* sender, TclLookAndFeelValues changed) = 0;
    virtual void LookAndFeelDestroying(TclLookAndFeel* sender) = 0;

protected:
    ~IclLookAndFeelListener() = default;
};

// Fires OnPaletteNotify when the system colours change: primary notifiers first, each group last to
// first. The first notifier makes the one hidden window that hears of the change (and takes a reference
// on the Office 2003 colours, which it refreshes before any notifier); the last one frees it.
class TclSystemPaletteChangedNotifier {
public:
    explicit TclSystemPaletteChangedNotifier(bool primary = false);
    virtual ~TclSystemPaletteChangedNotifier();
    TclSystemPaletteChangedNotifier(const TclSystemPaletteChangedNotifier&) = delete;
    TclSystemPaletteChangedNotifier& operator=(const TclSystemPaletteChangedNotifier&) = delete;

    virtual void FirePaletteChanged();
    bool Primary() const { return primary_; }

    rtl::Method<void()> OnPaletteNotify;

private:
    bool primary_;
};

class TclLookAndFeel : public TclInterfacedPersistent,
                       public IclLookAndFeelListener,
                       public IclStylePaintersListener {
public:
    // Without assigned values: ultra-flat, not native, no skin, each taken from the root while one exists.
    explicit TclLookAndFeel(classes::TPersistent* owner);
    // Tells every listener that it dies, then leaves its master.
    ~TclLookAndFeel() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    // From another look-and-feel its own values, its assigned set and its master.
    void Assign(const classes::TPersistent* source) override;
    // "SkinName", kept even when no such skin is registered.
    void DefineProperties(classes::TFiler& filer) override;

    // The values the object's own and inherited settings give.
    virtual TclLookAndFeelKind ResolvedKind() const;
    virtual bool ResolvedNativeStyle() const;
    virtual TuxSkinName ResolvedSkinName() const;
    // The painter of the skin in force, or null.
    virtual TclCustomLookAndFeelPainterClass ResolvedSkinPainter() const;
    // False for an empty name, an unregistered one or with skins off.
    virtual bool FindSkinPainter(const TuxSkinName& name, TclCustomLookAndFeelPainterClass& painter) const;
    // Re-evaluates the native style (bound to the system colours' change).
    virtual void ApplyNativeStyleChange();

    TclLookAndFeelKind Kind() const { return kind_; }
    void SetKind(TclLookAndFeelKind value);
    bool NativeStyle() const { return nativeStyle_; }
    void SetNativeStyle(bool value);
    const TuxSkinName& SkinName() const { return skinName_; }
    void SetSkinName(const TuxSkinName& value);
    TclLookAndFeelValues AssignedValues() const { return assigned_; }
    void SetAssignedValues(TclLookAndFeelValues value);
    // Clears the assigned values.
    void Reset() { SetAssignedValues(0); }

    // A listener is listed once. A controller may only listen to the root; when the last controller
    // leaves, the root's assigned values are cleared.
    void AddChangeListener(IclLookAndFeelListener* listener);
    void RemoveChangeListener(IclLookAndFeelListener* listener);
    TclLookAndFeel* Master() const { return master_; }
    // The master, or the root when none is set; none for the root itself.
    TclLookAndFeel* EffectiveMaster() const;
    void ChangeMaster(TclLookAndFeel* master);
    bool IsRoot() const { return root_; }
    // Tells the listeners that every value changed.
    void RefreshAll();
    // 0 flat, 1 standard, 2 ultra-flat, 3 native, 4 Office 2003.
    void SetFromPainterStyle(int style);

    // The painter a control forces, else the painter the values choose.
    TclCustomLookAndFeelPainterClass GetActivePainter() const;
    TclCustomLookAndFeelPainterClass Painter() const { return explicitPainter_; }
    void SetPainter(TclCustomLookAndFeelPainterClass painter) { explicitPainter_ = painter; }
    // The native painter when the native style is in force and the type can be opened; else the skin's
    // painter, else the kind's.
    TclCustomLookAndFeelPainterClass PainterForThemedType(TuxThemedObjectType type) const;
    TclCustomLookAndFeelPainterClass SkinPainter() const { return skinPainter_; }

    // After the listeners.
    rtl::Method<void(TclLookAndFeel* sender, TclLookAndFeelValues changed)> OnChanged;

    // As a master's listener, and as the painter registry's.
    classes::TObject* ListenerObject() override { return this; }
    void LookAndFeelChanged(TclLookAndFeel* sender, TclLookAndFeelValues changed) override;
    void LookAndFeelDestroying(TclLookAndFeel* sender) override;
    void PaintersChanged(TclCustomLookAndFeelPainterClass painter) override;

protected:
    // Tells the listeners of the master's changes that this object does not override.
    virtual void HandleMasterChange(TclLookAndFeelValues changed);
    // The native painter when the native style is in force and the themed types are usable, else the
    // skin painter, else the kind's painter.
    TclCustomLookAndFeelPainterClass ResolvePainterClass(std::uint32_t themedTypes) const;
    void NotifyLookAndFeelChanged(TclLookAndFeelValues changed);

private:
    friend void detail::InitializeLookAndFeels();
    struct Values {
        TclLookAndFeelKind kind;
        bool nativeStyle;
        TuxSkinName skinName;
    };
    struct RootTag {};
    explicit TclLookAndFeel(RootTag);

    void SaveState() { saved_ = Values{kind_, nativeStyle_, skinName_}; }
    void ApplySavedStateChange();
    // Leaves the old effective master and listens to the new one; tells nobody.
    void SwapMaster(TclLookAndFeel* master);
    bool IsSkinNameStored() const { return (assigned_ & lfvSkinName) != 0; }
    bool IsKindStored() const { return (assigned_ & lfvKind) != 0; }
    bool IsNativeStyleStored() const { return (assigned_ & lfvNativeStyle) != 0; }

    Values local_{lfUltraFlat, false, {}};
    TclLookAndFeelValues assigned_ = 0;
    TclLookAndFeelKind kind_ = lfUltraFlat;
    bool nativeStyle_ = false;
    TuxSkinName skinName_;
    Values saved_{lfUltraFlat, false, {}};
    TclLookAndFeel* master_ = nullptr;
    bool root_ = false;
    std::vector<IclLookAndFeelListener*> listeners_;
    int controllers_ = 0;
    TclCustomLookAndFeelPainterClass skinPainter_ = nullptr;
    TclCustomLookAndFeelPainterClass resolvedPainter_ = nullptr;
    TclCustomLookAndFeelPainterClass explicitPainter_ = nullptr;
    TclSystemPaletteChangedNotifier paletteNotifier_;
    bool destroying_ = false;
};

// The root look-and-feel; null before the controls start and after they end.
TclLookAndFeel* GetRootLookAndFeel();

// Edits the root look-and-feel from a form; with no root it reads the defaults and ignores writes.
class TclLookAndFeelController : public classes::TComponent, public IclLookAndFeelListener {
public:
    explicit TclLookAndFeelController(classes::TComponent* owner);
    ~TclLookAndFeelController() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TclLookAndFeelKind Kind() const;
    void SetKind(TclLookAndFeelKind value);
    bool NativeStyle() const;
    void SetNativeStyle(bool value);
    TuxSkinName SkinName() const;
    void SetSkinName(const TuxSkinName& value);

    std::int32_t QueryInterface(const classes::TGUID& iid, void** object) override;
    std::int32_t AddRef() override { return -1; }
    std::int32_t Release() override { return -1; }
    classes::TObject* ListenerObject() override { return this; }
    void LookAndFeelChanged(TclLookAndFeel*, TclLookAndFeelValues) override {}
    void LookAndFeelDestroying(TclLookAndFeel*) override {}

private:
    bool IsSkinNameStored() const { return !SkinName().empty(); }
};

namespace detail {
// Creates and frees the root.
void InitializeLookAndFeels();
void FinalizeLookAndFeels();
}  // namespace detail

}  // namespace controls
