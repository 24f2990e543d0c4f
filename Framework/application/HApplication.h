#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HAPPLICATION_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HAPPLICATION_H

#include <cstdint>

#include "Framework/application/HDirtyRectList.h"
#include "Framework/application/HEventQueue.h"
#include "Framework/application/HFramePacer.h"
#include "Framework/application/HRandom.h"
#include "Framework/audio/HAudioMixerStreamingAudioSource.h"
#include "Framework/audio/HSoundBank.h"
#include "Framework/graphics/HRect.h"

class HAudioDevice;
class HAudioStream;
class HLock;
class HOVAudioStream;
class HControl;
class HCvarManager;
class HDisplayDevice;
class HFile;
class HFileSystem;
class HInputDevice;
class HObjectList;
class HObjectListNode;
class HProcessServices;
class HStandardFileSystem;
class VXSprite;

// The one application object of the process: it creates the devices in a fixed order, runs the
// main loop over event time stamps, keeps the repaint list and the pause bookkeeping, owns the
// random generator, and takes everything down again. The game derives from it.
class HApplication
{
public:
    HApplication();
    virtual ~HApplication();

    HApplication( const HApplication& ) = delete;
    HApplication& operator=( const HApplication& ) = delete;

    // The process's application object (the most recently constructed one still alive).
    static HApplication* getInstance();
    // The process entry's portable part: reads the switches from the command line, records it and
    // the executable's folder, runs init and the main loop, and always takes everything down.
    // The process's exit code: 1 when start-up failed, else 0.
    static int runProcess( const char* kpCmdLine, const char* kpExecutablePath );
    // "<prefix>/share/<package>/<name>" for an executable in "<prefix>/bin/" or "<prefix>/games/",
    // so one installed tree works under any prefix.
    static void installedDataPath( const char* kpExeDir, const char* kpPackage, const char* kpName, char* pPath,
                                   size_t size );

    // Trace and journal files and the console variables; false only when those cannot be made.
    virtual bool init( bool trace, bool journal, const char* kpExeDir, const char* kpDemoName, bool softwareCursor,
                       bool soundEnabled );
    // Audio, input, journal files, display; each step skips what does not exist.
    virtual void unloadGraphics();
    // Controls, resource files, trace file, console variables.
    virtual void shutdown();
    virtual void drawCursorRects();
    virtual bool usesSoftwareCursor() const { return m_softwareCursor; }
    // The application owns the controls it lists; they are offered events in the order added.
    virtual void addControl( HControl* pControl );
    // The control after pPrevious in the order added; the first for null.
    virtual HControl* nextControl( HControl* pPrevious ) const;
    // The game's reaction to each event; 1 ends the main loop.
    virtual int handleEvent( const HEvent& event ) = 0;
    virtual void drawRect( const HRect& clip ) = 0;
    virtual VXSprite* getCursorImage() { return nullptr; }
    virtual void drawCursor( const HRect& rect );
    virtual bool canDraw() const;
    virtual void afterRedraw() {}
    virtual void setActive( bool active ) { m_active = active; }
    // Attaches the theme music to the mixer, or detaches it; only with a running audio output.
    virtual void setMusicPlaying( bool on );
    // Reads the theme whole and keeps it; after each pass it plays again from the loop position
    // (in frames). True without a music stream (no sound); false when the file cannot be used.
    virtual bool loadThemeMusic( const char* kpName, HFileSystem* pFileSystem, int32_t loopPosition );
    virtual void unloadThemeMusic();
    // Starts the theme again from its beginning.
    virtual void serviceThemeMusic();

    // The main loop; true when the game asked to stop (or a played journal ran out).
    bool run();
    // One pass of the main loop: every event now waiting, then one redraw and present.
    // True when the game asked to stop.
    bool runFrame();
    // Between passes of a loop: holds back until the display's next refresh, then, unless
    // something animates (untilChange 0), blocks until input or until untilChange milliseconds
    // after the current time. A journal being played sets its own pace: no wait at all.
    void waitForNextPass( uint32_t untilChange );
    // Milliseconds from the current time until the game's picture changes by itself: 0 while
    // it animates, HFramePacer::kNoDeadline when only input can change it.
    virtual uint32_t untilNextChange() const { return HFramePacer::kNoDeadline; }

    // Clipped to the display; nothing without one.
    void invalidateRect( const HRect& rect );
    void invalidateAll();
    void redraw( bool drawCursorToo );
    void present();
    // The software cursor moved: the areas under it before and after are redrawn.
    void invalidateCursorMove( const HPoint& position );
    void openURL( const char* kpAddress );

    bool isPaused() const { return m_pauseCount > 0; }
    uint64_t getPausedTime() const;
    virtual void resetPausedTime() { m_totalPausedTime = 0; }

    // 0 to n inclusive, from the generator seeded by the first non-zero time stamp.
    uint32_t random( uint32_t n ) { return m_random.random( n ); }
    HRandom& getRandom() { return m_random; }
    // The time stamp of the event being handled; modal loops set it from their events too.
    uint64_t getCurrentTime() const { return m_currentTime; }
    void setCurrentTime( uint64_t time ) { m_currentTime = time; }

