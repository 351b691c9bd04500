// The same stage once more, as the dialogs that offer a retry start it: a
// fresh field (in the quest the stage file again, with its goal), the
// stage's state reset, no sunk drops, new shots, the fade-in from black and
// the stage's music. Main thread only.
#pragma once

class GameDialogHost;
class PlayFieldControls;

void RestartStage(GameDialogHost& host, PlayFieldControls& field);
