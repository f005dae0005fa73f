#include "CommandLineOptions.h"

#include <cwctype>

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(a[i]) != std::towupper(b[i])) {
            return false;
        }
    }
    return true;
}

// Reads the program name at the start of line; returns where the arguments begin.
std::size_t SkipProgramName(std::wstring_view line) {
    std::size_t i = 0;
    if (!line.empty() && line[0] == L'"') {
        const std::size_t close = line.find(L'"', 1);
        i = close == std::wstring_view::npos ? line.size() : close + 1;
    }
    while (i < line.size() && !IsBlank(line[i])) {
        ++i;
    }
    return i;
}

enum class Switch { kSilent, kWait, kHelp, kLog, kUnknown };

struct SwitchToken {
    Switch kind = Switch::kUnknown;
    std::wstring value;  // after '=' for /LOG
};

SwitchToken ReadSwitch(std::wstring_view argument) {
    SwitchToken token;
    if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) {
        return token;
    }
    const std::wstring_view body = argument.substr(1);
    const std::size_t equals = body.find(L'=');
    const std::wstring_view name = body.substr(0, equals);
    if (equals != std::wstring_view::npos) {
        if (EqualsIgnoringCase(name, L"LOG") && equals + 1 < body.size()) {
            token.kind = Switch::kLog;
            token.value = std::wstring(body.substr(equals + 1));
        }
        return token;
    }
    if (EqualsIgnoringCase(name, L"S") || EqualsIgnoringCase(name, L"SILENT") ||
        EqualsIgnoringCase(name, L"QUIET")) {
        token.kind = Switch::kSilent;
    } else if (EqualsIgnoringCase(name, L"WAIT")) {
        token.kind = Switch::kWait;
    } else if (name == L"?" || EqualsIgnoringCase(name, L"HELP")) {
        token.kind = Switch::kHelp;
    }
    return token;
}

}  // namespace

std::vector<std::wstring> SplitCommandLine(std::wstring_view line) {
    std::vector<std::wstring> arguments;
    const std::size_t argumentsStart = SkipProgramName(line);
    std::wstring program(line.substr(0, argumentsStart));
    if (program.size() >= 2 && program.front() == L'"') {
        const std::size_t close = program.find(L'"', 1);
        program.erase(close, 1);
        program.erase(0, 1);
    }
    arguments.push_back(program);

    std::size_t i = argumentsStart;
    while (true) {
        while (i < line.size() && IsBlank(line[i])) {
            ++i;
        }
        if (i >= line.size()) {
            break;
        }
        std::wstring argument;
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlank(line[i]))) {
            if (line[i] == L'\\') {
                std::size_t backslashes = 0;
                while (i < line.size() && line[i] == L'\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < line.size() && line[i] == L'"') {
                    argument.append(backslashes / 2, L'\\');
                    if (backslashes % 2 == 1) {
                        argument += L'"';
                        ++i;
                    }
                } else {
                    argument.append(backslashes, L'\\');
                }
            } else if (line[i] == L'"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                    argument += L'"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += line[i++];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

CommandLineOptions ParseCommandLine(std::wstring_view line) {
    CommandLineOptions options;
    const std::vector<std::wstring> arguments = SplitCommandLine(line);
    bool seen[4] = {};
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        // The relaunch parameter comes last and holds an unquoted folder, blanks and all.
        if (argument.compare(0, std::size(kAppPathParameter) - 1, kAppPathParameter) == 0) {
            break;
        }
        const SwitchToken token = ReadSwitch(argument);
        const auto index = static_cast<std::size_t>(token.kind);
        if (token.kind == Switch::kUnknown || seen[index]) {
            if (options.badArgument.empty()) {
                options.badArgument = argument.empty() ? L"\"\"" : argument;
            }
            // A repeated /S still means "show nothing" for the error itself.
            options.silent = options.silent || token.kind == Switch::kSilent;
            continue;
        }
        seen[index] = true;
        switch (token.kind) {
            case Switch::kSilent:
                options.silent = true;
                break;
            case Switch::kWait:
                options.wait = true;
                break;
            case Switch::kHelp:
                options.help = true;
                break;
            case Switch::kLog:
                options.log = true;
                options.logFile = token.value;
                break;
            case Switch::kUnknown:
                break;
        }
    }
    return options;
}

std::wstring QuoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted += c;
    }
    // Backslashes before the closing quote are doubled so that it stays a quote.
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring CopyParameters(const CommandLineOptions& options, const std::wstring& programFolder) {
    std::wstring parameters;
    if (options.silent) {
        parameters += L"/S ";
    }
    if (options.wait) {
        parameters += L"/WAIT ";
    }
    if (options.log) {
        parameters += QuoteArgument(L"/LOG=" + options.logFile) + L" ";
    }
    return parameters + kAppPathParameter + programFolder;
}

std::wstring UsageText() {
    return L"Uninstall.exe [/S] [/WAIT] [/LOG=<file>] [/?]\n"
           L"\n"
           L"/S, /SILENT, /QUIET\tRemove the product without showing any window.\n"
           L"/WAIT\t\tWith the window: wait until the removal has ended.\n"
           L"/LOG=<file>\tAppend a log of the removal to <file> (UTF-8).\n"
           L"/?, /HELP\t\tShow this text.\n"
           L"Switches start with / or -, in any letter case, each at most once.\n"
           L"\n"
           L"Exit codes (with any switch; without one the program always ends with 0):\n"
           L"0\tthe product was removed\n"
           L"87\tbad command line, nothing removed\n"
           L"1602\tcancelled before the removal started\n"
           L"1603\tsomething of the product is left behind\n"
           L"1605\tthe product is not installed\n"
           L"3010\tremoved; a restart completes the removal\n";
}
