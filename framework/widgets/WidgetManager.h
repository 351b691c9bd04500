// WidgetManager: the root of the widget tree. Owned by the application, which
// sizes it to the screen, gives it the screen image, runs its update and draw
// passes every tick and feeds it the window's input. It keeps the keyboard
// focus, the widget under the pointer (hoverWidget), the widget holding a
// mouse press (pressedWidget, the mouse capture) and the stack of modal
// widgets.
//
// References: every Widget* the manager keeps (hover, pressed, focus, modal,
// pop-up, the modal records) is dropped when that widget leaves the tree, so
// none outlives the widget's membership. The tree is not owned.
//
// Coordinates: window (screen) pixels for every input operation; handlers get
// coordinates local to their widget. Main thread only.
#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <vector>

#include "framework/platform/VirtualKeys.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetContainer.h"

namespace Framework
{

class Image;

// What the manager needs from the application that owns it.
class WidgetHost
{
public:
    virtual ~WidgetHost() = default;
    // Drawing goes through an accelerated path (fast scaling off, bilinear on).
    virtual bool IsDrawing3D() { return false; }
    // The hand cursor (true) or the arrow (false).
    virtual void ShowHandCursor(bool) {}
};

// The saved state of one PushModal.
struct ModalRecord
{
    Widget* modalWidget = nullptr;
    Widget* prevModalWidget = nullptr;
    Widget* prevFocusWidget = nullptr;
    FlagsMod prevBelowModalOverride;
};

// One overlay requested during a draw pass.
struct PendingOverlay
{
    Widget* widget = nullptr;
    int32_t priority = 0;
};

class WidgetManager : public WidgetContainer
{
public:
    static constexpr int32_t KeyCount = 255;

    explicit WidgetManager(WidgetHost* host = nullptr);
    ~WidgetManager() override;

    Widget* ctrlTabTarget = nullptr;
    Graphics* currentGraphics = nullptr;
    WidgetHost* app = nullptr;
    Image* screenImage = nullptr;
    Widget* popupWidget = nullptr;
    std::vector<PendingOverlay> pendingOverlays;
    int32_t lowestPendingPriority = INT32_MAX;
    bool hasFocus = true;
    Widget* focusWidget = nullptr;
    Widget* pressedWidget = nullptr;
    Widget* hoverWidget = nullptr;
    Widget* modalWidget = nullptr;
    FlagsMod inactiveOverride;
    FlagsMod belowModalOverride;
    FlagsMod defaultBelowModalOverride{0, FlagAllowMouse | FlagAllowFocus};
    std::vector<ModalRecord> modalStack;
    bool pointerInside = false;
    int32_t pointerX = 0;
    int32_t pointerY = 0;
    int32_t capturedButtons = 0;
    int32_t heldButtons = 0;
    // The widget that took the first press (click count 1) of the latest
    // click series, and that press's button bit. A later press of the series
    // (count 2 or more) over any other widget reaches no widget, nor does
    // its release (swallowedButtons), so a double click never acts on the
    // panel its first click opened. No series is known before the first
    // single press (clickSeriesButton 0).
    Widget* clickSeriesWidget = nullptr;
    int32_t clickSeriesButton = 0;
    int32_t swallowedButtons = 0;
    std::array<bool, KeyCount> keyState{};
    int32_t baseFlags = FlagUpdate | FlagDraw | FlagClip | FlagAllowMouse | FlagAllowFocus;

    // --- passes ---
    // Each returns the manager's dirty flag: a redraw is due.
    bool RunUpdatePass();
    bool RunSmoothUpdatePass(double fraction);
    // True when a widget was drawn. Clears the manager's dirty flag: marks
    // made while drawing ask for the next pass.
    bool RunDrawPass();
    // Draws the requested overlays whose priority is below maxPriority, lowest first.
    void DrawPendingOverlays(int32_t maxPriority);

    // --- input (window coordinates) ---
    void MouseMove(int32_t px, int32_t py);
    void MouseDrag(int32_t px, int32_t py);
    void MouseDown(int32_t px, int32_t py, int32_t clickCount);
    void MouseUp(int32_t px, int32_t py, int32_t clickCount);
    void MouseLeftWindow(int32_t px, int32_t py);
    void MouseWheel(int32_t delta);
    void KeyDown(int32_t key);
    void KeyUp(int32_t key);
    void CharTyped(char character);
    bool IsKeyDown(int32_t key) const { return key >= 0 && key < KeyCount && keyState[size_t(key)]; }

    // --- window and keyboard focus ---
    void GotFocus();
    void LostFocus();
    void SetFocus(Widget* widget);

    // --- modal widgets ---
    void SetModal(Widget* widget, const FlagsMod& belowOverride);
    void PushModal(Widget* widget, const FlagsMod& belowOverride);
    void PushModal(Widget* widget);
    void PopModal(Widget* widget);

    // --- the tree ---
    // Drops every reference the manager holds to the widget.
    void ForgetWidget(Widget* widget);
    void ReleaseButtons();
    void ReleaseButtons(Widget* widget, int32_t buttons);
    // The widget under (px, py) and the point in its local coordinates; null
    // when there is none.
    Widget* FindWidgetAt(int32_t px, int32_t py, int32_t& localX, int32_t& localY);
    Widget* FindWidgetAt(int32_t px, int32_t py);
    // Recomputes enter and leave after the tree changed under the pointer.
    void RefreshPointer();
    // True when widget1 is met before widget2 in a depth-first walk of the
    // tree (each child before its own children).
    bool ComesBefore(Widget* widget1, Widget* widget2);
    // Whether the widget is in this manager's tree.
    bool IsInTree(const Widget* widget) const;
    // The base flags with the inactive override applied while unfocused.
    int32_t GetBaseFlags() const;
    // The record a pass starts from.
    ModalFlags InitModalFlags() const;

    // The pointer step of a move, press and release: hover, enter, leave, move.
    void SetPointerPosition(int32_t px, int32_t py);

private:
    void EnterWidget(Widget* widget);
    void LeaveWidget(Widget* widget);
    Widget* FindInContainer(WidgetContainer* container, int32_t flags, int32_t px, int32_t py, int32_t& localX,
                            int32_t& localY);
};

} // namespace Framework
