#ifndef GLIMMERDROP_TESTS_FRAMEWORK_APPLICATION_APPLICATIONPROBE_H
#define GLIMMERDROP_TESTS_FRAMEWORK_APPLICATION_APPLICATIONPROBE_H

#include <string>
#include <vector>

#include "Framework/application/HApplication.h"
#include "Framework/application/HControl.h"
#include "Framework/application/HInputDevice.h"
#include "tests/support/MemoryDisplayDevice.h"

// An input device with nothing to pump; counts what the application asks of it.
class QuietInputDevice : public HInputDevice
{
public:
    bool poll() override
    {
        ++polls;
        return true;
    }
    void suspend() override { ++suspends; }
    void resume() override { ++resumes; }

    int polls = 0;
    int suspends = 0;
    int resumes = 0;

    // Installs itself as the process's input device for the life of the object.
    static QuietInputDevice* s_pInstalled;
};

// An application that records what the framework does with it.
class ApplicationProbe : public HApplication
{
public:
    ApplicationProbe();
    ~ApplicationProbe() override;

    bool init( bool trace, bool journal, const char* kpExeDir, const char* kpDemoName, bool softwareCursor,
               bool soundEnabled ) override;
    void unloadGraphics() override;
    void shutdown() override;
    int handleEvent( const HEvent& event ) override;
    void drawRect( const HRect& clip ) override;
    VXSprite* getCursorImage() override { return pCursor; }
    void afterRedraw() override { calls.push_back( "afterRedraw" ); }
    uint32_t untilNextChange() const override { return nextChange; }
    void setActive( bool active ) override
    {
        calls.push_back( active ? "setActive(1)" : "setActive(0)" );
        HApplication::setActive( active );
    }

    MemoryDisplayDevice* display() const { return static_cast<MemoryDisplayDevice*>( m_pDisplayDevice ); }
    // Makes the display directly, as the devices step would.
    void makeDisplay();

    using HApplication::m_beginPause;
    using HApplication::m_createDevices;
    using HApplication::m_dispatchEvent;
    using HApplication::m_endPause;
    using HApplication::m_loadResourceFile;
    using HApplication::m_runBenchmark;

    // What init received.
    bool initTrace = false;
    bool initJournal = false;
    std::string initExeDir;
    std::string initDemoName;
    bool initResult = true;
    bool callBaseInit = false;

    bool displayWorks = true;
    std::vector<std::string> calls;
    std::vector<HEvent> handled;
    std::vector<HRect> drawn;
    // The event type whose handling ends the main loop; -1 for none.
    int32_t stopOn = -1;
    VXSprite* pCursor = nullptr;
    uint32_t nextChange = HFramePacer::kNoDeadline;

protected:
    bool m_createDisplayDevice( const char* kpTitle, bool fullscreen, bool noDoubleClick, int32_t width,
                                int32_t height ) override;
};

// A control that records the events it was offered and the rectangles it drew.
class ProbeControl : public HControl
{
public:
    ProbeControl( std::vector<std::string>& log, const char* kpName, bool takes );
    ~ProbeControl() override;

    const char* getClassName() const override { return "VXControl"; }
    bool isA( const char* kpClassName ) const override { return sameClassName( kpClassName, "VXControl" ); }
    void setEnabled( bool enabled ) override { m_enabled = enabled; }
    bool isEnabled() const override { return m_enabled; }
    void draw( HDisplayDevice* pDisplay, const HRect& clip ) override;
    void setOwner( HApplication* pOwner ) override { pOwnerSeen = pOwner; }
    bool handleEvent( const HEvent& event ) override;

    HApplication* pOwnerSeen = nullptr;

private:
    std::vector<std::string>& m_log;
    std::string m_name;
    bool m_takes;
    bool m_enabled = true;
};

#endif
