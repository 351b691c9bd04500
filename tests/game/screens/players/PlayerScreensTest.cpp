// The player screens driven through the widget manager: the selector, the
// create-player dialog, the warning and exit dialogs and the avatar import,
// on a fake platform with the profile file in a scratch folder.
#include "src/core/ResourceIds.h"
#include "src/screens/dialogs/ExitDialog.h"
#include "src/screens/dialogs/WarningDialog.h"
#include "src/screens/players/AvatarBrowser.h"
#include "src/screens/players/CreatePlayerDialog.h"
#include "src/screens/players/PlayerScreenHost.h"
#include "src/screens/players/PlayerSelector.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/AppBaseTestApp.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/EditWidget.h"
#include "src/core/UserPaths.h"
#include "support/FixedWidthFont.h"
#include "support/ImageFileWriters.h"
#include "support/TestTemp.h"

namespace fs = std::filesystem;

namespace
{

// The game's side of the screens: real profiles and a real warning dialog,
// the menu background's panels and the quit recorded.
class FakeHost : public PlayerScreenHost
{
public:
    explicit FakeHost(const fs::path& profilePath) : profiles(ProfileFile(profilePath)) {}

    FrothwickTest::TestApp app;
    PlayerProfiles profiles;
    std::shared_ptr<WarningDialog> warningDialog;
    std::vector<int32_t> warnings;
    std::vector<std::pair<int32_t, bool>> panels;
    int32_t panel = 0;
    int32_t createRequests = 0;
    int32_t avatarReloads = 0;
    int32_t quits = 0;
    std::vector<bool> pauses;
    std::vector<int32_t> sounds;
    int32_t cursor = CursorArrow;

    void PlaySound(int32_t soundId) override { sounds.push_back(soundId); }
    void SetCursor(int32_t number) override { cursor = number; }
    Framework::AppBase& Application() override { return app; }
    PlayerProfiles& Profiles() override { return profiles; }
    bool AddPlayer(const PlayerRecord& record) override { return profiles.AddPlayer(record); }
    void SetCurrentPlayer(const PlayerRecord& record) override { profiles.SetCurrentPlayer(record); }
    void ReloadAvatarImage() override { ++avatarReloads; }
    void ShowWarning(int32_t kind) override
    {
        warnings.push_back(kind);
        if (warningDialog)
        {
            warningDialog->Show(kind);
        }
    }
    void ShowPanel(int32_t newPanel, bool fade) override
    {
        panels.emplace_back(newPanel, fade);
        panel = newPanel;
    }
    int32_t ShownPanel() override { return panel; }
    void ShowCreatePlayer() override { ++createRequests; }
    void BeginQuit() override
    {
        ++quits;
        profiles.SaveCurrentPlayer();
    }
    void SetPaused(bool on) override { pauses.push_back(on); }
};

// A picture importer whose chooser is scripted.
class ScriptedBrowser : public AvatarBrowser
{
public:
    using AvatarBrowser::AvatarBrowser;
    std::string chooser = "/usr/bin/zenity";
    std::string picked;
    bool cancel = false;
    int32_t runs = 0;
    int32_t unavailableReports = 0;
    bool windowedWhenRun = false;

