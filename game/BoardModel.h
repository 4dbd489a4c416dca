// BoardModel.h: the game's rules on the 13 x 13 grid: deal, clicks, route and line search,
// the travel of a moved piece and the end of a move. No window, no drawing, no clock.
#pragma once

#include "game/BoardCell.h"
#include "game/BoardLine.h"
#include "game/TravelStep.h"
#include "game/WaveStore.h"

#include <cstdint>

class BoardListener;

enum class ClickOutcome { Ignored, Selected, MoveStarted };

// The whole board state is a plain value: copying a model copies the game (the listener
// pointer too, which is not owned; a copy meant for trying moves silently can drop it with
// SetListener(nullptr)).
class BoardModel {
public:
    enum State : std::int32_t { Idle = 0, Selected = 1, Moving = 2 };

    // An empty square board: no pieces, no waiting pieces, Idle.
    BoardModel();

    void SetListener(BoardListener* listener) { m_listener = listener; }
    BoardListener* GetListener() const { return m_listener; }

    // Operations of the main window and the board's start.
    void ResetCells();
    void DealOpening();
    void NewGame();
    void SetShape(bool cross);

    // The click rules for a left-button release at board pixel (x, y).
    ClickOutcome Click(int x, int y);

    // What the animation tick needs. In Moving, AdvanceTravel moves the piece half a cell;
    // it returns false when there is nothing left to travel. When it returns false or
    // reports `arrived`, FinishMove runs the end of the move: line pass, incoming pieces,
    // new waiting pieces, second line pass, Idle, game-over test.
    bool AdvanceTravel(TravelStep& step);
    void FinishMove();
    // In Selected: the size (0 large, 1 medium, 2 small) to draw now; the next call gives
    // the next size.
    int AdvancePulse();

    // Rules and searches.
    static int HitTest(int x, int y);
    int IsPlayable(int row, int column) const {
        return InGrid(row, column) ? m_cells[CellIndex(row, column)].playable : 0;
    }
    bool CanMove(int row, int column) const;
    bool FindRoute(std::int16_t fromRow, std::int16_t fromColumn, std::int16_t toRow,
                   std::int16_t toColumn);
    bool FindLine(BoardLine& line);
    std::int16_t CountRun(int row, int column, int rowStep, int columnStep, int colour) const;
    bool PlaceNextPiece(int i);
    // The cell index of the r-th playable empty cell in index order, or -1.
    int EmptyCellAt(int r) const;

    // Setting up a position (console and tests): an empty board of a shape with no waiting
    // pieces, a piece on an empty playable cell, the waiting pieces. They tell no listener.
    void ClearBoard(bool cross);
    bool PutPiece(int row, int column, int colour);
    bool SetNextPieces(const std::int16_t* colours, int count);

    // Reading the state.
    State GetState() const { return m_state; }
    bool IsCross() const { return m_cross != 0; }
    int FreeCells() const { return m_freeCells; }
    // kNoPiece for an empty cell and for every cell outside the shape or the grid.
    int Colour(int row, int column) const {
        return InGrid(row, column) ? m_cells[CellIndex(row, column)].colour : kNoPiece;
    }
    int NextCount() const { return m_nextCount; }
    const std::int16_t* Next() const { return m_next; }
    int RouteLen() const { return m_routeLen; }
    const RoutePoint* Route() const { return m_route; }  // target first
    const WaveStore& Waves() const { return m_waves; }
    RoutePoint SelectedCell() const { return {m_selectedRow, m_selectedColumn}; }
    int SelectedColour() const { return m_selectedColour; }
    int StepsLeft() const { return m_stepsLeft; }

private:
    bool SameColour(int row, int column, int colour) const;
    bool ExpandLayer(int layer, RoutePoint target);
    void WalkBack(int layer, RoutePoint target);
    int RandomEmptyCell() const;
    void ChooseNextPieces();
    bool RunLinePass();
    void Select(int row, int column);
    void StartMove(int row, int column);

    BoardListener* m_listener = nullptr;  // not owned
    State m_state = Idle;
    std::int32_t m_cross = 0;
    std::int16_t m_freeCells = 0;  // playable cells holding no piece
    std::int16_t m_next[3] = {};
    std::int16_t m_nextCount = 0;
    BoardCell m_cells[kCellCount];
    RoutePoint m_route[kCellCount];  // target first, start last
    std::int16_t m_routeLen = 0;
    WaveStore m_waves;
    std::int16_t m_selectedRow = 0;
    std::int16_t m_selectedColumn = 0;
    std::int16_t m_selectedColour = kNoPiece;
    std::int16_t m_pulseFrame = 0;
    std::int16_t m_stepsLeft = 0;
    std::int16_t m_halfStep = 0;
    std::int16_t m_travelColour = kNoPiece;
};
