#include "windows/support/LoadedProgramTest.h"

#include "app/framework/RegistryValues.h"
#include "base/DataFile.h"
#include "support/SampleCatalog.h"

OfflineAddresses::OfflineAddresses() {
    TQLibrary::RegistryValues values(L"Brackenfield", L"Orvelle");
    values.WriteText(L"MessageFeedAddress", L"http://127.0.0.1:9/messages.xml");
    values.WriteText(L"UpdateAddress", L"http://127.0.0.1:9/");
}

TQLibrary::StartOptions LoadedProgramTest::Options(const std::wstring& commandLine) {
    CreateFolderPath(folder.File(L"program"), false);
    CreateFolderPath(folder.File(L"data"), false);
    return TQLibrary::StartOptions{commandLine, folder.File(L"program\\"), folder.File(L"data\\")};
}

bool LoadedProgramTest::Start(const std::wstring& commandLine) {
    // One copy at a time: a second would be refused.
    program.reset();
    program = std::make_unique<ProgramUnderTest>(Options(commandLine));
    return program->Started() && program->WaitUntilLoaded();
}

bool LoadedProgramTest::StartWith(const std::vector<Specimen>& specimens, const std::vector<std::wstring>& categories) {
    // An earlier program saves its catalog as it closes: close it before writing the new one.
    program.reset();
    return WriteCatalogFile(catalogPath, specimens, categories) && StartOnCatalog();
}