    std::string FindChooser() override { return chooser; }
    bool RunChooser(const std::string&, std::string& chosen) override
    {
        ++runs;
        windowedWhenRun = app.windowed;
        chosen = picked;
        return !cancel;
    }
    void ReportUnavailable() override
    {
        ++unavailableReports;
        AvatarBrowser::ReportUnavailable();
    }
};

PlayerRecord MakePlayer(const std::string& name, const std::string& avatar, int32_t progress = 0)
{
    PlayerRecord record;
    record.SetName(name);
    record.SetAvatarPath(avatar);
    record.progressAir = progress + 1;
    record.progressFire = progress + 2;
    record.progressWater = progress + 3;
    record.progressEarth = progress + 4;
    return record;
}

std::vector<unsigned char> Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::int32_t IntAt(const std::vector<unsigned char>& bytes, size_t offset)
{
    return std::int32_t(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                        std::uint32_t(bytes[offset + 3]) << 24);
}

void WritePicture(const fs::path& path, uint32_t colour, int32_t size = 4)
{
    fs::create_directories(path.parent_path());
    const std::vector<uint32_t> pixels(size_t(size * size), colour);
    ASSERT_TRUE(TestSupport::WriteFile(path.string(), TestSupport::EncodePng(size, size, pixels)));
}

class PlayerScreensTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = TestSupport::TestTempDir("work");
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::remove_all(Game::UserDataDir()); // left by an earlier run of this test
        oldDirectory = fs::current_path();
        fs::current_path(dir);
        fs::create_directories("data");
        // The image font of names; their two-byte characters fall back to
        // the system's GBK face.
        FONT_VERDANA10BOLD = &font;
        host = std::make_unique<FakeHost>(fs::path("data") / "usr.dat");
        widgets = host->app.widgetManager.get();
        widgets->width = 800;
        widgets->height = 600;
        host->warningDialog = std::make_shared<WarningDialog>(*host);
        menu.width = 800;
        menu.height = 600;
        widgets->AddWidget(&menu);
    }

    void TearDown() override
    {
        widgets->RemoveAllChildren();
        fs::current_path(oldDirectory);
        ResetResourceVariables();
    }

    // Builds the selector over the stored players, as the main screen does.
    void BuildScreens()
    {
        host->profiles.LoadPlayers();
        selector = std::make_shared<PlayerSelector>(*host);
        menu.AddWidget(selector.get());
        createDialog = std::make_shared<CreatePlayerDialog>(*host, selector.get());
        auto scripted = std::make_unique<ScriptedBrowser>(host->app);
        browser = scripted.get();
        createDialog->SetBrowser(std::move(scripted));
    }

    void Click(Framework::Widget* widget)
    {
        const Framework::Point at = widget->GetScreenPos();
        widgets->MouseMove(at.x + 2, at.y + 2);
        widgets->MouseDown(at.x + 2, at.y + 2, 1);
        widgets->MouseUp(at.x + 2, at.y + 2, 1);
    }

    void Type(const std::string& text)
    {
        for (char c : text)
        {
            widgets->CharTyped(c);
        }
    }

    fs::path dir;
    fs::path oldDirectory;
    TestSupport::FixedWidthFont font;
    std::unique_ptr<FakeHost> host;
    Framework::WidgetManager* widgets = nullptr;
    Framework::Widget menu;
    std::shared_ptr<PlayerSelector> selector;
    std::shared_ptr<CreatePlayerDialog> createDialog;
    ScriptedBrowser* browser = nullptr;
};

} // namespace

TEST_F(PlayerScreensTest, StartWithoutPlayersWarnsAndStaysOnThePlayerSelector)
{
    BuildScreens();
    Click(selector->startButton.get());
    EXPECT_EQ(host->warnings, std::vector<int32_t>{2});
    EXPECT_TRUE(host->panels.empty());
    EXPECT_FALSE(host->profiles.HasCurrentPlayer());
    EXPECT_EQ(host->avatarReloads, 0);

    // The warning sits on the manager itself and blocks the selector below.
    ASSERT_TRUE(host->warningDialog->IsShown());
    EXPECT_EQ(widgets->modalWidget, host->warningDialog.get());
    Click(selector->createButton.get());
    EXPECT_EQ(host->createRequests, 0);

    Click(host->warningDialog->backButton);
    EXPECT_FALSE(host->warningDialog->IsShown());
    EXPECT_TRUE(widgets->modalStack.empty());
    Click(selector->createButton.get());
    EXPECT_EQ(host->createRequests, 1);
}

