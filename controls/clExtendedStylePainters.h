#pragma once
// The registry of named style painters: every skin registers its painter class and its information
// object under the skin's name; a look-and-feel finds the painter of a skin name here, and painters of
// other control families find a skin painter's information object. Entries stand sorted by name
// (case-sensitive, the user's collation); look-ups ignore the case of A to Z.

#include "controls/clClasses.h"
#include "controls/clLookAndFeelPainters.h"
#include "platform/classes/Interfaces.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace controls {

// Told of every painter registered or removed, with the painter's class.
class IclStylePaintersListener : public virtual classes::IInterface {
public:
    static constexpr classes::TGUID IID = {0x9C4E1B27, 0x3D58, 0x4A06, {0xB1, 0x7F, 0x62, 0x0A, 0xE9, 0x44, 0x8D, 0x13}};
    virtual void PaintersChanged(TclCustomLookAndFeelPainterClass painter) = 0;

protected:
    ~IclStylePaintersListener() = default;
};

// One entry; owns its information object.
class TclExtendedStylePainterInfo : public classes::TObject {
public:
    TclExtendedStylePainterInfo(std::string name, std::unique_ptr<classes::TObject> data,
                                TclCustomLookAndFeelPainterClass painter);

    const std::string& Name() const { return name_; }
    classes::TObject* PainterData() const { return data_.get(); }
    TclCustomLookAndFeelPainterClass Painter() const { return painter_; }

private:
    std::string name_;
    std::unique_ptr<classes::TObject> data_;
    TclCustomLookAndFeelPainterClass painter_;
};

class TclExtendedStylePainters : public TclObjectList {
public:
    // False, and data left with the caller, when the name is taken in any letter case; else the entry is
    // added, the registry takes data and the listeners hear of the painter.
    bool RegisterStylePainter(std::string_view name, TclCustomLookAndFeelPainterClass painter,
                              std::unique_ptr<classes::TObject>& data);
    // False when no entry has the name; else the listeners hear of its painter and the entry is freed.
    bool UnregisterStylePainter(std::string_view name);
    // The painter of the first entry whose name equals the given one but for the case of A to Z; False
    // and painter unchanged when there is none.
    bool PainterOfName(std::string_view name, TclCustomLookAndFeelPainterClass& painter) const;
    // The information object of the first entry of exactly this painter class (no descendants); False and
    // null when there is none.
    bool FindPainterData(TclCustomLookAndFeelPainterClass painter, classes::TObject*& data) const;
    // A listener is listed once; listeners are told last to first.
    void AddPaintersListener(IclStylePaintersListener* listener);
    void RemovePaintersListener(IclStylePaintersListener* listener);

    TclExtendedStylePainterInfo* Painters(int index) const
    {
        return static_cast<TclExtendedStylePainterInfo*>(Get(index));
    }

private:
    int IndexOfName(std::string_view name) const;
    void TellListeners(TclCustomLookAndFeelPainterClass painter);

    std::vector<IclStylePaintersListener*> listeners_;
};

// The registry of the process; null before the controls start and after they end.
TclExtendedStylePainters* clGetStylePainterRegistry();

namespace detail {
void CreateStylePainterRegistry();
// Frees every entry without telling the listeners.
void FreeStylePainterRegistry();
}  // namespace detail

}  // namespace controls
