#pragma once

#include "file_thread.h"

namespace cj::form {

// What the form's rules ask of the window that shows it; each toolkit's window does these
// with its own calls.
class ToolkitWindow : public WorkWait {
public:
    virtual void stopTimers() = 0;
    virtual void hideWindow() = 0;
    // Returns from the event loop; before the loop has started, the program's start sees that
    // the program has ended instead.
    virtual void leaveEventLoop() = 0;
    // Starts the answer box's single-shot pause over.
    virtual void startDraftPause() = 0;
    // Shows, or stops showing, that a command is running (the wait cursor).
    virtual void showBusy(bool busy) = 0;
    // Enables or disables the buttons whose command records the answer box.
    virtual void enableRecording(bool enabled) = 0;
    // Serves, in order, the clicks, keys and closes that reached the window and wait unserved.
    virtual void serveHeldInput() = 0;
    // Puts Picture1's picture on the system clipboard, then shows the clipboard's in Picture2.
    virtual void copyPicture() = 0;
    // Returns whether the picture timer now runs.
    virtual bool startPictureTimer() = 0;
};

}  // namespace cj::form
