#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

// Plays the user in front of modal dialogs and message boxes: a background thread waits for
// a dialog of this process to come up, hands it to the test's reaction (which reads its
// texts and presses its buttons), and records what it saw.
class DialogDriver {
public:
    using Reaction = std::function<void(HWND dialog)>;
    using Match = std::function<bool(HWND dialog)>;

    // Handles the first dialog that matches (any dialog when no match is given).
    explicit DialogDriver(Reaction reaction, Match match = nullptr);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Whether a dialog came up and was handled. A reaction still at work (waiting for a box it
    // answered to close) after its dialog has ended is waited for first.
    bool Handled() const;

private:
    void Watch();

    Reaction reaction_;
    Match match_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> reacting_{false};
    std::atomic<bool> handled_{false};
    std::thread thread_;
};

// The text of a window: the message of a message box is its static control 0xFFFF.
std::wstring WindowText(HWND window);
std::wstring MessageBoxText(HWND messageBox);
void PressButton(HWND dialog, int buttonId);
// The first visible dialog of this process other than the one given that matches (any when no
// match is given); none when there is none.
HWND FindDialog(HWND except = nullptr, const DialogDriver::Match& match = nullptr);
// Whether the dialog is a message box (it has the message's static control).
bool IsMessageBox(HWND dialog);
// Runs the action, answers the message box it raises with the button and gives the box's text
// (empty when none came up).
std::wstring AnswerMessageBox(int button, const std::function<void()>& action);
