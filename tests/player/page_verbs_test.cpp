#include "dialog_template.h"
#include "scenario_fixture.h"

#include "player/ProgramWindows.h"

#include "htmlview/HtmlView.h"

#include <winsim/module_resources.h>
#include <winsim/windows.h>

namespace player {
namespace {

using htmlview::ElementEvent;
using htmlview::ElementPtr;
using htmlview::HtmlView;

// A program whose main window shows the main page (HTML resource 104) in the browser control
// and, like the program, lights the menu titles under the pointer.
class PageProgram : public htmlview::HtmlViewHost {
public:
    int Run() {
        TemplateWriter writer;
        writer.Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                          WS_VISIBLE,
                      0, 309, 217, "Verbacap");
        return static_cast<int>(DialogBoxIndirectParamA(winsim::ProgramModule(), writer.Get(),
                                                        nullptr, &PageProgram::Procedure,
                                                        reinterpret_cast<LPARAM>(this)));
    }

    void OnDocumentComplete(HtmlView&, const std::u16string&) override { complete = true; }
    void OnElementEvent(HtmlView&, ElementEvent event, const ElementPtr& source) override {
        std::u16string className = source->GetClassName();
        if (event == ElementEvent::MouseOver && className == u"menu_out") {
            source->SetClassName(u"menu_over");
        } else if (event == ElementEvent::MouseOut && className == u"menu_over") {
            source->SetClassName(u"menu_out");
        } else if (event == ElementEvent::Click) {
            clicked.push_back(source->GetId());
        }
    }
    bool OnContextMenu(HtmlView&, POINT, const ElementPtr&) override { return true; }

    bool complete = false;
    std::vector<std::u16string> clicked;

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        static PageProgram* self = nullptr;
        switch (message) {
        case WM_INITDIALOG: {
            self = reinterpret_cast<PageProgram*>(lParam);
            RECT client = {};
            GetClientRect(dialog, &client);
            HWND view =
                htmlview::CreateHtmlView(dialog, 100, client, winsim::ProgramModule(), self);
            htmlview::HtmlViewFromWindow(view)->LoadFromResource(winsim::ProgramModule(), 104);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
        }
    }
};

class PageVerbsTest : public ScenarioFixture {
protected:
    RunResult RunPage(const Scenario& scenario) {
        RunOptions options;
        options.outDir = OwnTestDir("out");
        ProgramEntry entry = [this] { return page.Run(); };
        RunResult result = RunScenario(scenario, options, entry, transcript);
        // A run that stopped inside the program leaves its window behind, as a process that
        // ended would not: take it down with what it holds.
        if (HWND main = ProgramMainWindow()) {
            DestroyWindow(main);
        }
        return result;
    }

    PageProgram page;
};

TEST_F(PageVerbsTest, ThePointerLightsAndDimsAMenuTitle) {
    Scenario scenario = Parse("start\n"
                              "expect class menu menu_out\n"
                              "hover menu\n"
                              "expect class menu menu_over\n"
                              "screenshot page-menu-lit\n"
                              "leave menu\n"
                              "expect class menu menu_out\n"
                              "click menuHelp\n"
                              "close\n");
    RunResult result = RunPage(scenario);
    ASSERT_TRUE(result.passed) << result.line << ": " << result.reason << "\n" << console.str();
    EXPECT_TRUE(page.complete);
    EXPECT_EQ(page.clicked, std::vector<std::u16string>{u"menuHelp"});
}

TEST_F(PageVerbsTest, ElementsThePageLacksOrThatDoNotMatchFail) {
    RunResult lacking = RunPage(Parse("start\nhover nothingHere\n"));
    EXPECT_EQ(lacking.line, 2);
    EXPECT_EQ(lacking.reason, "the page of 'Verbacap' has no element nothingHere");

    winsim::ResetDesktop();
    RunResult other = RunPage(Parse("start\nexpect class menu menu_over\n"));
    EXPECT_EQ(other.reason, "the class of menu is 'menu_out', expected 'menu_over'");

    winsim::ResetDesktop();
    RunResult descendant = RunPage(Parse("start\nexpect class tblTexts/table x\n"));
    EXPECT_EQ(descendant.reason, "the class of tblTexts/table is '', expected 'x'");
}

} // namespace
} // namespace player
