// ConsoleTest.cpp: runs pilo-board on every script in tests/game/console and compares its
// output and exit status with the script's .expected file (the output, then "exit N").
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kScripts = fs::path(PILO_SOURCE_DIR) / "tests/game/console";

std::vector<std::string> ScriptNames() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(kScripts)) {
        if (entry.path().extension() == ".txt") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Standard output of pilo-board fed with `script`, followed by "exit N".
std::string RunConsole(const fs::path& script) {
    const std::string command = std::string("'") + PILO_BOARD_EXE + "' < '" + script.string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return "popen failed";
    }
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    const int status = pclose(pipe);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output + "exit " + std::to_string(code) + "\n";
}

class ConsoleScript : public ::testing::TestWithParam<std::string> {};

TEST_P(ConsoleScript, PrintsExactlyTheExpectedOutput) {
    const fs::path script = kScripts / (GetParam() + ".txt");
    const fs::path expected = kScripts / (GetParam() + ".expected");
    ASSERT_TRUE(fs::exists(expected)) << expected;
    EXPECT_EQ(RunConsole(script), ReadFile(expected));
}

INSTANTIATE_TEST_SUITE_P(Scripts, ConsoleScript, ::testing::ValuesIn(ScriptNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
