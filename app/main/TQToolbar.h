#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "app/framework/TQWindow.h"
#include "base/Handles.h"

namespace TQLibrary {

// The toolbar: buttons chosen and ordered by the user from the known templates, with normal
// and hot images, tooltips and the platform's customisation dialog.
class TQToolbar : public TQWindow {
public:
    TQToolbar();

    bool Create(HWND parent, int id) override;
    bool Create(HWND parent, int id, int x, int y, int width, int height) override;
    int ClientHeight() const override;
    int ClientWidth() const override;
    void Refresh() override;
    void Move(int x, int y, int width, int height) override;
    void Place(int x, int y, int width, int height, HWND insertAfter) override;

    // The button images at size pixels square (32 at 96 dpi).
    bool LoadImages(int size = 32);
    void MapButton(int image, int command);
    void EnableButton(int command, bool enable);
    // Shows the buttons of a TOOLBAR setting; hides the toolbar when there are none.
    void SetButtons(const std::vector<std::uint8_t>& bytes);
    std::vector<std::uint8_t> ReadButtons() const;
    // Replaces the setting with the toolbar's buttons; true when they differed.
    bool StoreButtons(std::vector<std::uint8_t>& setting) const;
    // Answers the toolbar's and its tooltips' notifications; false when not one of them.
    bool OnNotify(NMHDR* header, LRESULT& result);

private:
    int ButtonCount() const;
    // The template and customisation label of button index; false past the last template.
    bool ButtonTemplate(int index, TBBUTTON& button, std::wstring& label) const;

    std::vector<TBBUTTON> templates_;
    ImageListHandle images_;
    ImageListHandle hotImages_;
};

}  // namespace TQLibrary
