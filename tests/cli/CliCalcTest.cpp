// quorvane-cli calc: the layout text on stdout, the messages on stderr, and its exit codes.
#include "layout/LayoutCalc.h"
#include "layout/LayoutInput.h"
#include "text/IniDocument.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace quorvane::layout;
using quorvane::test::ProgramRun;
using quorvane::test::TempDir;

namespace {

class CliCalc : public ::testing::Test {
  protected:
    ProgramRun Calc(std::vector<std::string> args) {
        args.insert(args.begin(), "calc");
        return quorvane::test::RunCli(args, dir_ / "config");
    }

    std::string Input(const std::string& body) {
        const std::string path = (dir_ / "input.ini").string();
        quorvane::test::WriteFile(path, body);
        return path;
    }

    TempDir dir_;
};

const char* const kA4 = "[INPUT]\r\nEDIT8=A4 四面\r\nEDIT2=297\r\nEDIT3=210\r\nEDIT4=5\r\n"
                        "EDIT5=5\r\nEDIT6=5\r\nEDIT7=5\r\nEDIT10=4\r\nEDIT11=2\r\nEDIT12=2\r\n"
                        "EDIT13=127\r\nEDIT14=89\r\nCHECKBOX7=1\r\n";

} // namespace

TEST_F(CliCalc, PrintsTheLayoutTextOfTheInputSection) {
    ProgramRun run = Calc({Input(kA4)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    LayoutCalcResult expected =
        CalculateLayout(ReadLayoutInput(quorvane::text::IniDocument::Parse(kA4)));
    ASSERT_TRUE(expected.ok);
    EXPECT_EQ(run.out, expected.layoutText);
    // Missing keys take the editor's defaults: 300 dpi, rounding on, a 5 mm periphery cut.
    EXPECT_NE(run.out.find("\nwidth=3508\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nround_trim=59\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nEDIT1=300\n"), std::string::npos);
    // Started as every command is: the settings folder is made with the shipped files.
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "config/Quorvane/initdata"));
}

TEST_F(CliCalc, ReportsTheMessagesAndFails) {
    // The messages follow the interface's language: the system's, or English with "--en".
    const char* const empty = "[INPUT]\nEDIT1=\n";
    const struct {
        const char* input;
        std::vector<std::string> options;
        const char* language; // LC_ALL of the run
        std::string err;
    } cases[] = {
        {empty,
         {},
         "ja_JP.UTF-8",
         "サイズ名称が未入力です。\n解像度が未定義です。\n用紙幅が未定義です。\n"},
        {empty,
         {"--en"},
         "ja_JP.UTF-8",
         "The setting name has not been entered.\nThe resolution must be a whole number of 1 or "
         "more.\nThe paper width is missing or not a number.\n"},
        {kA4,
         {"--canvas-max", "3508"},
         "ja_JP.UTF-8",
         "\n用紙幅サイズが大きすぎます。（最大3508pix）\n"},
        {kA4,
         {"--canvas-max", "3508"},
         "C.UTF-8",
         "\nThe paper width is too large (limit: 3508 pixels).\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"calc", Input(c.input)};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ProgramRun run = quorvane::test::RunCliBytes(
            args, dir_ / "config", {{}, {}, {std::string("LC_ALL=") + c.language}});
        EXPECT_EQ(run.exitCode, 1) << c.err;
        EXPECT_EQ(run.out, "") << c.err;
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
    }
    EXPECT_EQ(Calc({Input(kA4), "--canvas-max", "3509"}).exitCode, 0);

    const ProgramRun run = Calc({(dir_ / "missing.ini").string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("missing.ini"), std::string::npos);
}

TEST_F(CliCalc, HelpAndBadArguments) {
    ProgramRun help = Calc({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: quorvane-cli calc INPUT.ini"), std::string::npos);
    const std::vector<std::vector<std::string>> bad = {{},
                                                       {"--canvas-max", "0", "x.ini"},
                                                       {"x.ini", "--canvas-max"},
                                                       {"--canvas-max", "ten", "x.ini"},
                                                       {"--bogus", "x.ini"},
                                                       {"a.ini", "b.ini"}};
    for (const auto& args : bad) {
        ProgramRun run = Calc(args);
        const std::string shown = args.empty() ? "(none)" : args.front();
        EXPECT_EQ(run.exitCode, 2) << shown;
        EXPECT_NE(run.err.find("quorvane-cli: "), std::string::npos) << shown;
        EXPECT_EQ(run.out, "") << shown;
    }
}
