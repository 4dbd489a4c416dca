// BoardConsole.cpp: the model console's commands and their output.
//
// Input: one command a line; blank lines and everything from '#' to the end of a line are
// ignored. Numbers are decimal integers. Commands and what they print:
//
//   time T               calendar clock := T seconds (0 to 4294967295); prints nothing
//   empty square|cross   that shape, no pieces, no waiting pieces, Idle, score 0
//   put R C K            a piece of colour K (0 to 5) on the empty playable cell (R, C)
//   next K...            the waiting pieces: 0 to 3 colours
//   deal                 DealOpening: five pieces and three waiting pieces on the board
//   newgame              NewGame; score 0
//   shape square|cross   SetShape; score 0 when the shape changes
//   click R C            a click on the centre pixel (16 + 28 x C, 16 + 28 x R) of a cell
//   clickpx X Y          a click on board pixel (X, Y), each 0 to 367
//   tick [N]             N animation ticks (default 1, 0 to 1000000): a travelling piece
//                        moves half a cell per tick and its arrival tick ends the move
//   route R1 C1 R2 C2    FindRoute on a copy of the board; prints "route R,C R,C ..." from
//                        start to target on one line, or "no route"
//   findline             one FindLine; prints "line N R C DR DC" (the line is cleared but
//                        not scored: only the game's own line passes score) or "no line"
//   show                 prints, one item a line:
//                          state Idle|Selected|Moving
//                          shape square|cross
//                          free N
//                          score N
//                          next N K K K        (the count, then that many colours)
//                          selected R C        (or "selected none" unless Selected)
//                          13 lines of 13 characters: '#' not playable, '.' empty,
//                          '0' to '5' a piece
//
// Rows and columns are 0 to 12. Every line removed by the game prints "points N", and the
// end of the game prints "gameover SCORE", the sum of the points since the last "empty",
// "newgame" or change of shape. Bad input prints "error: COMMAND: REASON" (or "error:
// unknown command 'WORD'"), changes nothing, and makes the exit status 1.
#include "game/BoardConsole.h"

#include "game/BoardGeometry.h"
#include "platform/crt/crt.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr long long kLastCell = kGridSize - 1;
constexpr long long kLastColour = kColourCount - 1;
constexpr long long kLastPixel = 367;
constexpr long long kLastTime = 4294967295LL;
constexpr long long kMaxTicks = 1000000;

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (true) {
        pos = line.find_first_not_of(" \t\r", pos);
        if (pos == std::string_view::npos) {
            break;
        }
        const std::size_t end = line.find_first_of(" \t\r", pos);
        words.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

// Reads a decimal integer within [low, high]; on failure returns the reason.
std::string ReadNumber(std::string_view word, long long low, long long high, long long& value) {
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size()) {
        std::string reason = "'";
        return reason.append(word).append("' is not a number");
    }
    if (value < low || value > high) {
        return std::string(word) + " is out of range " + std::to_string(low) + "-" +
               std::to_string(high);
    }
    return {};
}

// Reads every word of `args` with one range; `values` gets them in order.
std::string ReadNumbers(const std::vector<std::string_view>& args, long long low, long long high,
                        std::vector<long long>& values) {
    values.assign(args.size(), 0);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (std::string reason = ReadNumber(args[i], low, high, values[i]); !reason.empty()) {
            return reason;
        }
    }
    return {};
}

// "square" or "cross"; on anything else returns false.
bool ReadShape(const std::vector<std::string_view>& args, bool& cross) {
    if (args.size() != 1 || (args[0] != "square" && args[0] != "cross")) {
        return false;
    }
    cross = args[0] == "cross";
    return true;
}

const char* StateName(BoardModel::State state) {
    switch (state) {
        case BoardModel::Idle:
            return "Idle";
        case BoardModel::Selected:
            return "Selected";
        case BoardModel::Moving:
            return "Moving";
    }
    return "?";
}

}  // namespace

BoardConsole::BoardConsole(std::ostream& out) : m_out(out) {
    m_model.SetListener(this);
}

int BoardConsole::Run(std::istream& in) {
    bool bad = false;
    std::string line;
    while (std::getline(in, line)) {
        bad = !RunLine(line) || bad;
    }
    return bad ? 1 : 0;
}

