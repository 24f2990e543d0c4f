#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_VXSPRITE_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_VXSPRITE_H

#include <cstdint>

#include "Framework/graphics/HRect.h"
#include "Framework/object/HObject.h"

class HDisplayDevice;
class HFileSystem;
class HSurface;

// The game's handle on one picture of the resource archive: loaded on demand into a surface,
// reference-counted by load and unload, drawn whole or in part.
class VXSprite : public HObject
{
public:
    VXSprite();
    // Frees no surface: a sprite is unloaded before it goes.
    ~VXSprite() override;

    const char* getClassName() const override;
    bool isA( const char* kpClassName ) const override;

    // A new, unreferenced sprite on the same display with a copy of this one's surface; null
    // unless the other object is a sprite and this one is loaded.
    virtual VXSprite* duplicate( const HObject* kpOther );
    virtual bool isLoaded() const;
    virtual void drawAt( const HPoint& point );
    virtual void blendDraw( const HRect& dest, const HRect& src, int32_t srcAlphaSource, int32_t srcParamSource,
                            int32_t srcInvert, uint8_t constA, int32_t dstAlphaSource, int32_t dstParamSource,
                            int32_t dstInvert, uint8_t constB, int32_t blendOp );
    virtual void draw( const HRect& dest, const HRect& src );
    virtual bool load( HDisplayDevice* pDisplay, HFileSystem* pFileSystem, const char* kpFileName );
    virtual void unload();
    virtual int32_t getWidth() const;
    virtual int32_t getHeight() const;
    virtual void getRect( HRect& out ) const;

    const char* getName() const { return m_name; }
    HSurface* getSurface() const { return m_pSpriteSurface; }
    HDisplayDevice* getDisplay() const { return m_pDisplay; }

    static const char* const kSupportAddress;

private:
    HDisplayDevice* m_pDisplay;
    HSurface* m_pSpriteSurface;
    char m_name[ 64 ];
};

#endif
