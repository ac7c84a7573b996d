#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

// Plays the user through several dialogs in a row, one step per dialog: each step waits for a
// dialog of this process that comes up once the previous step's dialog has gone.
class DialogSequence {
public:
    using Step = std::function<void(HWND dialog)>;

    explicit DialogSequence(std::vector<Step> steps);
    ~DialogSequence();
    DialogSequence(const DialogSequence&) = delete;
    DialogSequence& operator=(const DialogSequence&) = delete;

    // How many steps found their dialog. A step still at work after its dialog has ended (its
    // last press not yet returned) is waited for first.
    int StepsPlayed() const;

private:
    void Play();

    std::vector<Step> steps_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> playing_{false};
    std::atomic<int> played_{0};
    std::thread thread_;
};
