#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HCONTROL_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HCONTROL_H

#include "Framework/graphics/HRect.h"
#include "Framework/object/HObject.h"

class HApplication;
class HDisplayDevice;
struct HEvent;

// What the application needs of a control on its screen: events offered in list order, and
// drawing clipped to each repainted rectangle. The game's image buttons implement it; their
// class name is "VXControl", the only one the application's control list accepts.
class HControl : public HObject
{
public:
    virtual void setEnabled( bool enabled ) = 0;
    virtual bool isEnabled() const = 0;
    virtual void draw( HDisplayDevice* pDisplay, const HRect& clip ) = 0;
    // The application that lists the control; its invalidateRect receives the control's area.
    virtual void setOwner( HApplication* pOwner ) = 0;
    // True when the control took the event, which ends the walk through the list.
    virtual bool handleEvent( const HEvent& event ) = 0;
};

#endif