bool BoardConsole::RunLine(std::string_view line) {
    line = line.substr(0, line.find('#'));
    Args words = SplitWords(line);
    if (words.empty()) {
        return true;
    }
    const std::string_view command = words.front();
    words.erase(words.begin());
    const std::string reason = Dispatch(command, words);
    if (!reason.empty()) {
        m_out << "error: " << reason << '\n';
    }
    m_out.flush();
    return reason.empty();
}

// Returns the error text, "COMMAND: REASON", or nothing when the command ran.
std::string BoardConsole::Dispatch(std::string_view command, const Args& args) {
    std::string reason;
    const auto no_args = [&](auto&& run) {
        if (!args.empty()) {
            reason = "expected no arguments";
        } else {
            run();
        }
    };
    if (command == "time") {
        reason = Time(args);
    } else if (command == "empty") {
        reason = Empty(args);
    } else if (command == "put") {
        reason = Put(args);
    } else if (command == "next") {
        reason = SetNext(args);
    } else if (command == "deal") {
        no_args([&] { m_model.DealOpening(); });
    } else if (command == "newgame") {
        no_args([&] {
            m_score = 0;
            m_model.NewGame();
        });
    } else if (command == "shape") {
        reason = Shape(args);
    } else if (command == "click") {
        reason = Click(args);
    } else if (command == "clickpx") {
        reason = ClickPixel(args);
    } else if (command == "tick") {
        reason = Tick(args);
    } else if (command == "route") {
        reason = Route(args);
    } else if (command == "findline") {
        no_args([&] { reason = FindLine(); });
    } else if (command == "show") {
        no_args([&] { Show(); });
    } else {
        return "unknown command '" + std::string(command) + "'";
    }
    return reason.empty() ? reason : std::string(command) + ": " + reason;
}

std::string BoardConsole::Time(const Args& args) {
    if (args.size() != 1) {
        return "expected T";
    }
    long long seconds = 0;
    if (std::string reason = ReadNumber(args[0], 0, kLastTime, seconds); !reason.empty()) {
        return reason;
    }
    crt::set_calendar_clock([seconds] { return static_cast<std::time_t>(seconds); });
    return {};
}

std::string BoardConsole::Empty(const Args& args) {
    bool cross = false;
    if (!ReadShape(args, cross)) {
        return "expected square or cross";
    }
    m_score = 0;
    m_model.ClearBoard(cross);
    return {};
}

std::string BoardConsole::Put(const Args& args) {
    if (args.size() != 3) {
        return "expected R C K";
    }
    std::vector<long long> v;
    if (std::string reason = ReadNumbers({args[0], args[1]}, 0, kLastCell, v); !reason.empty()) {
        return reason;
    }
    long long colour = 0;
    if (std::string reason = ReadNumber(args[2], 0, kLastColour, colour); !reason.empty()) {
        return reason;
    }
    const int row = static_cast<int>(v[0]);
    const int column = static_cast<int>(v[1]);
    const std::string cell = "cell " + std::to_string(row) + "," + std::to_string(column);
    if (!m_model.IsPlayable(row, column)) {
        return cell + " is not playable";
    }
    if (!m_model.PutPiece(row, column, static_cast<int>(colour))) {
        return cell + " is occupied";
    }
    return {};
}

std::string BoardConsole::SetNext(const Args& args) {
    if (args.size() > 3) {
        return "expected 0 to 3 colours";
    }
    std::vector<long long> v;
    if (std::string reason = ReadNumbers(args, 0, kLastColour, v); !reason.empty()) {
        return reason;
    }
    std::int16_t colours[3] = {};
    for (std::size_t i = 0; i < v.size(); ++i) {
        colours[i] = static_cast<std::int16_t>(v[i]);
    }
    m_model.SetNextPieces(colours, static_cast<int>(v.size()));
    return {};
}

std::string BoardConsole::Shape(const Args& args) {
    bool cross = false;
    if (!ReadShape(args, cross)) {
        return "expected square or cross";
    }
    if (cross != m_model.IsCross()) {
        m_score = 0;
    }
    m_model.SetShape(cross);
    return {};
}

