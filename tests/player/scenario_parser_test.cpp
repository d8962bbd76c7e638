#include "player/ScenarioParser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace player {
namespace {

Scenario Parse(std::string_view text) {
    Scenario scenario;
    ParseError error;
    EXPECT_TRUE(ParseScenario(text, scenario, error)) << error.line << ": " << error.message;
    return scenario;
}

ParseError Reject(std::string_view text) {
    Scenario scenario;
    ParseError error;
    EXPECT_FALSE(ParseScenario(text, scenario, error)) << text;
    return error;
}

TEST(ScenarioParser, DesktopStepsConfigureTheDesktop) {
    Scenario scenario = Parse("display 16\n"
                              "windows 98 classic\n"
                              "codepage 932\n"
                              "exe 'C:\\Outils\\Verbacap.exe'\n");
    EXPECT_EQ(scenario.desktop.displayBits, 16);
    EXPECT_EQ(scenario.desktop.windowsVersion, "98");
    EXPECT_TRUE(scenario.desktop.classicTheme);
    EXPECT_EQ(scenario.desktop.codePage, 932u);
    EXPECT_EQ(scenario.desktop.exePath, "C:\\Outils\\Verbacap.exe");
    ASSERT_EQ(scenario.steps.size(), 4u);
    EXPECT_EQ(scenario.steps[3].line, 4);
    EXPECT_EQ(scenario.steps[3].text, "exe 'C:\\Outils\\Verbacap.exe'");

    Scenario defaults = Parse("windows 7\n");
    EXPECT_FALSE(defaults.desktop.classicTheme);
    EXPECT_EQ(defaults.desktop.displayBits, 32);
    EXPECT_EQ(defaults.desktop.exePath, "C:\\Program Files\\Verbacap\\Verbacap.exe");
}

TEST(ScenarioParser, DesktopValuesOutsideTheirSetAreRejected) {
    EXPECT_NE(Reject("display 15").message.find("1, 4, 8, 16, 24, 32"), std::string::npos);
    EXPECT_NE(Reject("display 0x20").message.find("display depth"), std::string::npos);
    EXPECT_NE(Reject("windows 11").message.find("is not one of"), std::string::npos);
    EXPECT_NE(Reject("windows xp luna").message.find("classic"), std::string::npos);
    Reject("codepage 65001");
    Reject("codepage -1");
    EXPECT_NE(Reject("exe Verbacap.exe").message.find("full Windows path"), std::string::npos);
    Reject("exe 'C:\\Program Files\\'");
}

TEST(ScenarioParser, AByteOrderMarkAndWindowsLineEndsAreNoPartOfTheSteps) {
    Scenario scenario = Parse("\xEF\xBB\xBF"
                              "display 8\r\nwindows 98\r\n");
    ASSERT_EQ(scenario.steps.size(), 2u);
    EXPECT_EQ(scenario.desktop.displayBits, 8);
    EXPECT_EQ(scenario.steps[1].text, "windows 98");
}

TEST(ScenarioParser, FaultsNameTheirLine) {
    ParseError unknown = Reject("display 8\n\n# comment\nfly away\n");
    EXPECT_EQ(unknown.line, 4);
    EXPECT_EQ(unknown.message, "unknown verb 'fly'");

    EXPECT_EQ(Reject("expect weather sunny").message, "unknown verb 'expect weather'");
    EXPECT_NE(Reject("expect").message.find("needs what to expect"), std::string::npos);
    EXPECT_NE(Reject("'key' Alt+C").message.find("starts with its verb"), std::string::npos);

    ParseError quote = Reject("start\nmsgbox 'Titre Texte\n");
    EXPECT_EQ(quote.line, 2);
    EXPECT_NE(quote.message.find("not closed"), std::string::npos);

    ParseError count = Reject("key Alt+C Alt+D");
    EXPECT_NE(count.message.find("usage: key COMBO"), std::string::npos);
    EXPECT_NE(Reject("key Alt+").message.find("usage: key COMBO"), std::string::npos);
    Reject("wait soon");
    Reject("wait -1");
    Reject("hover 'a b'");
    Reject("click txt0/");
    Reject("answer maybe");
    Reject("expect file 'C:\\x' present");
    Reject("expect entries many");
    Reject("expect running perhaps");
}

TEST(ScenarioParser, TheDesktopIsConfiguredBeforeTheFirstStart) {
    ParseError late = Reject("start\nwindows 98\n");
    EXPECT_EQ(late.line, 2);
    EXPECT_NE(late.message.find("before the first start"), std::string::npos);
    Reject("logon\ndisplay 8\n");
    // Values of the INI file and the registry may change between runs.
    Scenario scenario = Parse("start\nini VK 88\nrun-value x\n");
    EXPECT_EQ(scenario.steps.size(), 3u);
}

TEST(ScenarioParser, DialogChildrenNestInBraces) {
    Parse("dialog Titre Texte { Enfant1 Enfant2 } OK");
    Parse("dialog Titre");
    Parse("dialog Titre '{' '}'");
    EXPECT_NE(Reject("dialog Titre { Texte }").message.find("must follow"), std::string::npos);
    EXPECT_NE(Reject("dialog Titre A { B").message.find("not closed"), std::string::npos);
    EXPECT_NE(Reject("dialog Titre A } B").message.find("without"), std::string::npos);
}

TEST(ScenarioParser, StepTextQuotesWhatNeedsQuotes) {
    Scenario scenario = Parse(
        "msgbox \"Titre\" \"Ligne 1\\r\\nLigne 2\"\nmsgbox T \"l'image\"\nexpect ini VK ''\n");
    EXPECT_EQ(scenario.steps[0].text, "msgbox 'Titre' \"Ligne 1\\r\\nLigne 2\"");
    EXPECT_EQ(scenario.steps[1].text, "msgbox T \"l'image\"");
    EXPECT_EQ(scenario.steps[2].text, "expect ini VK ''");
    EXPECT_EQ(Parse("dialog T '{' }x").steps[0].text, "dialog T '{' }x");
    EXPECT_EQ(Parse("expect run-value \"missing\"").steps[0].text, "expect run-value 'missing'");
}

} // namespace
} // namespace player

namespace player {
namespace {

// The example scenarios are read by newcomers: each must stay a valid scenario.
TEST(ScenarioParser, EveryExampleScenarioReads) {
    const char* source = std::getenv("VERBACAP_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(source) / "examples")) {
        if (entry.path().extension() != ".scn") {
            continue;
        }
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        Scenario scenario;
        ParseError error;
        EXPECT_TRUE(ParseScenario(text.str(), scenario, error))
            << entry.path() << ":" << error.line << ": " << error.message;
        ++files;
    }
    EXPECT_GE(files, 4);
}

} // namespace
} // namespace player
