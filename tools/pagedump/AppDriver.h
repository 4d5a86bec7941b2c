// Runs Corvane's application object on the headless desktop and plays the
// user's part: whenever a loop (the main dialog's, the open-file dialog's, a
// message box's) waits with nothing to do, the tool's idle step decides what
// the user does next, with injected mouse clicks and keys.
#pragma once

#include "platform/display/HeadlessBackend.h"
#include "platform/system/Windows.h"

#include <functional>
#include <string>

class CCorvaneDlg;

namespace corvane::tools {

class AppDriver {
public:
    AppDriver();
    ~AppDriver();
    AppDriver(const AppDriver&) = delete;
    AppDriver& operator=(const AppDriver&) = delete;

    // Runs CCorvaneApp to its end through the framework's entry. idle answers
    // true when it gave input (or moved the clock); false lets a pending timer
    // fire, and with nothing pending ends every loop, which Stalled() reports.
    // An exception out of idle (memory ran out) is told on stderr under tool's
    // name and closes the main window; idle is not called again, and Failed() says so.
    int Run(const std::string& tool, std::function<bool()> idle);
    bool Stalled() const { return m_stalled; }
    bool Failed() const { return m_failed; }

    display::HeadlessBackend& Screen() { return m_screen; }
    // The main dialog while the application runs; null before and after.
    CCorvaneDlg* Dialog() const;

    void ClickCenter(HWND hwnd);
    // Clicks tab i of the main dialog; false when it has no such tab.
    bool ClickTab(int i);
    // Whether page i rests where the tab control puts it (its slide is over).
    bool PageAtRest(int i) const;
    void Key(unsigned vk);
    // Moves the pointer off the window, so nothing shows a hover look.
    void MoveMouseAway();
    // Asks the desktop to close the main window, as its close command does.
    void CloseMain();

private:
    display::HeadlessBackend m_screen;
    bool m_stalled = false;
    bool m_failed = false;
};

// The open of one file through "打开...", the open-file dialog's name box and
// Enter, played one idle turn at a time.
class OpenThroughDialog {
public:
    enum class State { Running, Loaded, Failed };

    // cp936Path is typed as it is; messages go to stderr under tool's name.
    OpenThroughDialog(AppDriver& driver, std::string cp936Path, std::string tool);

    // One idle turn: true when it gave input. Once the state is no longer
    // Running it does nothing and returns false.
    bool Step();
    State GetState() const { return m_state; }

private:
    enum class Phase { Click, Answer, Settle, Cancelled };

    // Tells the user why the open failed (UTF-8, one line).
    void Complain(const std::string& cp936Text);

    AppDriver& m_driver;
    std::string m_path;
    std::string m_tool;
    Phase m_phase = Phase::Click;
    State m_state = State::Running;
    HWND m_fileDlg = nullptr;
    bool m_complained = false;
};

// The message of a message box (its text control), empty when hwnd is none.
std::string MessageBoxText(HWND hwnd);

// Routes the framework's exception reports through a message box as before,
// with the line on stderr in UTF-8 under tool's name. Call inside Run (the
// framework's entry installs its own reporter first).
void ReportExceptionsAs(const std::string& tool);
// Whether such a report was made: something the program was doing failed
// (memory ran out in a page fill, say), so what it shows may be incomplete.
bool ExceptionsReported();

} // namespace corvane::tools
