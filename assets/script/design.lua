-- Frothwick design script: the numbers of the game design that are balanced
-- here rather than in the program. The game loads this file afresh for every
-- call, so nothing kept in globals survives from one call to the next.
-- Every function takes one number and returns one value.

-- Quest worlds by the thousands digit of a stage id (10000 air, 20000 fire,
-- 30000 water, 40000 earth) and the file-name stem of their stages.
local WORLD_FILES = { [1] = "air", [2] = "fire", [3] = "water", [4] = "earth" }
local STAGES_PER_WORLD = 16

-- GetStageFile(stageId) -> file name below "data/".
-- stageId = world base + stage index 0..15; stage index 0 is "water01.dat".
-- Ids outside the sixteen stages of the four worlds raise an error, which
-- the game logs before leaving the field empty.
function GetStageFile(stageId)
    local base = math.floor(stageId / 10000)
    local index = stageId - base * 10000
    local stem = WORLD_FILES[base]
    if stem == nil or index < 0 or index >= STAGES_PER_WORLD or index ~= math.floor(index) then
        error("no stage file for stage id " .. tostring(stageId))
    end
    return string.format("%s%02d.dat", stem, index + 1)
end

-- CalcScore(count) -> points for one match of `count` bubbles (3 or more).
-- 10 points a bubble, and every bubble beyond the third adds a growing bonus
-- so that big groups pay: 3 -> 30, 4 -> 50, 5 -> 80, 6 -> 120, 10 -> 380.
-- Counts below 3 never burst and score nothing.
function CalcScore(count)
    if count < 3 then
        return 0
    end
    local extra = count - 3
    return 10 * count + 5 * extra * (extra + 1)
end

-- CalcPushDownInterval(difficulty) -> seconds between push-downs in the
-- time-attack mode. 0 easy, 1 normal, 2 hard, 3 expert; anything else gets
-- the normal pace. Never below 6 s, so a row can always be answered.
local PUSH_DOWN_SECONDS = { [0] = 22, [1] = 17, [2] = 12, [3] = 8 }
function CalcPushDownInterval(difficulty)
    return PUSH_DOWN_SECONDS[difficulty] or PUSH_DOWN_SECONDS[1]
end

-- GetTimeBonus(minutes) -> bonus for a won stage that took `minutes` whole
-- minutes: 3000 for under a minute, 500 less for every further minute, none
-- after six. A clock set back (negative minutes) counts as under a minute.
function GetTimeBonus(minutes)
    if minutes < 0 then
        minutes = 0
    end
    local bonus = 3000 - 500 * math.floor(minutes)
    if bonus < 0 then
        return 0
    end
    return bonus
end