    HEventQueue& getEventQueue() { return m_eventQueue; }
    HDisplayDevice* getDisplayDevice() const { return m_pDisplayDevice; }
    HAudioDevice* getAudioDevice() const { return m_pAudioDevice; }
    HInputDevice* getInputDevice() const { return m_pInputDevice; }
    HFileSystem* getResourceFileSystem() const { return m_pResourceFileSystem; }
    HCvarManager* getCvars() const { return m_pCvars; }
    const HDirtyRectList& getRepaintList() const { return m_repaint; }
    bool isMinimized() const { return m_minimized; }
    bool isActive() const { return m_active; }
    bool isMusicPlaying() const { return m_musicPlaying; }
    // The sound effects; silent (no mixer) while there is no audio output.
    HSoundBank& getSoundBank() { return m_soundBank; }
    HAudioMixerStreamingAudioSource& getMixer() { return m_mixer; }
    HAudioStream* getAudioStream() const { return m_pAudioStream; }
    HOVAudioStream* getThemeMusic() const { return m_pThemeMusic; }
    bool isRecordingJournal() const { return m_pRecordFile != nullptr; }
    bool isPlayingJournal() const { return m_pPlaybackFile != nullptr; }

protected:
    // The device "c_soundDriver" selects, the sound bank's files, the theme-music stream and the
    // output stream; true when a device with a running output exists.
    virtual bool m_createAudioDevice( HFileSystem* pFileSystem, int32_t channels, int32_t bitsPerSample,
                                      int32_t sampleRate );
    // The mixer in the given format, fed to the device's output stream, which starts playing.
    virtual bool m_createAudioStream( int32_t channels, int32_t bitsPerSample, int32_t sampleRate );
    virtual void m_destroyAudioStream();
    virtual bool m_createDisplayDevice( const char* kpTitle, bool fullscreen, bool noDoubleClick, int32_t width,
                                        int32_t height );
    virtual bool m_createInputDevice();
    // Display, input, audio in that order; false when the display or input device fails.
    virtual bool m_createDevices( const char* kpTitle, bool soundOn, bool fullscreen, bool noDoubleClick, int32_t width,
                                  int32_t height, int32_t channels, int32_t bitsPerSample, int32_t sampleRate );
    // Stops the output, the music and every voice, frees the sounds, then the device.
    virtual void m_destroyAudioDevice();
    virtual void m_destroyDisplayDevice();
    virtual void m_destroyInputDevice();
    virtual bool m_switchDisplayMode();
    virtual void m_showSystemCursor( bool show );
    // A path containing ".vxz" is a zip archive, anything else a folder of loose files. The second
    // path, when given, is tried when the first fails; the message names every path tried.
    virtual bool m_loadResourceFile( const char* kpPath, const char* kpOtherPath = nullptr );
    virtual void m_unloadResourceFile();
    // The file system for one path, kept (even when it failed) until the next load or shutdown.
    bool m_openResourceFile( const char* kpPath );
    virtual void m_beginPause();
    virtual void m_endPause();

    // Paint, activation, minimising and the software cursor, then the controls.
    void m_dispatchEvent( const HEvent& event );
    // True when a control took the event.
    bool m_offerToControls( const HEvent& event );
    // Runs the "-benchmark" timing of 100 full-screen presents and shows the result.
    void m_runBenchmark();

    HDisplayDevice* m_pDisplayDevice;
    HAudioDevice* m_pAudioDevice;
    HInputDevice* m_pInputDevice;
    HFileSystem* m_pResourceFileSystem;
    HDirtyRectList m_repaint;
    HCvarManager* m_pCvars;
    HEventQueue m_eventQueue;
    HFramePacer m_pacer;
    // When the loop last gave way to the system, on the process clock.
    static constexpr uint64_t kNever = ~uint64_t( 0 );
    uint64_t m_lastYield;
    bool m_minimized;
    bool m_active;
    int32_t m_pauseCount;
    uint64_t m_totalPausedTime;
    uint64_t m_pauseBeginTime;
    uint64_t m_pauseEndTime;
    HRandom m_random;
    HObjectList* m_pControls;
    HStandardFileSystem* m_pJournalFileSystem;
    HFile* m_pTraceFile;
    HStandardFileSystem* m_pPlaybackFileSystem;
    HFile* m_pRecordFile;
    HFile* m_pPlaybackFile;
    uint64_t m_currentTime;
    bool m_timeStarted;
    bool m_softwareCursor;
    HPoint m_cursorPosition;
    // The mixer outlives the bank, which stops its voices before freeing their samples.
    HAudioMixerStreamingAudioSource m_mixer;
    HSoundBank m_soundBank;
    HAudioStream* m_pAudioStream;
    HOVAudioStream* m_pThemeMusic;
    HLock* m_pThemeMusicLock;
    uint8_t* m_pThemeMusicBuffer;
    int32_t m_musicHandle;
    bool m_musicPlaying;

private:
    HObjectListNode* m_lastControlNode() const;
    void m_yieldNowAndThen( HProcessServices& services, bool yielded );

    static HApplication* sm_pInstance;
};

#endif
