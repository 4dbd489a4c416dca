// BoardConsole.h: plays the board model from text commands, one a line.
#pragma once

#include "game/BoardListener.h"
#include "game/BoardModel.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class BoardConsole : private BoardListener {
public:
    explicit BoardConsole(std::ostream& out);

    // Runs every line of `in`; returns 1 when any line was bad input, else 0.
    int Run(std::istream& in);
    // Runs one line; false when it was bad input (reported, nothing changed).
    bool RunLine(std::string_view line);

private:
    using Args = std::vector<std::string_view>;

    std::string Dispatch(std::string_view command, const Args& args);
    std::string Time(const Args& args);
    std::string Empty(const Args& args);
    std::string Put(const Args& args);
    std::string SetNext(const Args& args);
    std::string Shape(const Args& args);
    std::string Click(const Args& args);
    std::string ClickPixel(const Args& args);
    std::string Tick(const Args& args);
    std::string Route(const Args& args);
    std::string FindLine();
    void Show();

    void LineRemoved(const BoardLine& line) override;
    void GameOver() override;

    std::ostream& m_out;
    BoardModel m_model;
    long long m_score = 0;
};
