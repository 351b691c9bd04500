// ButtonWidget: a push button drawn from per-state images (usually frames of
// one strip, see SetButtonImages) or, without images, as a grey raised box.
// It reports presses, held ticks, pointer movement and clicks to its
// listener; a click is the release of any mouse button over the button while
// the window has the focus.
//
// Ownership: images are only referenced (the resource manager owns them);
// the label font is a copy the button owns; the listener must outlive the
// button. Colour table: 0 label, 1 label while the pointer is over the
// button (both opaque black by default).
//
// hoverFade (0 to 1) is how strongly the over frame shows over the normal
// frame while fading; the fade steps are per update tick, 0 meaning no fade.
// Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/graphics/Font.h"
#include "framework/graphics/Rect.h"
#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/Widget.h"

namespace Framework
{

class Image;

class ButtonWidget : public Widget
{
public:
    enum LabelJustify : int32_t
    {
        JustifyLeft = -1,
        JustifyCentre = 0,
        JustifyRight = 1,
    };
    enum ColorIndex : int32_t
    {
        ColorLabel = 0,
        ColorLabelHover = 1,
    };

    ButtonWidget(int32_t id, ButtonListener* listener);
    ~ButtonWidget() override;

    int32_t id;
    std::string label;
    int32_t labelJustify = JustifyCentre;
    std::unique_ptr<Font> font;
    Image* normalImage = nullptr;
    Image* overImage = nullptr;
    Image* downImage = nullptr;
    Image* disabledImage = nullptr;
    Rect normalRect;
    Rect overRect;
    Rect downRect;
    Rect disabledRect;
    bool inverted = false;
    bool drawNothing = false;
    bool labelOnly = false;
    ButtonListener* listener;
    double hoverFade = 0.0;
    double hoverFadeOutStep = 0.0;
    double hoverFadeInStep = 0.0;

    void Draw(Graphics* g) override;
    void Update() override;
    void SetDisabled(bool isDisabled) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(int32_t localX, int32_t localY) override;
    void MouseDown(int32_t localX, int32_t localY, int32_t clickCount) override;
    void MouseUp(int32_t localX, int32_t localY) override;
    using Widget::MouseDown;
    using Widget::MouseUp;

    // Draws srcRect of normalImage when srcRect is not empty, else the whole
    // image (nothing when that is null).
    virtual void DrawFrame(Graphics* g, Image* image, const Rect& srcRect, int32_t frameX, int32_t frameY);
    // Keeps a copy of the font (null: the default system font).
    virtual void SetFont(Font* newFont);
    // Held, under the pointer and enabled.
    virtual bool IsPressedNow();

    // The label font, creating the default on first use.
    Font* LabelFont();

    bool HasOverFrame() const { return overImage != nullptr || !overRect.IsEmpty(); }
    bool HasDownFrame() const { return downImage != nullptr || !downRect.IsEmpty(); }
    bool HasDisabledFrame() const { return disabledImage != nullptr || !disabledRect.IsEmpty(); }

protected:
    // The font of a button that was given none ("SansSerif" 10).
    virtual std::unique_ptr<Font> CreateDefaultFont();
    // Where the label's left edge and baseline go for the font.
    void LabelPosition(Font* labelFont, int32_t& labelX, int32_t& labelY);
    // The rule shared by enter and leave for whether the look changes.
    bool HoverChangesLook() const;
};

// Every screen button's strip: frames of frameWidth x frameHeight side by
// side (normal, over, down and, with hasDisabledFrame, disabled). The button
// is sized to one frame at its current position.
void SetButtonImages(ButtonWidget* button, Image* strip, int32_t frameWidth, int32_t frameHeight,
                     bool hasDisabledFrame);

} // namespace Framework
