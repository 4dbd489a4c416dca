// ConsoleTest.cpp: runs pilo-board on every script in tests/game/console and compares its
// output and exit status with the script's .expected file (the output, then "exit N").
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(ConsoleScript, PrintsExactlyTheExpectedOutput) {
    int scripts = 0;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(fs::path(PILO_SOURCE_DIR) / "tests/game/console")) {
        if (entry.path().extension() != ".txt") {
            continue;
        }
        SCOPED_TRACE(entry.path().string());
        ++scripts;
        std::ostringstream expected;
        expected << std::ifstream(fs::path(entry.path()).replace_extension(".expected")).rdbuf();
        const std::string command =
            std::string("'") + PILO_BOARD_EXE + "' < '" + entry.path().string() + "'";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string output;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, n);
        }
        const int status = pclose(pipe);
        output += "exit " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + "\n";
        EXPECT_EQ(output, expected.str());
    }
    EXPECT_EQ(scripts, 2);
}

}  // namespace
