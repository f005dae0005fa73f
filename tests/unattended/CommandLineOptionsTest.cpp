#include "CRunExitCode.h"
#include "CUninstallLogFile.h"
#include "CommandLineOptions.h"
#include "Relaunch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Lines exactly as a Windows caller hands them over: cmd.exe, a deployment tool, CreateProcess.
struct SplitCase {
    const wchar_t* line;
    std::vector<std::wstring> arguments;
};

TEST(SplitCommandLineTest, FollowsTheRulesWindowsProgramsUse) {
    const SplitCase cases[] = {
        {L"Uninstall.exe", {L"Uninstall.exe"}},
        {L"\"C:\\Program Files\\Quorvel\\Uninstall.exe\" /S",
         {L"C:\\Program Files\\Quorvel\\Uninstall.exe", L"/S"}},
        {L"Uninstall.exe   /S\t/WAIT  ", {L"Uninstall.exe", L"/S", L"/WAIT"}},
        {L"Uninstall.exe \"/LOG=C:\\My Logs\\卸载 日志.txt\"",
         {L"Uninstall.exe", L"/LOG=C:\\My Logs\\卸载 日志.txt"}},
        {L"Uninstall.exe /LOG=\"C:\\My Logs\\u.log\" /S",
         {L"Uninstall.exe", L"/LOG=C:\\My Logs\\u.log", L"/S"}},
        // Backslashes are literal unless a quote follows them.
        {L"Uninstall.exe /LOG=C:\\a\\b\\", {L"Uninstall.exe", L"/LOG=C:\\a\\b\\"}},
        {L"Uninstall.exe \"a\\\\\" b", {L"Uninstall.exe", L"a\\", L"b"}},
        {L"Uninstall.exe a\\\"b", {L"Uninstall.exe", L"a\"b"}},
        {L"Uninstall.exe \"\"", {L"Uninstall.exe", L""}},
        {L"Uninstall.exe \"say \"\"hi\"\"\"", {L"Uninstall.exe", L"say \"hi\""}},
        // The program name knows no escapes.
        {L"\"C:\\dir\\\"x", {L"C:\\dir\\x"}},
        {L"", {L""}},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.line), c.arguments) << testing::PrintToString(c.line);
    }
}

struct ParseCase {
    const wchar_t* line;
    bool silent;
    bool wait;
    bool help;
    const wchar_t* logFile;      // nullptr: no /LOG
    const wchar_t* badArgument;  // L"": the line is fine
};

TEST(ParseCommandLineTest, ReadsEachSwitchOnceInAnyCaseWithSlashOrDash) {
    const ParseCase cases[] = {
        {L"Uninstall.exe", false, false, false, nullptr, L""},
        {L"\"C:\\Program Files\\Quorvel\\Uninstall.exe\"", false, false, false, nullptr, L""},
        {L"Uninstall.exe /S", true, false, false, nullptr, L""},
        {L"Uninstall.exe /s", true, false, false, nullptr, L""},
        {L"Uninstall.exe -SILENT", true, false, false, nullptr, L""},
        {L"Uninstall.exe /Quiet", true, false, false, nullptr, L""},
        {L"Uninstall.exe -wait", false, true, false, nullptr, L""},
        {L"Uninstall.exe /?", false, false, true, nullptr, L""},
        {L"Uninstall.exe -Help /S", true, false, true, nullptr, L""},
        {L"Uninstall.exe /S \"/LOG=C:\\My Logs\\卸载.log\"", true, false, false,
         L"C:\\My Logs\\卸载.log", L""},
        {L"Uninstall.exe -log=relative\\u.log /WAIT", false, true, false, L"relative\\u.log", L""},
        // The relaunched copy: the folder after AppPath= is unquoted and may hold blanks.
        {L"\"C:\\Temp\\Uninstall.exe\" AppPath=C:\\Program Files\\Quorvel", false, false, false,
         nullptr, L""},
        {L"\"C:\\Temp\\Uninstall.exe\" /S \"/LOG=C:\\a b\\u.log\" AppPath=C:\\Program Files\\Q /X",
         true, false, false, L"C:\\a b\\u.log", L""},
        // Bad lines: the first offending argument is named.
        {L"Uninstall.exe /X", false, false, false, nullptr, L"/X"},
        {L"Uninstall.exe /S /S", true, false, false, nullptr, L"/S"},
        {L"Uninstall.exe /S /quiet", true, false, false, nullptr, L"/quiet"},
        {L"Uninstall.exe /LOG=", false, false, false, nullptr, L"/LOG="},
        {L"Uninstall.exe /LOG", false, false, false, nullptr, L"/LOG"},
        {L"Uninstall.exe /LOG=a /LOG=b", false, false, false, L"a", L"/LOG=b"},
        {L"Uninstall.exe /S=1", false, false, false, nullptr, L"/S=1"},
        {L"Uninstall.exe S", false, false, false, nullptr, L"S"},
        {L"Uninstall.exe /", false, false, false, nullptr, L"/"},
        {L"Uninstall.exe \"\"", false, false, false, nullptr, L"\"\""},
        {L"Uninstall.exe /WAIT /X /Y", false, true, false, nullptr, L"/X"},
        {L"Uninstall.exe apppath=C:\\x", false, false, false, nullptr, L"apppath=C:\\x"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.line));
        const CommandLineOptions options = ParseCommandLine(c.line);
        EXPECT_EQ(options.silent, c.silent);
        EXPECT_EQ(options.wait, c.wait);
        EXPECT_EQ(options.help, c.help);
        EXPECT_EQ(options.log, c.logFile != nullptr);
        EXPECT_EQ(options.logFile, c.logFile != nullptr ? c.logFile : L"");
        EXPECT_EQ(options.badArgument, c.badArgument);
        EXPECT_EQ(options.IsValid(), std::wstring(c.badArgument).empty());
    }
}

