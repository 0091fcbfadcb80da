#pragma once
// TUpDown: a pair of arrow buttons that step Position by Increment within Min .. Max (round past an end
// with Wrap), showing it as the text of the Associate control (with thousand separators when Thousands).
// A held button repeats on a window timer. OnChanging may refuse a step; OnClick tells which button
// stepped. The buttons stand beside the associate (AlignButton) and take its height. With ArrowKeys the
// associate's Up and Down keys (Left and Right on a horizontal pair) step as the buttons do: the up-down
// sits in front of the associate's WindowProc while it is associated.

#include "platform/gui/core/CustomControl.h"

namespace gui {

enum TUDAlignButton { udLeft, udRight };
enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };
using TUDClickEvent = rtl::Method<void(classes::TObject* sender, TUDBtnType button)>;
using TUDChangingEvent = rtl::Method<void(classes::TObject* sender, bool& allowChange)>;

class TUpDown : public TCustomControl {
public:
    explicit TUpDown(classes::TComponent* owner);
    ~TUpDown() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* value);
    int Min() const { return min_; }
    void SetMin(int value) { min_ = value; }
    int Max() const { return max_; }
    void SetMax(int value) { max_ = value; }
    int Position() const { return position_; }
    void SetPosition(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation value);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value) { wrap_ = value; }
    bool Thousands() const { return thousands_; }
    void SetThousands(bool value);
    TUDAlignButton AlignButton() const { return alignButton_; }
    void SetAlignButton(TUDAlignButton value);
    bool ArrowKeys() const { return arrowKeys_; }
    void SetArrowKeys(bool value) { arrowKeys_ = value; }

    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;

    void Dispatch(win::TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(classes::TComponent* component, classes::TOperation operation) override;
    void Loaded() override;

private:
    void Step(TUDBtnType button);
    void ShowPosition();
    void PlaceBesideAssociate();
    void HookAssociate();
    void UnhookAssociate();
    void AssociateWndProc(win::TMessage& message);

    TWinControl* associate_ = nullptr;
    TWndMethod associateProc_;  // the associate's WindowProc before ours
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int increment_ = 1;
    TUDOrientation orientation_ = udVertical;
    bool wrap_ = false;
    bool thousands_ = true;
    TUDAlignButton alignButton_ = udRight;
    bool arrowKeys_ = true;
    int pressed_ = -1;  // the button held (TUDBtnType), -1 none
};

}  // namespace gui
