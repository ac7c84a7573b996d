#include "windows/support/DialogSequence.h"
#include "windows/support/DialogDriver.h"

#include <chrono>

DialogSequence::DialogSequence(std::vector<Step> steps) : steps_(std::move(steps)), thread_([this] { Play(); }) {}

DialogSequence::~DialogSequence() {
    stop_ = true;
    thread_.join();
}

int DialogSequence::StepsPlayed() const {
    for (int wait = 0; wait < 3000 && playing_; ++wait)
        Sleep(10);
    return played_;
}

void DialogSequence::Play() {
    using namespace std::chrono;
    auto deadline = steady_clock::now() + seconds(30);
    HWND previous = nullptr;
    for (const Step& step : steps_) {
        HWND dialog = nullptr;
        while (!stop_ && steady_clock::now() < deadline) {
            bool previousGone = previous == nullptr || !IsWindow(previous) || !IsWindowVisible(previous);
            dialog = previousGone ? FindDialog(previous) : nullptr;
            if (dialog != nullptr)
                break;
            Sleep(20);
        }
        if (dialog == nullptr)
            return;
        playing_ = true;
        step(dialog);
        ++played_;
        playing_ = false;
        previous = dialog;
    }
}
