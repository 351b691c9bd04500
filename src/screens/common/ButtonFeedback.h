// ButtonFeedback: how a screen's buttons answer the pointer with sounds and
// cursors. Every screen picks one style for all its buttons; the style only
// decides what happens on entering, moving over and leaving a button -- no
// screen plays a sound on the click of an ordinary button.
//
// FeedbackSink is the little the feedback needs from the application: a
// sound by id and the cursor by number (0 arrow, 1 hand, 2 dragging).
// AppFeedbackSink forwards both to the running application base.
#pragma once

#include <cstdint>

#include "framework/widgets/ButtonListener.h"

class FeedbackSink
{
public:
    static constexpr int32_t CursorArrow = 0;
    static constexpr int32_t CursorHand = 1;
    static constexpr int32_t CursorDragging = 2;

    virtual ~FeedbackSink() = default;
    virtual void PlaySound(int32_t soundId) = 0;
    virtual void SetCursor(int32_t cursor) = 0;
};

// Forwards to gAppBase; does nothing while no application exists.
class AppFeedbackSink : public FeedbackSink
{
public:
    void PlaySound(int32_t soundId) override;
    void SetCursor(int32_t cursor) override;
};

class ButtonFeedback
{
public:
    enum class Style
    {
        // Menus and most dialogs: the hover sound on entering, the hand
        // while moving, the arrow on leaving.
        SoundThenHand,
        // Continue, exit and warning dialogs: hand and sound on entering,
        // the arrow on leaving.
        HandAndSoundOnEnter,
        // Menu background and title bar: the hand while moving, the arrow on
        // leaving, no sound.
        HandOnly,
        // Settings, help, pause overlay, world selector: nothing.
        Silent,
    };

    ButtonFeedback(FeedbackSink& feedbackSink, Style feedbackStyle) : sink(feedbackSink), style(feedbackStyle) {}

    void Enter();
    void Move();
    void Leave();

    Style GetStyle() const { return style; }

private:
    FeedbackSink& sink;
    Style style;
};

// A button listener whose pointer events give one style's feedback; screens
// derive from it and answer ButtonClicked themselves.
class FeedbackButtonListener : public Framework::ButtonListener
{
public:
    FeedbackButtonListener(FeedbackSink& sink, ButtonFeedback::Style style) : feedback(sink, style) {}

    void ButtonPointerEnter(int32_t) override { feedback.Enter(); }
    void ButtonPointerMove(int32_t, int32_t, int32_t) override { feedback.Move(); }
    void ButtonPointerLeave(int32_t) override { feedback.Leave(); }

protected:
    ButtonFeedback feedback;
};
