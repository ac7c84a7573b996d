#pragma once

#include <windows.h>

#include <string>

#include "app/framework/TQWindow.h"

namespace TQLibrary {

// A one-line edit control with a sunken edge, in the dialog font, that tells its parent of
// each change (EN_CHANGE).
class TQEdit : public TQWindow {
public:
    TQEdit() = default;
    ~TQEdit() override;

    bool Create(HWND parent, int id) override;
    bool Create(HWND parent, int id, int x, int y, int width, int height) override;

    // The grey hint shown while the control is empty.
    void SetCueBanner(const std::wstring& text);
    // What the control holds now, typed or set.
    std::wstring CurrentText() const;
    void SelectAllText();
};

}  // namespace TQLibrary
