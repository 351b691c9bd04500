// ResourceIds: the game's resource variables, one process-wide variable per
// identifier of the manifest, named exactly like the identifier. IMAGE_
// variables reference images and FONT_ variables fonts that the resource
// manager owns; SOUND_ variables hold the manager's sound ids.
//
// Lifetime: all are null (0 for sounds) until their group is bound; the
// Bind operations fill them group by group in the order of the lists below
// and stop at the first identifier the manager cannot hand out (the ones
// bound before keep their values). They turn invalid when the groups are
// freed at shutdown; ResetResourceVariables clears them all (tests, shutdown).
//
// Threads: "Init", "LoadScreen" and "Media" are bound on the main thread,
// "Game" on the loading thread before the main thread reads any of its
// variables.
#pragma once

#include <cstdint>

namespace Framework
{
class Font;
class Image;
} // namespace Framework

// X(kind, identifier) for every identifier of a group, in binding order.
#define FROTHWICK_INIT_RESOURCES(X)                                                                                    \
    X(FONT, FONT_BAUHAUS9310)                                                                                          \
    X(FONT, FONT_DEFAULT)                                                                                              \
    X(FONT, FONT_KILOTON9)                                                                                             \
    X(FONT, FONT_SUPERNOVA)                                                                                            \
    X(FONT, FONT_VERDANA10BOLD)                                                                                        \
    X(IMAGE, IMAGE_CUSTOM_DRAGGING)                                                                                    \
    X(IMAGE, IMAGE_CUSTOM_HAND)                                                                                        \
    X(IMAGE, IMAGE_CUSTOM_POINTER)                                                                                     \
    X(IMAGE, IMAGE_CUSTOM_TEXT)                                                                                        \
    X(IMAGE, IMAGE_LOGO_TAMSERY)                                                                                       \
    X(IMAGE, IMAGE_CORVANE_LOGO)

#define FROTHWICK_LOADSCREEN_RESOURCES(X)                                                                              \
    X(IMAGE, IMAGE_LOADER_BAR)                                                                                         \
    X(IMAGE, IMAGE_LOADER_EMPTY)                                                                                       \
    X(IMAGE, IMAGE_LOADER_SCREEN)

#define FROTHWICK_MEDIA_RESOURCES(X)                                                                                   \
    X(SOUND, SOUND_ALLCLEAR)                                                                                           \
    X(SOUND, SOUND_BALL_EX)                                                                                            \
    X(SOUND, SOUND_BALL_HIT)                                                                                           \
    X(SOUND, SOUND_BOMB)                                                                                               \
    X(SOUND, SOUND_BTON_CLK)                                                                                           \
    X(SOUND, SOUND_BTON_ON)                                                                                            \
    X(SOUND, SOUND_EATBALL)                                                                                            \
    X(SOUND, SOUND_FIRE)                                                                                               \
    X(SOUND, SOUND_HITSNOW)                                                                                            \
    X(SOUND, SOUND_ICE_HOLE)                                                                                           \
    X(SOUND, SOUND_LAVA)                                                                                               \
    X(SOUND, SOUND_MUSHROOM)                                                                                           \
    X(SOUND, SOUND_PLANTDEATH)                                                                                         \
    X(SOUND, SOUND_SELECT_W)                                                                                           \
    X(SOUND, SOUND_STAGECLEAR)                                                                                         \
    X(SOUND, SOUND_TORNADO)                                                                                            \
    X(SOUND, SOUND_WALL_CLOUD)                                                                                         \
    X(SOUND, SOUND_WALL_ICE)                                                                                           \
    X(SOUND, SOUND_WALL_LAVA)                                                                                          \
    X(SOUND, SOUND_WALL_TREE)

