#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

// The help file is compiled from the pages in resources/help/; these tests read the sources, so
// a page that is missing or not reachable is found before anyone opens the help.

namespace {

const std::string kHelpFolder = std::string(ORVELLE_SOURCE_DIR) + "/resources/help/";

std::string SourceText(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every first group of the pattern's matches in the text.
std::set<std::string> Matches(const std::string& text, const std::string& pattern) {
    std::set<std::string> found;
    const std::regex expression(pattern, std::regex::icase);
    for (std::sregex_iterator it(text.begin(), text.end(), expression), end; it != end; ++it)
        found.insert((*it)[1]);
    return found;
}

// The files the project compiles: the lines of its [FILES] section.
std::set<std::string> ProjectFiles() {
    std::istringstream project(SourceText(kHelpFolder + "Orvelle.hhp"));
    std::set<std::string> files;
    bool inFiles = false;
    for (std::string line; std::getline(project, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[')
            inFiles = line == "[FILES]";
        else if (inFiles && !line.empty())
            files.insert(line);
    }
    return files;
}

std::set<std::string> PagesInFolder() {
    std::set<std::string> pages;
    for (const auto& entry : std::filesystem::directory_iterator(kHelpFolder)) {
        if (entry.path().extension() == ".html")
            pages.insert(entry.path().filename().string());
    }
    return pages;
}

TEST(HelpPages, EveryCommandOfTheMenusAndKeysHasItsPage) {
    const std::set<std::string> commands = Matches(SourceText(std::string(ORVELLE_SOURCE_DIR) + "/resources/Menus.rc"),
                                                   R"(\b(IDM_\w+)\b)");
    ASSERT_GT(commands.size(), 25u);
    // A page names the commands it explains in its "commands" meta element.
    std::map<std::string, std::string> pageOf;
    for (const std::string& page : PagesInFolder()) {
        const std::string text = SourceText(kHelpFolder + page);
        for (const std::string& list : Matches(text, R"(<meta name="commands" content="([^"]*)\")")) {
            std::istringstream names(list);
            for (std::string name; names >> name;) {
                EXPECT_EQ(commands.count(name), 1u) << page << " explains " << name << ", which no menu has";
                pageOf[name] = page;
            }
        }
    }
    for (const std::string& command : commands)
        EXPECT_EQ(pageOf.count(command), 1u) << command << " has no help page";
}

TEST(HelpPages, EveryPageIsCompiledAndReachableAndEveryLinkLeadsToOne) {
    const std::set<std::string> compiled = ProjectFiles();
    const std::set<std::string> pages = PagesInFolder();
    ASSERT_GE(pages.size(), 20u);
    for (const std::string& page : pages)
        EXPECT_EQ(compiled.count(page), 1u) << page << " is not in the project's files";
    for (const std::string& file : compiled)
        EXPECT_TRUE(std::filesystem::exists(kHelpFolder + file)) << "the project names " << file;

    const std::string localLink = R"re(<param name="Local" value="([^"]*)")re";
    const std::set<std::string> contents = Matches(SourceText(kHelpFolder + "Orvelle.hhc"), localLink);
    const std::set<std::string> index = Matches(SourceText(kHelpFolder + "Orvelle.hhk"), localLink);
    for (const std::string& target : contents)
        EXPECT_EQ(pages.count(target), 1u) << "the contents names " << target;
    for (const std::string& target : index)
        EXPECT_EQ(pages.count(target), 1u) << "the index names " << target;
    for (const std::string& page : pages) {
        EXPECT_EQ(contents.count(page), 1u) << page << " is not in the contents";
        for (const std::string& target : Matches(SourceText(kHelpFolder + page), R"re(href="([^"#:]*\.html)")re"))
            EXPECT_EQ(pages.count(target), 1u) << page << " links to " << target;
    }
}

}  // namespace
