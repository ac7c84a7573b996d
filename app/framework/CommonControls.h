#pragma once
namespace TQLibrary {
void InitialiseCommonControls();
}