TEST_F(PlayerScreensTest, ArrowsWrapAroundThePlayerListAndReloadTheAvatar)
{
    WritePicture(dir / "images" / "avatar" / "red.png", 0xFFFF0000, 6);
    host->profiles.AddPlayer(MakePlayer("Ann", "images\\avatar\\red.png"));
    host->profiles.AddPlayer(MakePlayer("Bob", "images\\avatar\\missing.png"));
    host->profiles.AddPlayer(MakePlayer("Cy", "images\\avatar\\red.png"));
    BuildScreens();
    ASSERT_EQ(selector->index, 0);
    ASSERT_NE(selector->avatarImage, nullptr);
    EXPECT_EQ(selector->avatarImage->width, 6);

    Click(selector->leftButton.get());
    EXPECT_EQ(selector->index, 2);
    EXPECT_NE(selector->avatarImage, nullptr);
    Click(selector->leftButton.get());
    EXPECT_EQ(selector->index, 1);
    EXPECT_EQ(selector->avatarImage, nullptr) << "a picture that cannot be loaded shows only the frame";
    Click(selector->rightButton.get());
    Click(selector->rightButton.get());
    EXPECT_EQ(selector->index, 0);

    // An index left behind a shorter list is brought back before use.
    selector->index = 9;
    Click(selector->rightButton.get());
    EXPECT_EQ(selector->index, 0);
}

TEST_F(PlayerScreensTest, SelectedSecondOfThreeIsSavedFirstWithEveryFieldAtItsOffset)
{
    ASSERT_TRUE(
        ProfileFile(fs::path("data") / "usr.dat")
            .Rewrite({MakePlayer("Ann", "images\\avatar\\a.png", 10), MakePlayer("Bob", "images\\avatar\\b.png", 20),
                      MakePlayer("Cy", "images\\avatar\\c.png", 30)}));
    {
        std::ofstream out("data/usr.dat", std::ios::binary | std::ios::app);
        out << std::string(100, '\x55');
    }
    BuildScreens();
    ASSERT_EQ(host->profiles.players.size(), 3u);

    Click(selector->rightButton.get());
    Click(selector->startButton.get());
    EXPECT_EQ(host->panels, (std::vector<std::pair<int32_t, bool>>{{1, false}}));
    EXPECT_EQ(host->profiles.currentPlayer.GetName(), "Bob");
    EXPECT_EQ(host->profiles.players.size(), 2u);
    EXPECT_EQ(host->avatarReloads, 1);
    EXPECT_TRUE(host->warnings.empty());

    host->profiles.StageReached(2, 7);
    host->profiles.StageReached(2, 5);
    host->BeginQuit();
    const auto bytes = Bytes("data/usr.dat");
    ASSERT_EQ(bytes.size(), 3u * 296u) << "the trailing fragment is gone";
    const char* names[] = {"Bob", "Ann", "Cy"};
    const int32_t bases[] = {20, 10, 30};
    for (size_t i = 0; i < 3; ++i)
    {
        const size_t at = i * 296;
        EXPECT_EQ(std::memcmp(bytes.data() + at, names[i], std::strlen(names[i]) + 1), 0) << i;
        EXPECT_EQ(bytes[at + 20 + 14], names[i][0] == 'B' ? 'b' : names[i][0] == 'A' ? 'a' : 'c') << i;
        EXPECT_EQ(IntAt(bytes, at + 276), 0) << i;
        EXPECT_EQ(IntAt(bytes, at + 280), bases[i] + 1) << i;
        EXPECT_EQ(IntAt(bytes, at + 284), i == 0 ? 22 : bases[i] + 2) << "fire keeps its highest stage";
        EXPECT_EQ(IntAt(bytes, at + 288), bases[i] + 3) << i;
        EXPECT_EQ(IntAt(bytes, at + 292), bases[i] + 4) << i;
    }
}

TEST_F(PlayerScreensTest, QuittingBeforeAPlayerIsChosenLeavesTheFileByteForByte)
{
    {
        std::ofstream out("data/usr.dat", std::ios::binary);
        out << std::string(296, 'A') << std::string(50, 'z');
    }
    const auto before = Bytes("data/usr.dat");
    BuildScreens();
    Click(selector->rightButton.get());
    host->BeginQuit();
    EXPECT_EQ(Bytes("data/usr.dat"), before);
}

