// TurnCycle.cpp: the click rules, the travel of a moved piece and the end of a move.
#include "game/BoardModel.h"

#include "game/BoardListener.h"

namespace {

constexpr int kPulseSizes = 3;

}  // namespace

ClickOutcome BoardModel::Click(int x, int y) {
    if (m_state == Moving) {
        return ClickOutcome::Ignored;
    }
    const int index = HitTest(x, y);
    if (index < 0) {
        return ClickOutcome::Ignored;
    }
    const int row = index / kGridSize;
    const int column = index % kGridSize;
    // Every cell outside the shape is empty too, and no route leads to it.
    if (m_cells[index].colour == kNoPiece) {
        if (m_state != Selected ||
            !FindRoute(m_selectedRow, m_selectedColumn, static_cast<std::int16_t>(row),
                       static_cast<std::int16_t>(column))) {
            return ClickOutcome::Ignored;
        }
        StartMove(row, column);
        return ClickOutcome::MoveStarted;
    }
    if (!CanMove(row, column)) {
        return ClickOutcome::Ignored;
    }
    if (m_state == Selected && m_listener != nullptr) {
        m_listener->PieceAtRest(m_selectedRow, m_selectedColumn, m_selectedColour);
    }
    Select(row, column);
    return ClickOutcome::Selected;
}

void BoardModel::Select(int row, int column) {
    m_selectedRow = static_cast<std::int16_t>(row);
    m_selectedColumn = static_cast<std::int16_t>(column);
    m_selectedColour = m_cells[CellIndex(row, column)].colour;
    m_pulseFrame = 0;
    m_state = Selected;
}

// The move is made in the model at once; the tick only shows the travel along m_route.
void BoardModel::StartMove(int row, int column) {
    m_cells[CellIndex(row, column)].colour = m_selectedColour;
    m_cells[CellIndex(m_selectedRow, m_selectedColumn)].colour = kNoPiece;
    if (m_listener != nullptr) {
        m_listener->CellEmptied(m_selectedRow, m_selectedColumn);
    }
    m_stepsLeft = static_cast<std::int16_t>(m_routeLen - 1);
    m_halfStep = 0;
    m_travelColour = m_selectedColour;
    m_state = Moving;
}

int BoardModel::AdvancePulse() {
    const int size = m_pulseFrame;
    m_pulseFrame = static_cast<std::int16_t>((m_pulseFrame + 1) % kPulseSizes);
    return size;
}

// m_route runs from the target back to the start, so the step that begins with n steps
// left leaves m_route[n] for m_route[n - 1].
bool BoardModel::AdvanceTravel(TravelStep& step) {
    const int n = m_stepsLeft;
    if (m_state != Moving || n <= 0) {
        return false;
    }
    step.from = m_route[n];
    step.to = m_route[n - 1];
    step.colour = m_travelColour;
    step.erasedHalf = m_halfStep;
    ++m_halfStep;
    step.drawnHalf = m_halfStep;
    step.arrived = false;
    if (m_halfStep == 2) {
        m_halfStep = 0;
        m_stepsLeft = static_cast<std::int16_t>(n - 1);
        step.arrived = m_stepsLeft == 0;
    }
    return true;
}

// A move that removes a line brings nothing in. Otherwise the waiting pieces come in, new
// ones are drawn (counted before the incoming pieces' lines go) and a second pass runs.
void BoardModel::FinishMove() {
    if (m_state != Moving) {
        return;
    }
    m_stepsLeft = 0;
    m_halfStep = 0;
    if (!RunLinePass()) {
        for (int i = 0; i < m_nextCount; ++i) {
            PlaceNextPiece(i);
        }
        ChooseNextPieces();
        RunLinePass();
    }
    m_state = Idle;
    if (m_freeCells == 0 && m_listener != nullptr) {
        m_listener->GameOver();
    }
}

bool BoardModel::RunLinePass() {
    bool removed = false;
    BoardLine line{};
    while (FindLine(line)) {
        removed = true;
        if (m_listener != nullptr) {
            m_listener->LineRemoved(line);
        }
    }
    return removed;
}