TEST(ParseCommandLineTest, OnlyALineWithoutSwitchesKeepsTheOldBehaviour) {
    EXPECT_FALSE(ParseCommandLine(L"Uninstall.exe").HasSwitch());
    EXPECT_FALSE(ParseCommandLine(L"C:\\Temp\\Uninstall.exe AppPath=C:\\Q").HasSwitch());
    EXPECT_TRUE(ParseCommandLine(L"Uninstall.exe /LOG=x").HasSwitch());
    EXPECT_TRUE(ParseCommandLine(L"Uninstall.exe /X").HasSwitch());
}

TEST(QuoteArgumentTest, SplitsBackToTheSameArgument) {
    const std::wstring arguments[] = {L"/S",
                                      L"/LOG=C:\\My Logs\\卸载 日志.txt",
                                      L"C:\\trailing\\",
                                      L"C:\\blank trailing\\",
                                      L"say \"hi\"",
                                      L"a\\\\\"b",
                                      L"",
                                      L"tab\there"};
    for (const std::wstring& argument : arguments) {
        const std::wstring line = L"Uninstall.exe " + QuoteArgument(argument) + L" next";
        EXPECT_EQ(SplitCommandLine(line),
                  (std::vector<std::wstring>{L"Uninstall.exe", argument, L"next"}))
            << testing::PrintToString(line);
    }
    EXPECT_EQ(QuoteArgument(L"/S"), L"/S");
}

TEST(CopyParametersTest, WithoutSwitchesTheCopyGetsExactlyTheOldParameter) {
    EXPECT_EQ(CopyParameters(CommandLineOptions(), L"C:\\Program Files\\Quorvel"),
              L"AppPath=C:\\Program Files\\Quorvel");
    CommandLineOptions options;
    options.silent = true;
    options.wait = true;
    options.log = true;
    options.logFile = L"C:\\My Logs\\卸载.log";
    const std::wstring parameters = CopyParameters(options, L"C:\\Program Files\\Quorvel");
    EXPECT_EQ(parameters,
              L"/S /WAIT \"/LOG=C:\\My Logs\\卸载.log\" AppPath=C:\\Program Files\\Quorvel");

    // What the copy reads back is what the first process read.
    const CommandLineOptions copy = ParseCommandLine(L"\"C:\\Temp\\Uninstall.exe\" " + parameters);
    EXPECT_TRUE(copy.IsValid());
    EXPECT_TRUE(copy.silent);
    EXPECT_TRUE(copy.wait);
    EXPECT_EQ(copy.logFile, options.logFile);

    const RelaunchPlan plan =
        PlanRelaunch(L"C:\\Program Files\\Quorvel\\Uninstall.exe", L"C:\\Temp", options);
    EXPECT_EQ(plan.parameters, parameters);
}