TEST_F(PlayerScreensTest, CreatingPlayersRefusesEmptyAndTakenNamesAndKeepsTheTypedName)
{
    WritePicture(dir / "images" / "avatar" / "a.png", 0xFF00FF00);
    WritePicture(dir / "images" / "avatar" / "b.jpg", 0xFF0000FF);
    host->profiles.AddPlayer(MakePlayer("Mia", "images\\avatar\\a.png"));
    BuildScreens();
    createDialog->Open(&menu);
    ASSERT_TRUE(menu.HasWidget(createDialog.get()));
    EXPECT_EQ(widgets->modalWidget, createDialog.get());
    EXPECT_EQ(widgets->focusWidget, createDialog->nameField.get());
    EXPECT_EQ(createDialog->picker.avatarPaths,
              (std::vector<std::string>{"images\\avatar\\b.jpg", "images\\avatar\\a.png"}));

    // Empty: warning 1, the dialog stays and is modal again after BACK.
    Click(createDialog->okButton.get());
    EXPECT_EQ(host->warnings, std::vector<int32_t>{1});
    Click(host->warningDialog->backButton);
    EXPECT_TRUE(menu.HasWidget(createDialog.get()));
    EXPECT_EQ(widgets->modalWidget, createDialog.get());

    // The same name: warning 0, nothing stored, the name kept.
    widgets->SetFocus(createDialog->nameField.get());
    Type("Mia");
    const auto fileBefore = Bytes("data/usr.dat");
    Click(createDialog->okButton.get());
    EXPECT_EQ(host->warnings, (std::vector<int32_t>{1, 0}));
    EXPECT_EQ(createDialog->nameField->text, "Mia");
    EXPECT_EQ(host->profiles.players.size(), 1u);
    EXPECT_EQ(Bytes("data/usr.dat"), fileBefore);
    Click(host->warningDialog->backButton);

    // "invalid" would be taken for "no player" and never saved: it cannot
    // be used (warning 3); spaces only count as empty.
    widgets->SetFocus(createDialog->nameField.get());
    createDialog->nameField->SetText("invalid");
    Click(createDialog->okButton.get());
    EXPECT_EQ(host->warnings, (std::vector<int32_t>{1, 0, 3}));
    Click(host->warningDialog->backButton);
    createDialog->nameField->SetText("   ");
    Click(createDialog->okButton.get());
    EXPECT_EQ(host->warnings, (std::vector<int32_t>{1, 0, 3, 1}));
    EXPECT_EQ(host->profiles.players.size(), 1u);
    Click(host->warningDialog->backButton);

    // Only the case differs: a new player with the chosen avatar.
    createDialog->nameField->SetText("");
    widgets->SetFocus(createDialog->nameField.get());
    Type("mia");
    Click(createDialog->rightButton.get());
    Click(createDialog->okButton.get());
    EXPECT_EQ(host->warnings.size(), 4u);
    ASSERT_EQ(host->profiles.players.size(), 2u);
    EXPECT_EQ(host->profiles.players[1].GetName(), "mia");
    EXPECT_EQ(host->profiles.players[1].GetAvatarPath(), "images\\avatar\\a.png");
    EXPECT_EQ(host->profiles.players[1].progressFire, 0);
    EXPECT_EQ(selector->index, 1);
    EXPECT_EQ(createDialog->nameField->text, "");
    EXPECT_FALSE(menu.HasWidget(createDialog.get()));
    EXPECT_TRUE(widgets->modalStack.empty());
    const auto stored = ProfileFile(fs::path("data") / "usr.dat").Load();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].GetName(), "mia");
}

TEST_F(PlayerScreensTest, NameFieldRefusesTheThirteenthCharacter)
{
    BuildScreens();
    createDialog->Open(&menu);
    Type("ABCDEFGHIJKLM");
    EXPECT_EQ(createDialog->nameField->text, "ABCDEFGHIJKL");
    // Twelve bytes hold six double-byte characters, never a cut one.
    createDialog->nameField->SetText("");
    Type("abcdefghijk\xC4\xE3");
    EXPECT_EQ(createDialog->nameField->text, "abcdefghijk");
}

