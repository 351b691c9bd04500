#include "src/screens/common/ButtonFeedback.h"

#include "framework/app/AppBase.h"
#include "src/core/ResourceIds.h"

void AppFeedbackSink::PlaySound(int32_t soundId)
{
    if (Framework::gAppBase != nullptr)
    {
        Framework::gAppBase->PlaySound(soundId);
    }
}

void AppFeedbackSink::SetCursor(int32_t cursor)
{
    if (Framework::gAppBase != nullptr)
    {
        Framework::gAppBase->SetCursor(cursor);
    }
}

void ButtonFeedback::Enter()
{
    switch (style)
    {
        case Style::SoundThenHand:
            sink.PlaySound(SOUND_BTON_ON);
            break;
        case Style::HandAndSoundOnEnter:
            sink.SetCursor(FeedbackSink::CursorHand);
            sink.PlaySound(SOUND_BTON_ON);
            break;
        case Style::HandOnly:
        case Style::Silent:
            break;
    }
}

void ButtonFeedback::Move()
{
    if (style == Style::SoundThenHand || style == Style::HandOnly)
    {
        sink.SetCursor(FeedbackSink::CursorHand);
    }
}

void ButtonFeedback::Leave()
{
    if (style != Style::Silent)
    {
        sink.SetCursor(FeedbackSink::CursorArrow);
    }
}
