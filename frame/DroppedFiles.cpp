#include "frame/DroppedFiles.h"

#include <initializer_list>

#include "base/Paths.h"
#include "base/TextCompare.h"

namespace {

// The file's extension with its dot (".xml"); empty without one.
std::wstring ExtensionOf(const std::wstring& path) {
    const std::wstring name = FileNameOf(path);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

bool IsOneOf(const std::wstring& extension, std::initializer_list<const wchar_t*> extensions) {
    for (const wchar_t* listed : extensions) {
        if (SameTextIgnoringCase(extension, listed))
            return true;
    }
    return false;
}

}  // namespace

DropAction MainWindowDropAction(const std::vector<std::wstring>& paths, bool shiftHeld) {
    if (paths.size() != 1)
        return DropAction::Refuse;
    const std::wstring extension = ExtensionOf(paths.front());
    if (IsOneOf(extension, {L".xml"}))
        return shiftHeld ? DropAction::Import : DropAction::Open;
    return IsOneOf(extension, {L".csv"}) ? DropAction::Import : DropAction::Refuse;
}

bool IsPictureFileName(const std::wstring& path) {
    return IsOneOf(ExtensionOf(path), {L".bmp", L".gif", L".jpg", L".jpeg", L".png"});
}
