#pragma once
// What a frame painter gives the non-client subclasser: the window, the
// margins, the frame painting and the reactions to presses, menu loops and
// Alt keys. Coordinates are relative to the window's top-left corner. The
// members of the interface itself do nothing.
#include "chrome/object.h"
#include "platform/winsys/types.h"

#include <vector>

namespace chrome {

using namespace winsys;

class cNCCalcSize;

class INCAreaModifier : public virtual Object {
public:
    // Takes the implementation property off every window where it still names this object.
    ~INCAreaModifier() override;

    virtual HWND hwnd() { return 0; }
    virtual void GetTopMarginHeight(LONG& /*cy*/) {}
    virtual void GetLeftMarginWidth(LONG& /*cx*/) {}
    virtual void GetRightMarginWidth(LONG& /*cx*/) {}
    virtual void GetBottomMarginHeight(LONG& /*cy*/) {}
    virtual void NCPaint(HDC, LONG /*lLeft*/, LONG /*lTop*/, LONG /*lRight*/, LONG /*lBottom*/) {}
    virtual void HitTest(LONG /*x*/, LONG /*y*/, LONG& /*eHitTest*/) {}
    virtual void NCMouseDown(LONG /*x*/, LONG /*y*/, bool& /*bHandled*/, HDC, LONG /*lLeft*/, LONG /*lTop*/, LONG /*lRight*/, LONG /*lBottom*/) {}
    virtual void NCMouseUp(LONG /*x*/, LONG /*y*/, HDC, LONG /*lLeft*/, LONG /*lTop*/, LONG /*lRight*/, LONG /*lBottom*/) {}
    virtual void InitMenuPopup(WPARAM, LPARAM) {}
    virtual void ExitMenuLoop() {}
    virtual bool AltKeyAccelerator(LONG /*vKey*/) { return false; }

private:
    friend class cNCCalcSize;
    std::vector<HWND> propertyOn_;
};

} // namespace chrome
