// Clipboard: the system clipboard as UTF-8 text. Text fields convert between
// it and their GBK text. SystemClipboard() is the desktop's clipboard through
// the platform layer (empty and refusing while no video system runs); tests
// hand fields a fake instead. Main thread only.
#pragma once

#include <string>

namespace Framework
{

class Clipboard
{
public:
    virtual ~Clipboard() = default;
    // The clipboard's text, empty when it holds none.
    virtual std::string GetText() = 0;
    // False when the clipboard could not take the text.
    virtual bool SetText(const std::string& utf8) = 0;
};

// The desktop's clipboard; lives as long as the process. While a stand-in
// is set (a demo keeps or replays what was pasted) it is the stand-in, which
// reaches the desktop's through DesktopClipboard; fields take the clipboard
// when they are made.
Clipboard& SystemClipboard();
Clipboard& DesktopClipboard();
// Null: the desktop's again. The stand-in must outlive the fields made meanwhile.
void SetSystemClipboard(Clipboard* standIn);

} // namespace Framework
