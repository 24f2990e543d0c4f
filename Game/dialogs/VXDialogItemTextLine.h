#ifndef GLIMMERDROP_GAME_DIALOGS_VXDIALOGITEMTEXTLINE_H
#define GLIMMERDROP_GAME_DIALOGS_VXDIALOGITEMTEXTLINE_H

#include <cstdint>

#include "Framework/graphics/HColor.h"
#include "Game/dialogs/VXDialogItem.h"
#include "Game/dialogs/VXPrintableText.h"

struct HBitmapFont;

// A line of bitmap text. An editable line takes typed characters and pasted text while it has
// the dialog's focus, and then shows a blinking caret.
class VXDialogItemTextLine : public VXDialogItem
{
public:
    static constexpr int32_t kTextSize = 1024;
    // The most a line can hold: its buffer less the terminator.
    static constexpr int32_t kLongestText = kTextSize - 1;
    // The caret is redrawn no more often than this.
    static constexpr uint64_t kBlinkInterval = 251;

    VXDialogItemTextLine();
    ~VXDialogItemTextLine() override;

    const char* getClassName() const override;
    bool isA( const char* kpClassName ) const override;

    bool acceptsFocus() const override;
    void draw( HDisplayDevice* pDisplay, const HRect& clip ) override;
    bool handleEvent( const HEvent& event ) override;
    // The caret's next blink while the line is edited.
    uint32_t untilNextChange( uint64_t now ) const override;
    // The clickable area: room for the longest text at the line's alignment, one cell high.
    void updateRect() override;

    virtual void setEditable( bool editable );
    // Not owned.
    virtual void setFont( const HBitmapFont* kpFont );
    // The font draws its own pixels; the colour is passed on for displays that can tint.
    virtual void setColour( const HColor& colour );
    // TA_LEFT, TA_RIGHT or TA_CENTRE.
    virtual void setAlign( int32_t align );
    // Held to 0..1023; a longer text is cut.
    virtual void setMaxLength( int32_t maxLength );

    // Keeps at most the maximum length of characters the font can draw (see VXPrintableText).
    void setText( const char* kpText );
    const char* getText() const { return m_text; }
    int32_t getLength() const { return m_length; }
    int32_t getMaxLength() const { return m_maxLength; }
    int32_t getAlign() const { return m_align; }
    bool isEditable() const { return m_editable; }
    const HColor& getColour() const { return m_colour; }

    // The blink clock is shared by every line of the process; tests start from a clean one.
    static void resetBlinkTime() { sm_lastBlinkTime = 0; }

private:
    void m_invalidateDialog();
    void m_type( unsigned char character );

    int32_t m_align;
    HColor m_colour;
    bool m_editable;
    int32_t m_maxLength;
    char m_text[ kTextSize ];
    int32_t m_length;
    const HBitmapFont* m_pFont;

    static uint64_t sm_lastBlinkTime;
};

#endif
