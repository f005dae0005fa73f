#pragma once

#include <string>
#include <string_view>
#include <vector>

// The switches a deployment tool or script gives the uninstaller. Each is case-insensitive, starts
// with '/' or '-', and may be given once:
//   /S (also /SILENT, /QUIET)  no window at all
//   /WAIT                      with the window: the first process waits for the copy's exit code
//   /LOG=<file>                append a UTF-8 log to file
//   /? (also /HELP)            show the usage
// The relaunched copy also receives "AppPath=" and the installation folder, unquoted, as the last
// part of its line; everything from there on is that parameter.

constexpr wchar_t kAppPathParameter[] = L"AppPath=";

struct CommandLineOptions {
    bool silent = false;
    bool wait = false;
    bool help = false;
    bool log = false;
    std::wstring logFile;
    // The first argument that is not understood or repeats a switch, as it was given; empty when
    // the line is fine.
    std::wstring badArgument;

    bool IsValid() const { return badArgument.empty(); }
    // Whether any switch (valid or not) was given; without one the program behaves as it always
    // did and ends with exit code 0 on every path.
    bool HasSwitch() const { return silent || wait || help || log || !badArgument.empty(); }
};

// Splits a command line into arguments by the rules Windows programs use: the program name ends
// at the next blank or, when quoted, at the closing quote; in the other arguments quotes group
// blanks, 2n backslashes before a quote give n backslashes, 2n+1 give n and a literal quote.
std::vector<std::wstring> SplitCommandLine(std::wstring_view line);

// Reads the switches of a whole command line (program name first, as GetCommandLineW gives it).
CommandLineOptions ParseCommandLine(std::wstring_view line);

// argument quoted so that SplitCommandLine gives it back unchanged.
std::wstring QuoteArgument(const std::wstring& argument);

// The parameter text the relaunched copy is started with: with no switch exactly
// "AppPath=<folder>"; otherwise the switches, then that. logFile must already be absolute.
std::wstring CopyParameters(const CommandLineOptions& options, const std::wstring& programFolder);

// The switches and exit codes, for the usage message.
std::wstring UsageText();
