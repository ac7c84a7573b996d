#include "frame/StartupChoices.h"

#include <vector>

#include "base/TextSplit.h"

std::wstring CatalogFileFromCommandLine(std::wstring_view commandLine) {
    std::wstring file;
    for (const std::wstring& token : Split(commandLine, kSplitAtWhiteSpace, true, false)) {
        if (token.size() >= 2 && (token[0] == L'-' || token[0] == L'/') && (token[1] == L'F' || token[1] == L'f'))
            file = token.substr(2);
    }
    return file;
}

std::wstring StartupCatalogFile(const StartupCatalogSources& sources) {
    std::wstring file = CatalogFileFromCommandLine(sources.commandLine);
    if (file.empty())
        file = sources.stored;
    if (file.empty())
        file = sources.programFolderFile();
    if (file.empty())
        file = sources.defaultFile();
    return file;
}
