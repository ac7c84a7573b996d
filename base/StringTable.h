#pragma once

#include <string>

// The program's texts by identifier. An identifier without an entry gives the empty text.
std::wstring LoadText(unsigned id);
