// What an object on a report page asks of the window that shows the page: where it is drawn,
// the frame its in-place window lives in, and a redraw when its view or activation changes.
// A page opened for a command line has no such window; its objects then refuse activation.
#pragma once
#include <ole2.h>

class CQLNPageObject;

class CQLNPageContainer
{
public:
    virtual HWND PageWindow() const = 0;
    virtual IOleInPlaceFrame* InPlaceFrame() = 0;
    // The object's place in client pixels of the page window, as it is shown now.
    virtual RECT ClientRectOf(const CQLNPageObject& object) const = 0;
    // The zoom in percent the page is shown at.
    virtual int Zoom() const = 0;
    virtual void ObjectChanged(CQLNPageObject& object) = 0;
    virtual void ObjectDeactivated(CQLNPageObject& object) = 0;

protected:
    ~CQLNPageContainer() = default;
};
