#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/main/MainWindow.h"

// The real main window, started in the test's process with the test's own command line,
// program folder and data folder, and driven the way a person does: commands go to the
// window, and the modal dialogs they open are handled by a DialogDriver.
class ProgramUnderTest {
public:
    explicit ProgramUnderTest(TQLibrary::StartOptions options);
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // Whether the main window was created (a refused second copy is not).
    bool Started() const { return window_ != nullptr; }
    HWND Window() const { return window_; }
    TQLibrary::Application& Application() const { return *TQLibrary::ApplicationOf(window_); }

    // Handles messages until the deferred load has run and the window shows.
    bool WaitUntilLoaded(DWORD milliseconds = 20000);
    void Command(int id);
    // Runs a command that raises a message box, answers it with the button and gives its text
    // (empty when no box came up).
    std::wstring CommandAnsweringBox(int id, int button);
    std::wstring StatusText(int part) const;
    std::wstring Title() const;
    bool MenuItemEnabled(int id) const;
    std::vector<std::wstring> TabTexts() const;
    // Selects the tab as a click does: the tab strip tells the window, unless it was selected already.
    void SelectTab(int index);
    // Selects exactly these list rows; the list reports each change to the window.
    void SelectRows(const std::vector<int>& rows);
    // Tells the window its size again, as the system does after a resize.
    void SendSize();
    // Closes the window as the user does and handles messages until it is gone.
    void Close();
    // Handles the messages waiting, as the program's loop would (its keys aside).
    void Pump();

private:
    TQLibrary::StartOptions options_;
    HWND window_ = nullptr;
};

// Types a path into a common file dialog's name box and presses OK, as a user would.
void TypeFileNameAndAccept(HWND fileDialog, const std::wstring& path);
