#include "examples/ControlsDemo.h"

#include <algorithm>
#include <cstdio>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/TextureFont.h"
#include "framework/widgets/WidgetManager.h"

using namespace Framework;

namespace
{

constexpr int32_t kPanelX = 150;
constexpr int32_t kPanelY = 90;
constexpr int32_t kPanelWidth = 500;
constexpr int32_t kPanelHeight = 420;
constexpr int32_t kStripFrames = 4;

// "SimSun" in GBK: the face that covers Chinese text.
const char kChineseFace[] = "\xCB\xCE\xCC\xE5";

void FillImage(MemoryImage& image, int32_t w, int32_t h, uint32_t (*pixelAt)(int32_t, int32_t, int32_t, int32_t))
{
    image.Allocate(w, h);
    uint32_t* pixels = image.GetPixels();
    for (int32_t y = 0; y < h; ++y)
    {
        for (int32_t x = 0; x < w; ++x)
        {
            pixels[y * w + x] = pixelAt(x, y, w, h);
        }
    }
    image.PixelsChanged();
}

void PlaceStripButton(ButtonWidget& button, Image* strip, int32_t bx, int32_t by)
{
    if (strip != nullptr && strip->GetWidth() >= kStripFrames)
    {
        SetButtonImages(&button, strip, strip->GetWidth() / kStripFrames, strip->GetHeight(), true);
        button.Move(bx, by);
    }
    else
    {
        button.Resize(bx, by, 110, 30);
    }
}

} // namespace

ControlsDemo::ControlsDemo(Image* firstStrip, Image* secondStrip, const Dialog::StringTable* strings)
    : firstButton(ID_FIRST_STRIP, this), secondButton(ID_SECOND_STRIP, this), askButton(ID_ASK, this),
      link(ID_LINK, this), slider(&trackImage, &thumbImage, ID_SLIDER, this),
      checkbox(nullptr, nullptr, ID_CHECKBOX, this), nameField(ID_NAME, this, 30, 250, 300, 24, 24),
      dialog(nullptr, nullptr, ID_DIALOG, true, "Message box", "A message box from the framework. Answer it to go on.",
             "", Dialog::BUTTONS_OK_CANCEL, this, strings)
{
    Resize(kPanelX, kPanelY, kPanelWidth, kPanelHeight);

    PlaceStripButton(firstButton, firstStrip, 30, 50);
    PlaceStripButton(secondButton, secondStrip, 200, 50);
    secondButton.hoverFadeInStep = 0.1;
    secondButton.hoverFadeOutStep = 0.05;
    if (firstStrip == nullptr)
    {
        firstButton.label = "First";
    }
    if (secondStrip == nullptr)
    {
        secondButton.label = "Second";
    }

    askButton.label = "Ask...";
    askButton.Resize(360, 50, 100, 30);

    link.label = "A link to nowhere";
    link.hoverColor = Color(255, 255, 0);
    link.Resize(30, 100, 160, 24);

    // Track: rounded ends around a groove; thumb: a light block.
    FillImage(trackImage, 24, 8,
              [](int32_t px, int32_t py, int32_t, int32_t h) -> uint32_t
              {
                  const bool edge = py == 0 || py == h - 1 || px == 0 || px == 23;
                  return edge ? 0xFFC0C0D0u : 0xFF303040u;
              });
    FillImage(thumbImage, 14, 22,
              [](int32_t px, int32_t py, int32_t w, int32_t h) -> uint32_t
              {
                  const bool edge = px == 0 || py == 0 || px == w - 1 || py == h - 1;
                  return edge ? 0xFF404060u : 0xFFE0E0F0u;
              });
    slider.Resize(30, 150, 300, 24);
    slider.SetValue(0.5);

    checkbox.Resize(30, 200, 16, 16);

    nameField.maxWidth = 290;

    dialog.Resize(250, 200, 300, 200);
    dialog.Resize(250, 200, 300, dialog.GetPreferredHeight(300));

    for (Widget* child :
         std::initializer_list<Widget*>{&firstButton, &secondButton, &askButton, &link, &slider, &checkbox, &nameField})
    {
        AddWidget(child);
    }
    status = "Type a name (an input method gives Chinese), drag the slider, tick the box.";
}

ControlsDemo::~ControlsDemo()
{
    dialog.Close();
    RemoveAllChildren();
    if (parent != nullptr)
    {
        parent->RemoveWidget(this);
    }
}

void ControlsDemo::AddTo(WidgetManager* root)
{
    root->AddWidget(this);
    root->SetFocus(&nameField);
}

void ControlsDemo::RemoveFrom(WidgetManager* root)
{
    dialog.Close();
    root->RemoveWidget(this);
}

void ControlsDemo::SetStatus(const std::string& text)
{
    status = text;
    MarkDirty();
}

void ControlsDemo::ButtonClicked(int32_t id)
{
    switch (id)
    {
        case ID_FIRST_STRIP:
            SetStatus("First strip button clicked.");
            break;
        case ID_SECOND_STRIP:
            SetStatus("Second strip button clicked (it fades).");
            break;
        case ID_ASK:
            if (manager != nullptr && !manager->HasWidget(&dialog))
            {
                dialog.result = Dialog::NoResult;
                manager->AddWidget(&dialog);
                manager->PushModal(&dialog);
            }
            break;
        case ID_LINK:
            SetStatus("Link clicked.");
            break;
        default:
            break;
    }
}

void ControlsDemo::CheckboxToggled(int32_t, bool checked)
{
    firstButton.SetDisabled(checked);
    SetStatus(checked ? "First button disabled." : "First button enabled.");
}

void ControlsDemo::SliderValueChanged(int32_t, double value)
{
    char text[64];
    std::snprintf(text, sizeof(text), "Slider at %d %%.", static_cast<int>(value * 100 + 0.5));
    SetStatus(text);
}

void ControlsDemo::EditTextEntered(int32_t, const std::string& text)
{
    SetStatus("Entered: " + text);
    if (onTextEntered)
    {
        onTextEntered(text);
    }
}

void ControlsDemo::DialogButtonClicked(int32_t, int32_t buttonId)
{
    // Removing (not deleting) the box inside its own button's handler is safe.
    dialog.Close();
    SetStatus(buttonId == Dialog::ID_OK ? "Message box answered OK." : "Message box cancelled.");
}

void ControlsDemo::Draw(Graphics* g)
{
    if (textFont == nullptr)
    {
        textFont = std::make_unique<TextureFont>(kChineseFace, 10, false, false, false, 1);
    }
    g->SetColor(Color(24, 32, 56, 235));
    g->FillRect(0, 0, width, height);
    g->SetColor(Color(160, 176, 220));
    g->DrawRect(0, 0, width - 1, height - 1);

    g->SetFont(textFont.get());
    g->SetColor(Color::White());
    g->DrawString("Standard controls", 30, 30);
    g->DrawString("Disable the first button", 56, 213);
    g->DrawString("Name (Enter reports it; Ctrl+C, Ctrl+X, Ctrl+V use the clipboard):", 30, 242);
    g->SetColor(Color(255, 255, 160));
    g->DrawString(status, 30, height - 30);
}
