#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main/Application.h"
#include "catalog/Specimen.h"
#include "support/TestFolder.h"
#include "windows/support/ProgramUnderTest.h"
#include "windows/support/ScratchRegistry.h"

// Points the program's online addresses at this machine, where nothing answers.
struct OfflineAddresses {
    OfflineAddresses();
};

// Tests of the program running on a catalog of their own: a scratch registry, a fresh folder
// for the program's folder, its data folder and the catalog file, and the program itself.
class LoadedProgramTest : public ::testing::Test {
protected:
    // The program's folder and data folder inside the test's folder, with this command line.
    TQLibrary::StartOptions Options(const std::wstring& commandLine = L"orvelle.exe");
    static std::wstring CommandLineFor(const std::wstring& path) { return L"orvelle.exe \"-F" + path + L"\""; }

    // Closes any program started before, starts the program and handles messages until it has
    // loaded; false when it did not start or did not load.
    [[nodiscard]] bool Start(const std::wstring& commandLine = L"orvelle.exe");
    [[nodiscard]] bool StartOnCatalog() { return Start(CommandLineFor(catalogPath)); }
    // Closes any program started before, writes the catalog file with these specimens and
    // categories, and starts on it.
    [[nodiscard]] bool StartWith(const std::vector<Specimen>& specimens,
                                 const std::vector<std::wstring>& categories = {});

    TQLibrary::Application& App() { return program->Application(); }

    ScratchRegistry registry;
    // The program's start asks the vendor for the daily message: here a port where nothing
    // listens answers at once.
    OfflineAddresses offline;
    TestFolder folder;
    std::wstring catalogPath = folder.File(L"cat.xml");
    std::unique_ptr<ProgramUnderTest> program;
};