std::string BoardConsole::Click(const Args& args) {
    if (args.size() != 2) {
        return "expected R C";
    }
    std::vector<long long> v;
    if (std::string reason = ReadNumbers(args, 0, kLastCell, v); !reason.empty()) {
        return reason;
    }
    m_model.Click(CellCentre(static_cast<int>(v[1])), CellCentre(static_cast<int>(v[0])));
    return {};
}

std::string BoardConsole::ClickPixel(const Args& args) {
    if (args.size() != 2) {
        return "expected X Y";
    }
    std::vector<long long> v;
    if (std::string reason = ReadNumbers(args, 0, kLastPixel, v); !reason.empty()) {
        return reason;
    }
    m_model.Click(static_cast<int>(v[0]), static_cast<int>(v[1]));
    return {};
}

// As the board window's timer does: advance the travel, end the move in the arrival tick,
// or pulse the selected piece.
std::string BoardConsole::Tick(const Args& args) {
    if (args.size() > 1) {
        return "expected [N]";
    }
    long long ticks = 1;
    if (!args.empty()) {
        if (std::string reason = ReadNumber(args[0], 0, kMaxTicks, ticks); !reason.empty()) {
            return reason;
        }
    }
    for (long long i = 0; i < ticks; ++i) {
        if (m_model.GetState() == BoardModel::Moving) {
            TravelStep step{};
            if (!m_model.AdvanceTravel(step) || step.arrived) {
                m_model.FinishMove();
            }
        } else if (m_model.GetState() == BoardModel::Selected) {
            m_model.AdvancePulse();
        }
    }
    return {};
}

// The search runs on a copy, so a travelling piece keeps its route.
std::string BoardConsole::Route(const Args& args) {
    if (args.size() != 4) {
        return "expected R1 C1 R2 C2";
    }
    std::vector<long long> v;
    if (std::string reason = ReadNumbers(args, 0, kLastCell, v); !reason.empty()) {
        return reason;
    }
    BoardModel probe = m_model;
    probe.SetListener(nullptr);
    if (!probe.FindRoute(static_cast<std::int16_t>(v[0]), static_cast<std::int16_t>(v[1]),
                         static_cast<std::int16_t>(v[2]), static_cast<std::int16_t>(v[3]))) {
        m_out << "no route\n";
        return {};
    }
    m_out << "route";
    for (int i = probe.RouteLen() - 1; i >= 0; --i) {
        m_out << ' ' << probe.Route()[i].row << ',' << probe.Route()[i].column;
    }
    m_out << '\n';
    return {};
}

std::string BoardConsole::FindLine() {
    BoardLine line{};
    if (!m_model.FindLine(line)) {
        m_out << "no line\n";
        return {};
    }
    m_out << "line " << line.n << ' ' << line.row << ' ' << line.column << ' ' << line.rowStep
          << ' ' << line.columnStep << '\n';
    return {};
}

void BoardConsole::Show() {
    m_out << "state " << StateName(m_model.GetState()) << '\n'
          << "shape " << (m_model.IsCross() ? "cross" : "square") << '\n'
          << "free " << m_model.FreeCells() << '\n'
          << "score " << m_score << '\n'
          << "next " << m_model.NextCount();
    for (int i = 0; i < m_model.NextCount(); ++i) {
        m_out << ' ' << m_model.Next()[i];
    }
    m_out << '\n';
    if (m_model.GetState() == BoardModel::Selected) {
        m_out << "selected " << m_model.SelectedCell().row << ' ' << m_model.SelectedCell().column
              << '\n';
    } else {
        m_out << "selected none\n";
    }
    for (int row = 0; row < kGridSize; ++row) {
        std::string text(kGridSize, '#');
        for (int column = 0; column < kGridSize; ++column) {
            if (m_model.IsPlayable(row, column)) {
                const int colour = m_model.Colour(row, column);
                text[column] = colour == kNoPiece ? '.' : static_cast<char>('0' + colour);
            }
        }
        m_out << text << '\n';
    }
}

void BoardConsole::LineRemoved(const BoardLine& line) {
    m_score += line.n;
    m_out << "points " << line.n << '\n';
}

void BoardConsole::GameOver() {
    m_out << "gameover " << m_score << '\n';
}