TEST_F(PlayerScreensTest, CancelKeepsTheNameAndReopeningRereadsTheAvatars)
{
    BuildScreens();
    createDialog->Open(&menu);
    EXPECT_TRUE(createDialog->picker.avatarPaths.empty());
    Click(createDialog->leftButton.get());
    EXPECT_EQ(createDialog->picker.avatarIndex, 0);
    Type("Zed");
    Click(createDialog->cancelButton.get());
    EXPECT_FALSE(menu.HasWidget(createDialog.get()));
    EXPECT_TRUE(widgets->modalStack.empty());
    EXPECT_TRUE(host->profiles.players.empty());

    WritePicture(dir / "images" / "avatar" / "one.png", 0xFF102030);
    WritePicture(dir / "images" / "avatar" / "two.gif.png", 0xFF102030);
    createDialog->Open(&menu);
    EXPECT_EQ(createDialog->nameField->text, "Zed");
    ASSERT_EQ(createDialog->picker.avatarPaths.size(), 2u);
    EXPECT_NE(createDialog->picker.avatarImage, nullptr);
    Click(createDialog->leftButton.get());
    EXPECT_EQ(createDialog->picker.avatarIndex, 1);
    Click(createDialog->rightButton.get());
    EXPECT_EQ(createDialog->picker.avatarIndex, 0);
    Click(createDialog->leftButton.get());
    createDialog->Open(&menu);
    EXPECT_EQ(createDialog->picker.avatarIndex, 0);
    EXPECT_EQ(widgets->modalStack.size(), 1u) << "opening an open dialog pushes no second record";
}

TEST_F(PlayerScreensTest, PlayerWithoutAnyAvatarPictureIsCreatedWithAnEmptyPath)
{
    BuildScreens();
    createDialog->Open(&menu);
    Type("Solo");
    Click(createDialog->okButton.get());
    ASSERT_EQ(host->profiles.players.size(), 1u);
    EXPECT_EQ(host->profiles.players[0].GetAvatarPath(), "");
    Click(selector->startButton.get());
    EXPECT_EQ(host->profiles.currentPlayer.GetName(), "Solo");
}

TEST_F(PlayerScreensTest, BrowseInFullScreenLeavesAWindowAndAddsTheCopiedPicture)
{
    host->app.windowed = false;
    host->app.preferredX = -40;
    host->app.preferredY = 30;
    host->app.SetWindowDragBand(26, 720, 797);
    host->app.CreateMainWindow();
    ASSERT_TRUE(host->app.fake->fullScreen);
    WritePicture(dir / "images" / "avatar" / "a.png", 0xFF00FF00);
    const fs::path outside = dir / "elsewhere" / "Me.png";
    WritePicture(outside, 0xFFABCDEF, 5);

    BuildScreens();
    createDialog->Open(&menu);
    browser->picked = outside.string();
    Click(createDialog->browseButton.get());
    EXPECT_TRUE(browser->windowedWhenRun);
    EXPECT_TRUE(host->app.windowed);
    EXPECT_FALSE(host->app.fake->fullScreen);
    EXPECT_EQ(host->app.preferredX, 4) << "where the window stands, inside the work area";
    EXPECT_EQ(host->app.preferredY, 30);
    EXPECT_EQ(host->app.fake->dragBands.back(), 26) << "the new window can still be dragged";

    EXPECT_EQ(createDialog->picker.avatarPaths,
              (std::vector<std::string>{"images\\avatar\\a.png", "images\\avatar\\Me.png"}));
    EXPECT_EQ(createDialog->picker.avatarIndex, 1);
    ASSERT_NE(createDialog->picker.avatarImage, nullptr);
    EXPECT_EQ(createDialog->picker.avatarImage->width, 5);
    EXPECT_EQ(Bytes(Game::UserAvatarDir() / "Me.png"), Bytes(outside)) << "imported into the user's folder";
    EXPECT_FALSE(fs::exists(dir / "images" / "avatar" / "Me.png")) << "the program's tree is only read";

    // The same picture again replaces the copy and is not listed twice.
    Click(createDialog->browseButton.get());
    EXPECT_EQ(createDialog->picker.avatarPaths.size(), 2u);
    EXPECT_EQ(createDialog->picker.avatarIndex, 1);

    // Cancelled or failed: the list stays as it was, in a window now.
    const size_t created = host->app.fake->created.size();
    browser->cancel = true;
    Click(createDialog->browseButton.get());
    browser->cancel = false;
    browser->picked = (dir / "elsewhere" / "gone.png").string();
    Click(createDialog->browseButton.get());
    EXPECT_EQ(createDialog->picker.avatarPaths.size(), 2u);
    EXPECT_EQ(createDialog->picker.avatarIndex, 1);
    EXPECT_EQ(host->app.fake->created.size(), created);

    // Without a chooser the player is told so.
    browser->chooser.clear();
    const int32_t runs = browser->runs;
    Click(createDialog->browseButton.get());
    EXPECT_EQ(browser->runs, runs);
    EXPECT_EQ(browser->unavailableReports, 1);
    ASSERT_FALSE(host->app.fake->messages.empty());
    EXPECT_NE(host->app.fake->messages.back().find("zenity"), std::string::npos);
    EXPECT_EQ(createDialog->picker.avatarPaths.size(), 2u);
}