#define FROTHWICK_GAME_RESOURCES(X)                                                                                    \
    X(IMAGE, IMAGE_AIR1)                                                                                               \
    X(IMAGE, IMAGE_AIR2)                                                                                               \
    X(IMAGE, IMAGE_AIRWORLD)                                                                                           \
    X(IMAGE, IMAGE_ALLCLEAR)                                                                                           \
    X(IMAGE, IMAGE_ANIM_X1X2)                                                                                          \
    X(IMAGE, IMAGE_ANIM_X1X2_GREEN)                                                                                    \
    X(IMAGE, IMAGE_AQUA_DROP)                                                                                          \
    X(IMAGE, IMAGE_ARCADE)                                                                                             \
    X(IMAGE, IMAGE_AVATAR_FRAME)                                                                                       \
    X(IMAGE, IMAGE_BACKGROUND)                                                                                         \
    X(IMAGE, IMAGE_BACKTO)                                                                                             \
    X(IMAGE, IMAGE_BACK_TO_MAINMENU)                                                                                   \
    X(IMAGE, IMAGE_BG_AIR)                                                                                             \
    X(IMAGE, IMAGE_BG_EARTH)                                                                                           \
    X(IMAGE, IMAGE_BG_FIRE)                                                                                            \
    X(IMAGE, IMAGE_BG_WATER)                                                                                           \
    X(IMAGE, IMAGE_BLUE_DROP)                                                                                          \
    X(IMAGE, IMAGE_BOMB)                                                                                               \
    X(IMAGE, IMAGE_BOMB_BURST)                                                                                         \
    X(IMAGE, IMAGE_BUBBLE_AQUA)                                                                                        \
    X(IMAGE, IMAGE_BUBBLE_BLACK)                                                                                       \
    X(IMAGE, IMAGE_BUBBLE_BLUE)                                                                                        \
    X(IMAGE, IMAGE_BUBBLE_FUCHSIA)                                                                                     \
    X(IMAGE, IMAGE_BUBBLE_GREEN)                                                                                       \
    X(IMAGE, IMAGE_BUBBLE_RED)                                                                                         \
    X(IMAGE, IMAGE_BUBBLE_YELLOW)                                                                                      \
    X(IMAGE, IMAGE_BURST)                                                                                              \
    X(IMAGE, IMAGE_BURSTWIND)                                                                                          \
    X(IMAGE, IMAGE_BUTTON_AIR)                                                                                         \
    X(IMAGE, IMAGE_BUTTON_BACK)                                                                                        \
    X(IMAGE, IMAGE_BUTTON_CANCEL)                                                                                      \
    X(IMAGE, IMAGE_BUTTON_CHGMODE)                                                                                     \
    X(IMAGE, IMAGE_BUTTON_CREATE_BROWSE)                                                                               \
    X(IMAGE, IMAGE_BUTTON_CREATE_CANCEL)                                                                               \
    X(IMAGE, IMAGE_BUTTON_CREATE_OK)                                                                                   \
    X(IMAGE, IMAGE_BUTTON_CREATE_UPLOAD)                                                                               \
    X(IMAGE, IMAGE_BUTTON_DELETE)                                                                                      \
    X(IMAGE, IMAGE_BUTTON_EARTH)                                                                                       \
    X(IMAGE, IMAGE_BUTTON_EASY)                                                                                        \
    X(IMAGE, IMAGE_BUTTON_EXPERT)                                                                                      \
    X(IMAGE, IMAGE_BUTTON_FIRE)                                                                                        \
    X(IMAGE, IMAGE_BUTTON_HARD)                                                                                        \
    X(IMAGE, IMAGE_BUTTON_HIGHSCORES)                                                                                  \
    X(IMAGE, IMAGE_BUTTON_NEW)                                                                                         \
    X(IMAGE, IMAGE_BUTTON_NORMAL)                                                                                      \
    X(IMAGE, IMAGE_BUTTON_OK)                                                                                          \
    X(IMAGE, IMAGE_BUTTON_PAUSE)                                                                                       \
    X(IMAGE, IMAGE_BUTTON_PLAYERSETTINGS)                                                                              \
    X(IMAGE, IMAGE_BUTTON_RESUME)                                                                                      \
    X(IMAGE, IMAGE_BUTTON_START)                                                                                       \
    X(IMAGE, IMAGE_BUTTON_TIPS)                                                                                        \
    X(IMAGE, IMAGE_BUTTON_TIP_CLOSE)                                                                                   \
    X(IMAGE, IMAGE_BUTTON_WATER)                                                                                       \
    X(IMAGE, IMAGE_CHANGEMODE)                                                                                         \
    X(IMAGE, IMAGE_CLEARONE)                                                                                           \
    X(IMAGE, IMAGE_COMMON1)                                                                                            \
    X(IMAGE, IMAGE_COMMON2)                                                                                            \
    X(IMAGE, IMAGE_CONTINUE)                                                                                           \
    X(IMAGE, IMAGE_CREAT)                                                                                              \
    X(IMAGE, IMAGE_CREAT_UI)                                                                                           \
    X(IMAGE, IMAGE_EARTH1)                                                                                             \
    X(IMAGE, IMAGE_EARTH2)                                                                                             \
    X(IMAGE, IMAGE_EARTHWORLD)                                                                                         \
    X(IMAGE, IMAGE_EASY)                                                                                               \
    X(IMAGE, IMAGE_ES_AIR)                                                                                             \
    X(IMAGE, IMAGE_ES_EARTH)                                                                                           \
    X(IMAGE, IMAGE_ES_FIRE)                                                                                            \
    X(IMAGE, IMAGE_ES_ICE)                                                                                             \
    X(IMAGE, IMAGE_ES_ICE_L)                                                                                           \
    X(IMAGE, IMAGE_ES_SHING)                                                                                           \
    X(IMAGE, IMAGE_ES_WATER)                                                                                           \
    X(IMAGE, IMAGE_EXIT_BUTTON)                                                                                        \
    X(IMAGE, IMAGE_EXIT_NO)                                                                                            \
    X(IMAGE, IMAGE_EXIT_UI)                                                                                            \
    X(IMAGE, IMAGE_EXIT_YES)                                                                                           \
    X(IMAGE, IMAGE_EXPERT)                                                                                             \
    X(IMAGE, IMAGE_FEMALEGOD)                                                                                          \
    X(IMAGE, IMAGE_FIRE1)                                                                                              \
    X(IMAGE, IMAGE_FIRE2)                                                                                              \
    X(IMAGE, IMAGE_FIREWORLD)                                                                                          \
    X(IMAGE, IMAGE_FLAME)                                                                                              \
    X(IMAGE, IMAGE_FUCHSIA_DROP)                                                                                       \
    X(IMAGE, IMAGE_FULLMARK)                                                                                           \
    X(IMAGE, IMAGE_GAMEOVER)                                                                                           \
    X(IMAGE, IMAGE_GREEN_DROP)                                                                                         \
    X(IMAGE, IMAGE_GREEN_EAT)                                                                                          \
    X(IMAGE, IMAGE_HARD)                                                                                               \
    X(IMAGE, IMAGE_HIGHSCORE)                                                                                          \
    X(IMAGE, IMAGE_HIGHSCORE_CONTINUE)                                                                                 \
    X(IMAGE, IMAGE_HIGHSCORE_DIFF)                                                                                     \
    X(IMAGE, IMAGE_HIGHSCORE_NEWRECORD)                                                                                \
    X(IMAGE, IMAGE_HIGHSCORE_WORLD)                                                                                    \
    X(IMAGE, IMAGE_HIT_ES)                                                                                             \
    X(IMAGE, IMAGE_ICE)                                                                                                \
    X(IMAGE, IMAGE_ICELIGHT)                                                                                           \
    X(IMAGE, IMAGE_ICEWORLD)                                                                                           \
    X(IMAGE, IMAGE_LAVA)                                                                                               \
    X(IMAGE, IMAGE_LAVA_DRY_UP)                                                                                        \
    X(IMAGE, IMAGE_LEVEL)                                                                                              \
    X(IMAGE, IMAGE_LOGIN_UI)                                                                                           \
    X(IMAGE, IMAGE_MARKBALL)                                                                                           \
    X(IMAGE, IMAGE_MAXMIZE_BUTTON)                                                                                     \
    X(IMAGE, IMAGE_MINMIZE_BUTTON)                                                                                     \
    X(IMAGE, IMAGE_MUSHROOM)                                                                                           \
    X(IMAGE, IMAGE_MUSHROOM_BOUNCE)                                                                                    \
    X(IMAGE, IMAGE_MUSHROOM_BOUNCE_LEFT)                                                                               \
    X(IMAGE, IMAGE_MUSHROOM_BOUNCE_RIGHT)                                                                              \
    X(IMAGE, IMAGE_MUSHROOM_LEFT)                                                                                      \
    X(IMAGE, IMAGE_MUSHROOM_RIGHT)                                                                                     \
    X(IMAGE, IMAGE_NORMAL)                                                                                             \
    X(IMAGE, IMAGE_NUMBER_LEVEL)                                                                                       \
    X(IMAGE, IMAGE_NUMBER_SCORE)                                                                                       \
    X(IMAGE, IMAGE_OK)                                                                                                 \
    X(IMAGE, IMAGE_PAGE_LEFT)                                                                                          \
    X(IMAGE, IMAGE_PAGE_RIGHT)                                                                                         \
    X(IMAGE, IMAGE_PARTICLE_ALL)                                                                                       \
    X(IMAGE, IMAGE_PLANT_EATING)                                                                                       \
    X(IMAGE, IMAGE_PLANT_GONE)                                                                                         \
    X(IMAGE, IMAGE_QUEST)                                                                                              \
    X(IMAGE, IMAGE_QUITGAME)                                                                                           \
    X(IMAGE, IMAGE_RED_DROP)                                                                                           \
    X(IMAGE, IMAGE_RED_MELT)                                                                                           \
    X(IMAGE, IMAGE_SCORE)                                                                                              \
    X(IMAGE, IMAGE_SCROLL_DOWN)                                                                                        \
    X(IMAGE, IMAGE_SCROLL_THUMB)                                                                                       \
    X(IMAGE, IMAGE_SCROLL_UP)                                                                                          \
    X(IMAGE, IMAGE_SELECTWORLD)                                                                                        \
    X(IMAGE, IMAGE_SETTING)                                                                                            \
    X(IMAGE, IMAGE_SETTINGS_UI)                                                                                        \
    X(IMAGE, IMAGE_SNOWMAN_BODY)                                                                                       \
    X(IMAGE, IMAGE_SNOWMAN_BODY_DIS)                                                                                   \
    X(IMAGE, IMAGE_SNOWMAN_HEAD)                                                                                       \
    X(IMAGE, IMAGE_SNOWMAN_HIT)                                                                                        \
    X(IMAGE, IMAGE_SNOWMAN_N)                                                                                          \
    X(IMAGE, IMAGE_SPHERE)                                                                                             \
    X(IMAGE, IMAGE_STAGE01)                                                                                            \
    X(IMAGE, IMAGE_STAGE02)                                                                                            \
    X(IMAGE, IMAGE_STAGE03)                                                                                            \
    X(IMAGE, IMAGE_STAGE04)                                                                                            \
    X(IMAGE, IMAGE_STAGE05)                                                                                            \
    X(IMAGE, IMAGE_STAGE06)                                                                                            \
    X(IMAGE, IMAGE_STAGE07)                                                                                            \
    X(IMAGE, IMAGE_STAGE08)                                                                                            \
    X(IMAGE, IMAGE_STAGE09)                                                                                            \
    X(IMAGE, IMAGE_STAGE10)                                                                                            \
    X(IMAGE, IMAGE_STAGE11)                                                                                            \
    X(IMAGE, IMAGE_STAGE12)                                                                                            \
    X(IMAGE, IMAGE_STAGE13)                                                                                            \
    X(IMAGE, IMAGE_STAGE14)                                                                                            \
    X(IMAGE, IMAGE_STAGE15)                                                                                            \
    X(IMAGE, IMAGE_STAGE16)                                                                                            \
    X(IMAGE, IMAGE_STAGECLEAR)                                                                                         \
    X(IMAGE, IMAGE_STAGESELECTOR_BG)                                                                                   \
    X(IMAGE, IMAGE_STAGE_NUMBER)                                                                                       \
    X(IMAGE, IMAGE_START)                                                                                              \
    X(IMAGE, IMAGE_SYMBOL_NUMBER)                                                                                      \
    X(IMAGE, IMAGE_SYMBOL_X)                                                                                           \
    X(IMAGE, IMAGE_SYMBOL_X1)                                                                                          \
    X(IMAGE, IMAGE_SYMBOL_X1LV)                                                                                        \
    X(IMAGE, IMAGE_SYMBOL_X2)                                                                                          \
    X(IMAGE, IMAGE_SYMBOL_X2LV)                                                                                        \
    X(IMAGE, IMAGE_TEXT_STAGE)                                                                                         \
    X(IMAGE, IMAGE_TIMEATTACK)                                                                                         \
    X(IMAGE, IMAGE_TITLE)                                                                                              \
    X(IMAGE, IMAGE_TITLEBAR)                                                                                           \
    X(IMAGE, IMAGE_TORNADO_LEFT)                                                                                       \
    X(IMAGE, IMAGE_TORNADO_RIGHT)                                                                                      \
    X(IMAGE, IMAGE_TORNADO_UPPER)                                                                                      \
    X(IMAGE, IMAGE_TRY_AGAIN)                                                                                          \
    X(IMAGE, IMAGE_UI_DIFF)                                                                                            \
    X(IMAGE, IMAGE_UI_MAIN)                                                                                            \
    X(IMAGE, IMAGE_VOL_MARK)                                                                                           \
    X(IMAGE, IMAGE_WALL_AIR)                                                                                           \
    X(IMAGE, IMAGE_WALL_EARTH)                                                                                         \
    X(IMAGE, IMAGE_WALL_FIRE)                                                                                          \
    X(IMAGE, IMAGE_WARNING_ALREADY_EXISTS)                                                                             \
    X(IMAGE, IMAGE_WARNING_EMPTY)                                                                                      \
    X(IMAGE, IMAGE_WARNING_INVALID_NAME)                                                                               \
    X(IMAGE, IMAGE_WARNING_MUST_CREATE)                                                                                \
    X(IMAGE, IMAGE_WATER)                                                                                              \
    X(IMAGE, IMAGE_WATER1)                                                                                             \
    X(IMAGE, IMAGE_WATER2)                                                                                             \
    X(IMAGE, IMAGE_WATERBUBBLE)                                                                                        \
    X(IMAGE, IMAGE_WIND_LEFT)                                                                                          \
    X(IMAGE, IMAGE_WIND_RIGHT)                                                                                         \
    X(IMAGE, IMAGE_WIND_STOP)                                                                                          \
    X(IMAGE, IMAGE_WIND_UPPER)                                                                                         \
    X(IMAGE, IMAGE_WORD_AIR)                                                                                           \
    X(IMAGE, IMAGE_WORD_EARTH)                                                                                         \
    X(IMAGE, IMAGE_WORD_FIRE)                                                                                          \
    X(IMAGE, IMAGE_WORD_WATER)                                                                                         \
    X(IMAGE, IMAGE_YELLOW_DROP)                                                                                        \
    X(IMAGE, IMAGE_YOUWIN)

#define FROTHWICK_DECLARE_RESOURCE(kind, name) extern kind##_VARIABLE_TYPE name;
#define IMAGE_VARIABLE_TYPE Framework::Image*
#define FONT_VARIABLE_TYPE Framework::Font*
#define SOUND_VARIABLE_TYPE int32_t
FROTHWICK_INIT_RESOURCES(FROTHWICK_DECLARE_RESOURCE)
FROTHWICK_LOADSCREEN_RESOURCES(FROTHWICK_DECLARE_RESOURCE)
FROTHWICK_MEDIA_RESOURCES(FROTHWICK_DECLARE_RESOURCE)
FROTHWICK_GAME_RESOURCES(FROTHWICK_DECLARE_RESOURCE)

// Clears every resource variable.
void ResetResourceVariables();

// Identifiers per group in binding order, and their count.
const char* const* ResourceGroupIds(const char* group, int32_t& count);
