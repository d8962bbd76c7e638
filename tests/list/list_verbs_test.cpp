// The scenario expectations on the capture list, played against the program itself: the number
// of entries and their stored texts, the rows' colours and markup, and the check that nothing
// in an element could run script.
#include "program_fixture.h"

#include "player/Runner.h"
#include "player/ScenarioParser.h"
#include "player/ScenarioRun.h"
#include "tests/player/test_dirs.h"

#include <sstream>

namespace {

class ListVerbsTest : public ProgramTest {
protected:
    player::Scenario Parse(const std::string& text) {
        player::Scenario scenario;
        player::ParseError error;
        EXPECT_TRUE(player::ParseScenario(text, scenario, error))
            << error.line << ": " << error.message;
        return scenario;
    }

    // Puts a step of the test's own in at `line`, in front of the parsed step of that line.
    void Insert(player::Scenario& scenario, int line, std::function<void()> run) {
        player::Step step;
        step.line = line;
        step.text = "test step";
        step.run = [run](player::ScenarioRun&) { run(); };
        auto at = scenario.steps.begin();
        while (at != scenario.steps.end() && at->line < line) {
            ++at;
        }
        scenario.steps.insert(at, std::move(step));
    }

    player::RunResult Play(const player::Scenario& scenario) {
        player::RunOptions options;
        options.outDir = player::OwnTestDir("out");
        player::Transcript transcript(console_);
        return player::RunScenario(
            scenario, options, [] { return VerbacapRun(); }, transcript);
    }

    std::ostringstream console_;
};

TEST_F(ListVerbsTest, EntriesTextsColoursAndMarkupAreChecked) {
    player::Scenario scenario = Parse("start\n"
                                      "expect entries 2\n"
                                      "expect entry 1 text \"<b>Gras</b><br/>suite\"\n"
                                      "expect entry 0 text Premier\n"
                                      "expect markup txt1 <b>Gras</b>\n"
                                      "expect no-script tblTexts\n"
                                      "hover cat1\n"
                                      "expect color cat1 '#fffbc0'\n"
                                      "expect color imt1 '#FFFBC0'\n"
                                      "hover cat0\n"
                                      "expect color txt1 '#ffffff'\n"
                                      "expect color txt0 '#d0f1c5'\n"
                                      "close\n");
    Insert(scenario, 2, [] {
        Dialog().AppendEntry("Premier", "C:\\none0.jpg", 0, 0);
        Dialog().AppendEntry("<b>Gras</b>\nsuite", "C:\\none1.jpg", 0, 0);
    });
    player::RunResult result = Play(scenario);
    EXPECT_TRUE(result.passed) << result.line << ": " << result.reason << "\n" << console_.str();
}

TEST_F(ListVerbsTest, ExpectationsThatDoNotHoldSayWhy) {
    struct Case {
        const char* step;
        const char* reason;
    };
    const Case cases[] = {
        {"expect entries 2", "the capture list has 1 entries, expected 2"},
        {"expect entry 1 text x", "the capture list has no entry 1 (it has 1)"},
        {"expect entry 0 text other", "the text of entry 0 is 'hostile', expected 'other'"},
        {"expect color cat0 '#fffbc0'", "the colour of cat0 is '', expected '#fffbc0'"},
        {"expect markup txt0 <i>", "the markup of txt0 is 'hostile', which does not contain '<i>'"},
        {"expect no-script cat0",
         "inside cat0, the element <a> has the script address href=\"java\tscript:x()\""},
        {"expect no-script cat0/b",
         "inside cat0/b, the element <b> has the event-handler attribute onclick"},
    };
    for (const Case& c : cases) {
        winsim::ResetDesktop(config_);
        player::Scenario scenario = Parse(std::string("start\n") + c.step + "\nclose\n");
        Insert(scenario, 2, [] {
            Dialog().AppendEntry("hostile", "C:\\none.jpg", 0, 0);
            // What the list never writes, put into the page past its checks.
            Dialog().GetElement("cat0")->SetInnerHtml(WIDE("<a>a</a><b>b</b>"));
            htmlview::HtmlView* view = Dialog().GetHtmlView();
            view->FindElement(WIDE("cat0/a"))->SetAttribute(WIDE("href"), WIDE("java\tscript:x()"));
            view->FindElement(WIDE("cat0/b"))->SetAttribute(WIDE("onclick"), WIDE("x()"));
        });
        player::RunResult result = Play(scenario);
        EXPECT_FALSE(result.passed) << c.step;
        EXPECT_EQ(result.line, 2) << c.step;
        EXPECT_EQ(result.reason, c.reason) << c.step;
        // The failed run left the program waiting: end it as a closed process would.
        if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->m_hWnd != nullptr) {
            ::DestroyWindow(main->m_hWnd);
        }
    }
}

} // namespace