TEST_F(PlayerScreensTest, ExitDialogQuitsOnYesAndBothButtonsUnpauseAndClose)
{
    ExitDialog exitDialog(*host);
    EXPECT_EQ(exitDialog.drawPriority, 5);
    EXPECT_EQ(exitDialog.GetRect(), Framework::Rect(155, 215, 490, 107));
    exitDialog.Show();
    exitDialog.Show();
    EXPECT_EQ(widgets->modalStack.size(), 1u);
    EXPECT_EQ(exitDialog.parent, widgets);

    Click(exitDialog.noButton);
    EXPECT_EQ(host->quits, 0);
    EXPECT_EQ(host->pauses, std::vector<bool>{false});
    EXPECT_FALSE(exitDialog.IsShown());
    EXPECT_TRUE(widgets->modalStack.empty());

    exitDialog.Show();
    Click(exitDialog.yesButton);
    EXPECT_EQ(host->quits, 1);
    EXPECT_EQ(host->pauses, (std::vector<bool>{false, false}));
    EXPECT_FALSE(exitDialog.IsShown());
    EXPECT_TRUE(widgets->modalStack.empty());
}

TEST_F(PlayerScreensTest, WarningKindsChooseTheirImageAndOtherKindsKeepThePrevious)
{
    Framework::MemoryImage exists;
    Framework::MemoryImage empty;
    Framework::MemoryImage mustCreate;
    Framework::MemoryImage invalidName;
    IMAGE_WARNING_INVALID_NAME = &invalidName;
    IMAGE_WARNING_ALREADY_EXISTS = &exists;
    IMAGE_WARNING_EMPTY = &empty;
    IMAGE_WARNING_MUST_CREATE = &mustCreate;
    WarningDialog& warning = *host->warningDialog;
    EXPECT_EQ(warning.GetRect(), Framework::Rect(155, 215, 490, 107));
    warning.SetKind(0);
    EXPECT_EQ(warning.image, &exists);
    warning.SetKind(1);
    EXPECT_EQ(warning.image, &empty);
    warning.Show(2);
    EXPECT_EQ(warning.image, &mustCreate);
    warning.Show(3);
    EXPECT_EQ(warning.image, &invalidName);
    warning.Show(4);
    warning.Show(-1);
    EXPECT_EQ(warning.image, &invalidName);
    EXPECT_EQ(warning.kind, 3);
    EXPECT_EQ(widgets->modalStack.size(), 1u);
    warning.Close();
    EXPECT_TRUE(widgets->modalStack.empty());
}

