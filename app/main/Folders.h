#pragma once

#include <string>

// The program's folders on Windows. Each ends in a backslash.

// <per-user application data>\Brackenfield\Orvelle\, created when missing; the temporary
// folder's Brackenfield\ when the system has no such folder.
std::wstring UserDataFolder();
// The user's desktop; empty when the system does not say.
std::wstring UserDesktopFolder();
