// DifficultySelector: the menu background's panel for arcade and time
// attack: four difficulties leading on to the world selector, and BACK to
// the main menu.
#pragma once

#include <cstdint>

#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/CommonBkgdWidget.h"

class MenuHost;

class DifficultySelector : public CommonBkgdWidget, public FeedbackButtonListener
{
public:
    // Ids 0 to 3 are the difficulties themselves (easy to expert).
    static constexpr int32_t ButtonBack = 4;

    explicit DifficultySelector(MenuHost& host);
    // Unlinks the buttons while this listener is still whole.
    ~DifficultySelector() override;

    void ButtonClicked(int32_t id) override;

private:
    MenuHost& host;
};