TEST_F(PlayerScreensTest, ButtonFeedbackOfScreensAndDialogs)
{
    SOUND_BTON_ON = 42;
    BuildScreens();
    const Framework::Point start = selector->startButton->GetScreenPos();
    widgets->MouseMove(start.x + 1, start.y + 1);
    EXPECT_EQ(host->sounds, std::vector<int32_t>{42});
    host->SetCursor(0);
    widgets->MouseMove(start.x + 3, start.y + 2);
    EXPECT_EQ(host->cursor, 1) << "screens show the hand while the pointer moves";
    widgets->MouseMove(1, 1);
    EXPECT_EQ(host->cursor, 0);
    EXPECT_EQ(host->sounds.size(), 1u);

    ExitDialog exitDialog(*host);
    exitDialog.Show();
    const Framework::Point yes = exitDialog.yesButton->GetScreenPos();
    widgets->MouseMove(yes.x + 1, yes.y + 1);
    EXPECT_EQ(host->sounds, (std::vector<int32_t>{42, 42}));
    EXPECT_EQ(host->cursor, 1) << "dialogs show the hand on entering";
    host->SetCursor(0);
    widgets->MouseMove(yes.x + 3, yes.y + 2);
    EXPECT_EQ(host->cursor, 0) << "and do nothing while it moves";
    widgets->MouseMove(yes.x + 60, yes.y + 2);
    EXPECT_EQ(host->cursor, 0);
    EXPECT_EQ(host->sounds.size(), 2u);
}

TEST_F(PlayerScreensTest, AChineseNameIsDrawnWithGlyphsAndTheCaretFollowsIt)
{
    host->profiles.AddPlayer(MakePlayer("\xC0\xEE\xC3\xF7", "")); // 李明
    BuildScreens();
    createDialog->Open(&menu);
    Framework::EditWidget& field = *createDialog->nameField;
    widgets->SetFocus(&field);
    Type("Li\xD6\xD0\xCE\xC4"); // "Li" and 中文 as the input method sends them
    ASSERT_EQ(field.text, "Li\xD6\xD0\xCE\xC4");
    Framework::Font* drawn = field.GetFont();
    const int32_t latin = font.TextWidth("Li");
    const int32_t whole = drawn->TextWidth(field.text);
    ASSERT_GT(whole, latin + 10) << "the two-byte characters have widths (fonts-wqy-microhei)";

    Framework::MemoryImage box;
    box.Allocate(field.width, field.height);
    Framework::Graphics g(&box);
    field.Draw(&g);
    const auto inkedColumns = [&](int32_t from, int32_t to)
    {
        int32_t columns = 0;
        for (int32_t x = std::max(from, 0); x < std::min(to, box.width); ++x)
        {
            for (int32_t y = 0; y < box.height; ++y)
            {
                if (box.GetPixel(x, y) != 0)
                {
                    ++columns;
                    break;
                }
            }
        }
        return columns;
    };
    const int32_t inset = 4;
    EXPECT_GE(inkedColumns(inset + latin, inset + whole), (whole - latin) / 2) << "Chinese glyphs in the name box";
    EXPECT_EQ(inkedColumns(inset + whole, inset + whole + 2), 2) << "the caret after the last character";
    EXPECT_EQ(inkedColumns(inset + whole + 3, box.width), 0);

    // The selector centres the stored Chinese name as drawn.
    createDialog->Close();
    Framework::MemoryImage screen;
    screen.Allocate(selector->width, selector->height);
    Framework::Graphics sg(&screen);
    selector->Draw(&sg);
    int32_t differing = 0;
    for (int32_t y = 60; y < 82; ++y)
    {
        for (int32_t x = 200; x < 322; ++x)
        {
            differing += (screen.GetPixel(x, y) & 0x00FFFFFF) != 0 ? 1 : 0;
        }
    }
    EXPECT_GT(differing, 20) << "the selector shows the Chinese name";
}
