// WorldSelector: the menu background's panel where the world is chosen: a
// title that swells to twice its size and settles, the four world spheres
// appearing one after another, BACK, and in quest mode the stage chooser,
// which covers the spheres while it is open.
//
// Owns its spheres, the chooser and the button (shared); the chooser is a
// child only while open.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/CommonBkgdWidget.h"

class ChooseStageDialog;
class MenuHost;
class WorldSphere;

class WorldSelector : public CommonBkgdWidget, public FeedbackButtonListener
{
public:
    static constexpr int32_t ButtonBack = 0;

    explicit WorldSelector(MenuHost& host);
    ~WorldSelector() override;

    // Air, fire, water, earth: the order they appear in.
    std::array<std::shared_ptr<WorldSphere>, 4> spheres;
    std::shared_ptr<ChooseStageDialog> stageChooser;
    float titleScale = 1.0f;
    bool titleActive = true;
    bool titleGrowing = true;

    // Every sphere hidden behind its start delay (air 0, fire 10, water 20,
    // earth 30 updates), the title pulse restarted, the stage chooser closed.
    void ResetWorldSelector();
    // The chooser opened for the current world, the spheres hidden.
    void OpenStageChooser();
    bool IsStageChooserOpen() const;
    WorldSphere* SphereOf(int32_t world) const;

    void Update() override;
    void Draw(Framework::Graphics* g) override;
    void ButtonClicked(int32_t id) override;

private:
    MenuHost& host;
};
