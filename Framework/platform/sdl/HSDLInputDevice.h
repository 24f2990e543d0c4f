#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_SDL_HSDLINPUTDEVICE_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_SDL_HSDLINPUTDEVICE_H

#include <cstdint>

#include "Framework/application/HGamepadMapper.h"
#include "Framework/application/HInputDevice.h"
#include "Framework/application/HWindowHost.h"

union SDL_Event;
struct SDL_Keysym;
struct _SDL_GameController;
class HCvarManager;
class HWindowProcedure;

// The input device on Linux. Its poll pumps SDL's events and turns each into the window message
// it stands for (key down and character, system keys, buttons, activation, size, paint, close),
// which the portable window procedure turns into events. SDL sends no characters for control
// keys, so those are made here as the system would make them. Game pads (opened as they come,
// with SDL's own mapping database) are read on every poll and sent on as the keys they stand
// for. It is also the procedure's window.
class HSDLInputDevice : public HInputDevice, public HWindowHost
{
public:
    // Feeds the given procedure; the process's own when none is given.
    explicit HSDLInputDevice( HCvarManager* pCvars, HWindowProcedure* pProcedure = nullptr );
    ~HSDLInputDevice() override;

    // The process's one device, made and created on the first request; null if that failed.
    static HInputDevice* obtain( HCvarManager* pCvars );

    bool create();
    bool poll() override;
    void waitForInput( uint32_t timeoutMs ) override;

    // One SDL event as window messages.
    void translate( const SDL_Event& event );
    // The open pads' held controls as key messages, with the repeat of a held direction.
    void updatePads();
    int getPadCount() const;

    // The virtual key an SDL key stands for, 0 for keys without one.
    static uint32_t virtualKeyOf( const SDL_Keysym& keysym );

    HRect getClientRectOnScreen() override;
    HPoint screenToClient( const HPoint& point ) override;
    void setCapture() override;
    void releaseCapture() override;
    void setFocus() override;
    void setActiveWindow() override;
    void postQuitMessage( int exitCode ) override;
    intptr_t defaultProcessing( void* pWindow, uint32_t message, uintptr_t wParam, intptr_t lParam ) override;

private:
    void m_send( uint32_t message, uintptr_t wParam, intptr_t lParam = 0 );
    void m_keyDown( const SDL_Keysym& keysym );
    void m_keyUp( const SDL_Keysym& keysym );
    void m_text( const char* kpUtf8 );
    void m_mouseButton( uint8_t button, bool down, int32_t x, int32_t y );
    void m_windowEvent( uint8_t kind, uint32_t windowId );
    intptr_t m_framePoint( int32_t x, int32_t y ) const;
    void m_openPad( int32_t deviceIndex );
    void m_closePad( int32_t instanceId );
    void m_closeAllPads();
    // The open pad's slot, -1 when it is none of ours.
    int m_padSlot( int32_t instanceId ) const;
    void m_padButton( int32_t instanceId, uint8_t button, bool down );
    void m_padAxis( int32_t instanceId, uint8_t axis, int16_t value );

    static const int kMostPads = 8;

    HWindowProcedure& m_procedure;
    void* m_pWindow;
    bool m_created;
    bool m_quitPending;
    bool m_padsReady;
    _SDL_GameController* m_apPads[ kMostPads ];
    // Each pad's held buttons and left stick, as its events told them.
    uint32_t m_aPadHeld[ kMostPads ];
    HPoint m_aPadStick[ kMostPads ];
    HGamepadMapper m_padKeys;
};

#endif