TEST(UsageTextTest, NamesEverySwitchAndExitCode) {
    const std::wstring usage = UsageText();
    for (const wchar_t* text : {L"/S", L"/SILENT", L"/QUIET", L"/WAIT", L"/LOG=", L"/?", L"/HELP",
                                L"87", L"1602", L"1603", L"1605", L"3010"}) {
        EXPECT_NE(usage.find(text), std::wstring::npos) << testing::PrintToString(text);
    }
}

TEST(ExitCodeTest, OutcomeMapsToTheCodesDeploymentToolsRead) {
    EXPECT_EQ(ExitCodeForOutcome({}), 0u);
    EXPECT_EQ(ExitCodeForOutcome({{L"C:\\Q\\busy.dll"}, {}}), 3010u);
    EXPECT_EQ(ExitCodeForOutcome({{}, {L"C:\\Q"}}), 1603u);
    EXPECT_EQ(ExitCodeForOutcome({{L"C:\\Q\\busy.dll"}, {L"C:\\Q"}}), 1603u);
    EXPECT_TRUE(RemovalRan(0));
    EXPECT_TRUE(RemovalRan(1603));
    EXPECT_TRUE(RemovalRan(3010));
    EXPECT_FALSE(RemovalRan(1602));
    EXPECT_FALSE(RemovalRan(1605));
    EXPECT_FALSE(RemovalRan(87));
}

TEST(ExitCodeTest, RunCodeFollowsWhatTheRunReported) {
    const auto replay = [](std::initializer_list<const char*> reports, bool enabled) {
        CRunExitCode run;
        if (enabled) {
            run.EnableCodes();
        }
        for (const std::string report : reports) {
            if (report == "cancel") {
                run.ReportCancelled();
            } else if (report == "notinstalled") {
                run.ReportNotInstalled();
            } else if (report == "started") {
                run.ReportRemovalStarted();
            } else if (report == "clean") {
                run.ReportRemovalFinished({});
            } else if (report == "scheduled") {
                run.ReportRemovalFinished({{L"C:\\Q\\busy.dll"}, {}});
            }
        }
        return run.Code();
    };
    EXPECT_EQ(replay({}, true), 1602u) << "left the window without doing anything";
    EXPECT_EQ(replay({"cancel"}, true), 1602u);
    EXPECT_EQ(replay({"notinstalled"}, true), 1605u);
    EXPECT_EQ(replay({"started"}, true), 1603u) << "closed during the removal";
    EXPECT_EQ(replay({"started", "cancel"}, true), 1603u);
    EXPECT_EQ(replay({"started", "clean"}, true), 0u);
    EXPECT_EQ(replay({"started", "clean", "cancel"}, true), 0u);
    EXPECT_EQ(replay({"started", "scheduled"}, true), 3010u);
    // Without a switch every path ends with 0.
    for (const auto& reports :
         {std::initializer_list<const char*>{}, std::initializer_list<const char*>{"cancel"},
          std::initializer_list<const char*>{"notinstalled"},
          std::initializer_list<const char*>{"started"}}) {
        EXPECT_EQ(replay(reports, false), 0u);
    }
}

TEST(LogLineTest, EveryLineCarriesTheTimeAndIsUtf8) {
    SYSTEMTIME time = {};
    time.wYear = 2026;
    time.wMonth = 12;
    time.wDay = 8;
    time.wHour = 9;
    time.wMinute = 5;
    time.wSecond = 7;
    time.wMilliseconds = 42;
    EXPECT_EQ(FormatLogLines(time, L"Step: 卸载"),
              "2026-12-08 09:05:07.042 Step: \xE5\x8D\xB8\xE8\xBD\xBD\r\n");
    EXPECT_EQ(FormatLogLines(time, L"one\ntwo\r\nthree\n"),
              "2026-12-08 09:05:07.042 one\r\n2026-12-08 09:05:07.042 two\r\n"
              "2026-12-08 09:05:07.042 three\r\n");
    EXPECT_EQ(FormatLogLines(time, L""), "2026-12-08 09:05:07.042 \r\n");
}

}  // namespace
