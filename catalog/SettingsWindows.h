#pragma once

#include <windows.h>

#include "catalog/Settings.h"

// The screen size as the system reports it now.
class SystemScreenMetrics : public ScreenMetrics {
public:
    int ScreenWidth() const override { return GetSystemMetrics(SM_CXSCREEN); }
    int ScreenHeight() const override { return GetSystemMetrics(SM_CYSCREEN); }
};

// Called on every move and resize of the main window once a catalog is loaded.
void RememberWindowPlacement(Settings& settings, HWND window);
// Called after every catalog load.
void ApplyWindowPlacement(const Settings& settings, HWND window);
