// SoakDriver.cpp: the soak's looks at the program, its checks and its input sources.
#include "soak/SoakDriver.h"

#include "app/CGameApp.h"
#include "app/CMainDialog.h"
#include "dialogs/CFinalScoreDialog.h"
#include "game/BoardGeometry.h"
#include "game/BoardPainter.h"
#include "platform/host/VirtualKeys.h"
#include "platform/launch/HeadlessRun.h"
#include "platform/win32/gdi/Snapshot.h"
#include "platform/win32/user/PopupMenu.h"
#include "platform/win32/user/WindowManager.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace soak {
namespace {

// More messages than this waiting at a look means the queue is running away.
constexpr std::size_t kQueueLimit = 100;
// Looks spent closing the program at the end before giving up on it.
constexpr int kMaxWindDownLooks = 200;
constexpr int kLineLength = 5;
// A line of progress every so many steps.
constexpr std::size_t kProgressSteps = 10000;

using host::MouseButton;
namespace vk = host::vk;

}  // namespace

std::string Describe(const user::Census& c) {
    std::ostringstream out;
    out << "bitmaps " << c.bitmaps << ", palettes " << c.palettes << ", pens " << c.pens
        << ", brushes " << c.brushes << ", fonts " << c.fonts << ", icons " << c.icons << ", dcs "
        << c.dcs << ", windows " << c.windows << ", menus " << c.menus << ", timers " << c.timers
        << ", global blocks " << c.global_blocks << ", posted " << c.posted << ", input "
        << c.input;
    return out.str();
}

namespace {

void Raise(user::Census& peak, const user::Census& c) {
    std::size_t user::Census::*const kFields[] = {
        &user::Census::bitmaps, &user::Census::palettes,      &user::Census::pens,
        &user::Census::brushes, &user::Census::fonts,         &user::Census::icons,
        &user::Census::dcs,     &user::Census::windows,       &user::Census::menus,
        &user::Census::timers,  &user::Census::global_blocks, &user::Census::posted,
        &user::Census::input,   &user::Census::saved_bits};
    for (auto field : kFields) {
        peak.*field = std::max(peak.*field, c.*field);
    }
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

POINT Centre(HWND hwnd) {
    const RECT r = WindowRect(hwnd);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Pieces of `colour` in the longest line through (row, column) if it held the colour and
// (skipRow, skipColumn) were empty.
int LineThrough(const BoardModel& model, int row, int column, int colour, int skipRow,
                int skipColumn) {
    static constexpr int kAxes[4][2] = {{0, 1}, {1, 0}, {1, 1}, {-1, 1}};
    int longest = 0;
    for (const auto& axis : kAxes) {
        int length = 1;
        for (int sign = -1; sign <= 1; sign += 2) {
            for (int k = 1;; ++k) {
                const int r = row + sign * k * axis[0];
                const int c = column + sign * k * axis[1];
                if ((r == skipRow && c == skipColumn) || model.Colour(r, c) != colour) {
                    break;
                }
                ++length;
            }
        }
        longest = std::max(longest, length);
    }
    return longest;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The model watch

void ModelWatch::CellEmptied(int row, int column) {
    if (inner != nullptr) {
        inner->CellEmptied(row, column);
    }
}

void ModelWatch::PieceAtRest(int row, int column, int colour) {
    if (inner != nullptr) {
        inner->PieceAtRest(row, column, colour);
    }
}

void ModelWatch::NextPiecesChanged(const std::int16_t* next, int count) {
    if (inner != nullptr) {
        inner->NextPiecesChanged(next, count);
    }
    moved = true;  // a deal's change comes before its BoardDealt, which clears this
    if (count < 0 || count > 3) {
        fault = "waiting pieces announced: " + std::to_string(count);
    }
}

void ModelWatch::LineRemoved(const BoardLine& line) {
    if (inner != nullptr) {
        inner->LineRemoved(line);
    }
    removed += line.n;
    moved = true;
    if (line.n < kLineLength && fault.empty()) {
        fault = "a line of " + std::to_string(line.n) + " was removed";
    }
    for (int i = 0; i < line.n && model != nullptr && fault.empty(); ++i) {
        const RoutePoint cell = line.Cell(i);
        if (model->Colour(cell.row, cell.column) != kNoPiece) {
            fault = "a removed line left a piece at row " + std::to_string(cell.row) + ", column " +
                    std::to_string(cell.column);
        }
    }
}

void ModelWatch::BoardDealt() {
    if (inner != nullptr) {
        inner->BoardDealt();
    }
    removed = 0;
    moved = false;
}

void ModelWatch::GameOver() {
    if (inner != nullptr) {
        inner->GameOver();
    }
    ++games;
}

// ---------------------------------------------------------------------------------------------
// Runs and looks

Driver::Driver(Options options) : m_options(std::move(options)), m_rng(m_options.seed) {
    m_chaosLeft = m_rng.between(3, 30);
}

Driver::~Driver() = default;

bool Driver::Run() {
    if (!m_options.replay_in.empty()) {
        std::string error;
        if (!read_replay(m_options.replay_in, m_batches, m_options.seed, &error)) {
            std::fprintf(stderr, "pilo-soak: %s\n", error.c_str());
            return false;
        }
    }
    std::uint64_t now = 0;
    std::time_t calendar = host::HeadlessHost::kDefaultCalendarStart;
    while (!m_failed && !m_done) {
        host::HeadlessHost host;
        host.advance(now);
        host.set_calendar_time(calendar);
        m_windDownLooks = 0;
        m_lastFinal = nullptr;
        m_lastMenu = nullptr;
        host.script_call([this](host::HeadlessHost& h) { Look(h); });
        host.set_exhausted_handler([this](host::HeadlessHost& h) {
            Fail("the program waits with nothing to come");
            h.push_event(host::Event{host::EventType::CloseRequested});
        });
        std::string error;
        const int code = launch::run_headless(host, &error);
        host::install(nullptr);
        if (code < 0) {
            Fail("the program could not start: " + error);
        }
        ++m_figures.runs;
        now = host.now_ms();
        calendar = host.calendar_time();
        m_buttons = 0;
    }
    m_figures.games = m_watch.games;
    if (m_options.keep && !m_failed && m_options.replay_in.empty()) {
        write_replay(m_options.replay_out, m_options.seed, m_batches, m_stepIndex);
    }
    return !m_failed;
}

void Driver::Look(host::HeadlessHost& host) {
    if (m_failed || m_done) {
        return WindDown(host);
    }
    CMainDialog* main = nullptr;
    if (CGameApp* app = GetGameApp()) {
        main = dynamic_cast<CMainDialog*>(app->m_pMainWnd);
        if (main != nullptr && main->GetSafeHwnd() == nullptr) {
            main = nullptr;
        }
    }
    const Scene scene = SceneNow(main);
    Check(host, scene, main);
    if (m_stepIndex >= m_nextProgress) {
        m_nextProgress += kProgressSteps;
        std::printf("... %zu events, %zu runs, %zu games ended, %zu final score dialogs\n",
                    m_stepIndex, m_figures.runs, m_watch.games, m_figures.final_scores);
        std::fflush(stdout);
    }
    if (m_failed) {
        return WindDown(host);
    }
    Batch batch;
    if (!m_options.replay_in.empty()) {
        if (m_replayCursor < m_batches.size()) {
            batch = m_batches[m_replayCursor++];
        }
    } else if (m_stepIndex < m_options.events) {
        batch = Generate(scene, main);
        m_batches.push_back(batch);
    }
    if (batch.empty()) {
        m_done = true;
        return WindDown(host);
    }
    Script(host, batch);
    host.script_call([this](host::HeadlessHost& h) { Look(h); });
}

// Closes whatever is open until the program ends.
void Driver::WindDown(host::HeadlessHost& host) {
    if (++m_windDownLooks > kMaxWindDownLooks) {
        ReportFailure("the program does not end when closed");
        std::fflush(nullptr);
        std::_Exit(1);
    }
    if (user::tracking_window() != nullptr) {
        host.push_event(
            host::Event{host::EventType::KeyDown, 0, 0, MouseButton::None, vk::kEscape});
    } else {
        host.push_event(host::Event{host::EventType::CloseRequested});
    }
    host.script_advance(500);
    host.script_call([this](host::HeadlessHost& h) { Look(h); });
}

void Driver::Script(host::HeadlessHost& host, const Batch& batch) {
    for (const Step& step : batch) {
        const std::size_t index = m_stepIndex++;
        host.script_call([this, index, step](host::HeadlessHost& h) {
            m_current = index;
            m_figures.steps = index + 1;
            if (step.kind == Step::Kind::Event) {
                h.push_event(step.event);
            } else if (step.kind == Step::Kind::Settled) {
                m_settlePending = true;
            } else if (step.kind == Step::Kind::Calendar) {
                h.set_calendar_time(h.calendar_time() + static_cast<std::time_t>(step.value));
            }
        });
        if (step.kind == Step::Kind::Advance) {
            host.script_advance(step.value);
        }
    }
}

void Driver::Fail(const std::string& what) {
    if (m_failed) {
        return;
    }
    m_failed = true;
    ReportFailure(what);
}

void Driver::ReportFailure(const std::string& what) {
    std::fprintf(stderr, "pilo-soak: %s\npilo-soak: seed %llu, event %zu\n", what.c_str(),
                 static_cast<unsigned long long>(m_options.seed), m_current);
    if (m_options.replay_in.empty()) {
        if (write_replay(m_options.replay_out, m_options.seed, m_batches, m_current + 1)) {
            std::fprintf(stderr, "pilo-soak: replay written to %s\n", m_options.replay_out.c_str());
        } else {
            std::fprintf(stderr, "pilo-soak: cannot write %s\n", m_options.replay_out.c_str());
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Checks

Driver::Scene Driver::SceneNow(CMainDialog* main) {
    if (HWND menu = user::tracking_window()) {
        if (menu != m_lastMenu) {
            m_lastMenu = menu;
            ++m_figures.menus;
        }
        return Scene::Menu;
    }
    m_lastMenu = nullptr;
    if (main == nullptr || !main->IsWindowVisible()) {
        return Scene::Starting;
    }
    const HWND active = ::GetActiveWindow();
    if (active == main->GetSafeHwnd()) {
        return Scene::Main;
    }
    if (dynamic_cast<CFinalScoreDialog*>(CWnd::FromHandlePermanent(active)) != nullptr) {
        if (active != m_lastFinal) {
            m_lastFinal = active;
            ++m_figures.final_scores;
        }
        return Scene::FinalScore;
    }
    if (active != m_lastDialog) {
        m_lastDialog = active;
        ++m_figures.dialogs;
    }
    return Scene::Dialog;
}

void Driver::Check(host::HeadlessHost& host, Scene scene, CMainDialog* main) {
    const user::Census census = user::take_census();
    Raise(m_figures.peak, census);
    if (census.posted + census.input > kQueueLimit) {
        return Fail("the message queue keeps growing: " + Describe(census));
    }
    if (!m_watch.fault.empty()) {
        return Fail(m_watch.fault);
    }
    if (main == nullptr) {
        return;
    }
    BoardModel& model = main->m_boardWnd.GetModelForSetup();
    if (model.GetListener() != &m_watch) {
        m_watch.inner = model.GetListener();
        m_watch.model = &model;
        m_watch.removed = main->m_scoreWnd.m_nScore;
        m_watch.moved = false;
        model.SetListener(&m_watch);
    }
    CheckModel(*main);
    if (m_settlePending && scene == Scene::Main && !m_failed) {
        m_settlePending = false;
        CheckSettled(host, *main);
    }
}

void Driver::CheckModel(CMainDialog& main) {
    const BoardModel& model = main.m_boardWnd.GetModel();
    std::ostringstream fault;
    int empty = 0;
    for (int row = 0; row < kGridSize; ++row) {
        for (int column = 0; column < kGridSize; ++column) {
            const int colour = model.Colour(row, column);
            if (colour < kNoPiece || colour >= kColourCount) {
                fault << "a piece of colour " << colour << " at row " << row << ", column "
                      << column;
            } else if (!model.IsPlayable(row, column) && colour != kNoPiece) {
                fault << "a piece outside the board at row " << row << ", column " << column;
            }
            empty += model.IsPlayable(row, column) && colour == kNoPiece ? 1 : 0;
        }
    }
    const bool moving = model.GetState() == BoardModel::Moving;
    if (!moving && empty != model.FreeCells()) {
        fault << "free cells " << model.FreeCells() << " but " << empty << " empty cells";
    }
    if (model.NextCount() < 0 || model.NextCount() > 3) {
        fault << model.NextCount() << " waiting pieces";
    }
    for (int i = 0; i < model.NextCount() && i < 3; ++i) {
        if (model.Next()[i] < 0 || model.Next()[i] >= kColourCount) {
            fault << "waiting piece " << i << " has colour " << model.Next()[i];
        }
    }
    if (!moving && main.m_scoreWnd.m_nScore != m_watch.removed) {
        fault << "score " << main.m_scoreWnd.m_nScore << " but " << m_watch.removed
              << " pieces removed";
    }
    if (model.GetState() == BoardModel::Idle && m_watch.moved) {
        BoardModel copy = model;
        copy.SetListener(nullptr);
        BoardLine line{};
        if (copy.FindLine(line)) {
            fault << "a line of " << line.n << " left at row " << line.row << ", column "
                  << line.column << " after a move";
        }
    }
    if (!fault.str().empty()) {
        Fail("the board model: " + fault.str());
    }
}

// The main window is active, nothing else is open and the pointer rests outside every window.
void Driver::CheckSettled(host::HeadlessHost& host, CMainDialog& main) {
    if (main.m_boardWnd.GetModel().GetState() != BoardModel::Idle || ::GetCapture() != nullptr) {
        return;
    }
    for (HWND hwnd : user::top_level_windows()) {
        if (hwnd != main.GetSafeHwnd() && ::IsWindowVisible(hwnd)) {
            return;  // a tool-tip still up
        }
    }
    ++m_figures.idle_checks;
    user::Census census = user::take_census();
    census.saved_bits = 0;  // the screen under a window, kept or dropped as the screen changes
    if (!m_baseline) {
        m_baseline = census;
    } else if (!(census == *m_baseline)) {
        return Fail("live objects of the idle main window moved from the baseline (" +
                    Describe(*m_baseline) + ") to (" + Describe(census) + ")");
    }
    const std::string screen = ScreenAgainstModel(host, main);
    if (!screen.empty()) {
        // The frame goes beside the replay, to be looked at.
        const std::string picture = m_options.replay_out + ".png";
        Fail("the screen does not show the board: " + screen +
             (host.write_png(picture) ? "; the frame is in " + picture : std::string()));
    }
}

// Draws the board the model describes off the screen and compares it with the frame.
std::string Driver::ScreenAgainstModel(host::HeadlessHost& host, CMainDialog& main) {
    const BoardModel& model = main.m_boardWnd.GetModel();
    CDC ic;
    CBitmap background;
    CBitmap canvas;
    CDC memory;
    if (!ic.CreateIC("DISPLAY", nullptr, nullptr, nullptr) ||
        !DrawBoardBackground(&ic, model, background) ||
        !canvas.CreateCompatibleBitmap(&ic, kBoardPixels, kBoardPixels) ||
        !memory.CreateCompatibleDC(&ic)) {
        return "the expected board cannot be drawn";
    }
    const HBITMAP old = memory.SelectObject(&canvas);
    PaintBoard(&memory, background, model, GetGameApp()->m_pieceSprites);
    memory.SelectObject(old);
    int width = 0;
    int height = 0;
    const std::vector<std::uint32_t> expected =
        gdi::snapshot_rgb(static_cast<HBITMAP>(canvas.GetSafeHandle()), width, height);
    POINT origin{0, 0};
    ::ClientToScreen(main.m_boardWnd.GetSafeHwnd(), &origin);
    int differing = 0;
    std::ostringstream out;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int sx = origin.x + x;
            const int sy = origin.y + y;
            if (sx < 0 || sy < 0 || sx >= host.width() || sy >= host.height()) {
                continue;
            }
            const std::uint32_t want = expected[static_cast<std::size_t>(y * width + x)];
            const std::uint32_t got = host.colorref_at(sx, sy);
            if ((want & 0xFFFFFF) != (got & 0xFFFFFF)) {
                if (differing++ == 0) {
                    out << "first at board pixel (" << x << ", " << y << "), row "
                        << (y - 2) / kCellPitch << ", column " << (x - 2) / kCellPitch
                        << ": screen " << std::hex << got << ", model " << want << std::dec;
                }
            }
        }
    }
    if (differing > 0) {
        out << "; " << differing << " pixels differ";
    }
    return out.str();
}

// ---------------------------------------------------------------------------------------------
// Input sources

Batch Driver::Generate(Scene scene, CMainDialog* main) {
    m_batch.clear();
    switch (scene) {
        case Scene::Starting:
            if (m_rng.chance(30)) {
                Click({m_rng.between(0, 639), m_rng.between(0, 479)});
            }
            Advance(static_cast<std::uint64_t>(m_rng.between(50, 1500)));
            break;
        case Scene::Menu:
            GenerateMenu();
            break;
        case Scene::FinalScore:
        case Scene::Dialog:
            GenerateDialog();
            break;
        case Scene::Main:
            if (m_fill) {
                GenerateFill(*main);
            } else {
                GenerateMain(*main);
            }
            break;
    }
    if (m_batch.empty()) {
        Advance(150);
    }
    return m_batch;
}

void Driver::GenerateMain(CMainDialog& main) {
    if (--m_chaosLeft <= 0) {
        m_fill = true;
        m_fillGames = m_watch.games;
    }
    const int kind = m_rng.below(100);
    if (kind < 20) {  // a left click somewhere, perhaps with a wander while held
        const POINT p = PickPoint(main);
        Move(p);
        Press(p, MouseButton::Left, true);
        if (m_rng.chance(20)) {
            Move(PickPoint(main));
        }
        Press(p, MouseButton::Left, false);
    } else if (kind < 28) {  // a right click: over the board or the preview it opens the menu
        const POINT p = PickPoint(main);
        Move(p);
        Click(p, MouseButton::Right);
    } else if (kind < 36) {  // a drag with either button
        const MouseButton button = m_rng.chance(70) ? MouseButton::Left : MouseButton::Right;
        POINT p = PickPoint(main);
        Move(p);
        Press(p, button, true);
        for (int i = m_rng.between(1, 5); i > 0; --i) {
            p = PickPoint(main);
            Move(p);
            if (m_rng.chance(30)) {
                Advance(static_cast<std::uint64_t>(m_rng.between(10, 700)));
            }
        }
        Press(p, button, false);
    } else if (kind < 48) {  // hovering, long enough for tool-tips to rise and go
        for (int i = m_rng.between(1, 4); i > 0; --i) {
            Move(PickPoint(main));
            Advance(static_cast<std::uint64_t>(m_rng.between(0, 1200)));
        }
    } else if (kind < 60) {
        GenerateKeys();
    } else if (kind < 66) {  // the system menu from the keyboard
        Key(vk::kSpace, ' ', host::kModAlt);
        static constexpr std::uint16_t kMenuKeys[] = {
            vk::kDown, vk::kUp, vk::kReturn, vk::kEscape, 'O',
            'O',       'M',     'C',         vk::kLeft,   vk::kRight};
        for (int i = m_rng.between(1, 3); i > 0; --i) {
            const std::uint16_t key = kMenuKeys[m_rng.below(std::size(kMenuKeys))];
            Key(key, key >= 'A' && key <= 'Z' ? static_cast<std::uint8_t>(key + 32) : 0);
        }
    } else if (kind < 76) {  // time: timers fire, pile up and are dropped
        const int span = m_rng.below(10);
        Advance(static_cast<std::uint64_t>(span < 6   ? m_rng.between(1, 400)
                                           : span < 9 ? m_rng.between(400, 10000)
                                                      : m_rng.between(10000, 600000)));
    } else if (kind < 78) {  // the calendar jumps, past midnight and past a whole day
        Step step;
        step.kind = Step::Kind::Calendar;
        step.value = static_cast<std::uint64_t>(m_rng.between(60, 26 * 3600));
        m_batch.push_back(step);
        Advance(static_cast<std::uint64_t>(m_rng.between(0, 2000)));
    } else if (kind < 82) {
        Click(Centre(main.m_newGameButton.GetSafeHwnd()));
    } else if (kind < 86) {
        Click(Centre(main.m_shapeButton.GetSafeHwnd()));
    } else if (kind < 87) {  // leave by the exit button; the program starts again
        Click(Centre(main.m_exitButton.GetSafeHwnd()));
    } else {
        Settle(main);
    }
}

// A player that fills the board as fast as it can: short moves that make no line.
void Driver::GenerateFill(CMainDialog& main) {
    const BoardModel& model = main.m_boardWnd.GetModel();
    if (m_watch.games > m_fillGames) {
        // The final score has come and gone: a new game, and back to the noise for a while.
        m_fill = false;
        m_chaosLeft = m_rng.between(5, 40);
        Click(Centre(main.m_newGameButton.GetSafeHwnd()));
        return;
    }
    if (model.GetState() == BoardModel::Moving || model.FreeCells() == 0) {
        Advance(static_cast<std::uint64_t>(m_rng.between(150, 900)));
        return;
    }
    if (m_rng.chance(5)) {
        Move(PickPoint(main));
    }
    static constexpr int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    const int start = m_rng.below(kCellCount);
    for (int k = 0; k < kCellCount; ++k) {
        const int cell = (start + k) % kCellCount;
        const int row = cell / kGridSize;
        const int column = cell % kGridSize;
        const int colour = model.Colour(row, column);
        if (colour == kNoPiece) {
            continue;
        }
        for (const auto& step : kSteps) {
            const int r = row + step[0];
            const int c = column + step[1];
            if (!model.IsPlayable(r, c) || model.Colour(r, c) != kNoPiece ||
                LineThrough(model, r, c, colour, row, column) >= kLineLength) {
                continue;
            }
            POINT from{CellCentre(column), CellCentre(row)};
            POINT to{CellCentre(c), CellCentre(r)};
            ::ClientToScreen(main.m_boardWnd.GetSafeHwnd(), &from);
            ::ClientToScreen(main.m_boardWnd.GetSafeHwnd(), &to);
            Click(from);
            Click(to);
            Advance(static_cast<std::uint64_t>(m_rng.between(300, 700)));
            return;
        }
    }
    // Nothing moves without a line: any click on the board.
    Click(PickPoint(main));
    Advance(300);
}

void Driver::GenerateMenu() {
    HWND menu = user::tracking_window();
    int items = 0;
    RECT item{};
    while (items < 16 && user::tracked_item_rect(items, item)) {
        ++items;
    }
    const int kind = m_rng.below(100);
    if (kind < 50 && items > 0) {  // hover an item, then perhaps choose it
        user::tracked_item_rect(m_rng.below(items), item);
        POINT p{m_rng.between(item.left, std::max(item.left, item.right - 1)),
                m_rng.between(item.top, std::max(item.top, item.bottom - 1))};
        ::ClientToScreen(menu, &p);
        Move(p);
        if (m_rng.chance(70)) {
            Click(p, m_rng.chance(80) ? MouseButton::Left : MouseButton::Right);
        }
    } else if (kind < 65) {
        Key(vk::kEscape);
    } else if (kind < 80) {  // a click outside drops the menu
        // Two draws, one statement each: the order of a call's arguments is the compiler's.
        const POINT outside = Outside(menu);
        Click(outside, m_rng.chance(70) ? MouseButton::Left : MouseButton::Right);
    } else {
        static constexpr std::uint16_t kKeys[] = {vk::kUp,   vk::kDown,  vk::kReturn,
                                                  vk::kLeft, vk::kRight, 'C'};
        Key(kKeys[m_rng.below(std::size(kKeys))]);
    }
    if (m_rng.chance(30)) {
        Advance(static_cast<std::uint64_t>(m_rng.between(0, 800)));
    }
}

void Driver::GenerateDialog() {
    const HWND active = ::GetActiveWindow();
    const int kind = m_rng.below(100);
    if (kind < 50) {  // its OK button
        CWnd* wnd = CWnd::FromHandlePermanent(active);
        auto* final = dynamic_cast<CFinalScoreDialog*>(wnd);
        HWND ok = final != nullptr ? final->m_btnOK.GetSafeHwnd() : ::GetDlgItem(active, IDOK);
        if (ok != nullptr) {
            Click(Centre(ok));
        } else {
            Key(vk::kReturn);
        }
    } else if (kind < 75) {
        static constexpr std::uint16_t kKeys[] = {vk::kReturn, vk::kEscape, vk::kSpace, vk::kTab};
        const std::uint16_t key = kKeys[m_rng.below(std::size(kKeys))];
        Key(key, key == vk::kSpace ? ' ' : 0);
    } else if (kind < 85) {  // its close box
        const RECT r = WindowRect(active);
        Click({r.right - 12, r.top + 12});
    } else {
        Move({m_rng.between(0, 639), m_rng.between(0, 479)});
        Click({m_rng.between(-10, 649), m_rng.between(-10, 489)});
    }
    Advance(static_cast<std::uint64_t>(m_rng.between(0, 1500)));
}

void Driver::GenerateKeys() {
    static constexpr std::uint16_t kKeys[] = {vk::kReturn, vk::kSpace, vk::kTab,  vk::kLeft,
                                              vk::kRight,  vk::kUp,    vk::kDown, vk::kF10,
                                              vk::kF1,     vk::kMenu,  'N',       'X'};
    for (int i = m_rng.between(1, 4); i > 0; --i) {
        const int pick = m_rng.below(100);
        if (pick < 1) {
            Key(vk::kEscape);  // ends the program from the main window
        } else if (pick < 2) {
            Key(vk::kF1 + 3, 0, host::kModAlt);  // Alt+F4
        } else if (pick < 30) {
            const int letter = m_rng.below(26);
            Key(static_cast<std::uint16_t>('A' + letter), static_cast<std::uint8_t>('a' + letter),
                m_rng.chance(20) ? host::kModAlt : 0);
        } else {
            const std::uint16_t key = kKeys[m_rng.below(std::size(kKeys))];
            Key(key, key == vk::kSpace ? ' ' : key == vk::kReturn ? '\r' : 0);
        }
    }
}

// Releases what is held, rests the pointer outside the window and waits out the tool-tip.
void Driver::Settle(CMainDialog& main) {
    const POINT out = Outside(main.GetSafeHwnd());
    if ((m_buttons & host::kButtonLeft) != 0) {
        Press(out, MouseButton::Left, false);
    }
    if ((m_buttons & host::kButtonRight) != 0) {
        Press(out, MouseButton::Right, false);
    }
    Move(out);
    Advance(static_cast<std::uint64_t>(m_rng.between(600, 1500)));
    Step settled;
    settled.kind = Step::Kind::Settled;
    m_batch.push_back(settled);
}

POINT Driver::PickPoint(CMainDialog& main) {
    const HWND board = main.m_boardWnd.GetSafeHwnd();
    const int region = m_rng.below(100);
    if (region < 35) {  // a cell, near its centre
        // One draw a statement: the operands of + are evaluated in no set order.
        const int column = m_rng.below(kGridSize);
        const int dx = m_rng.between(-12, 12);
        const int row = m_rng.below(kGridSize);
        const int dy = m_rng.between(-12, 12);
        POINT p{CellCentre(column) + dx, CellCentre(row) + dy};
        ::ClientToScreen(board, &p);
        return p;
    }
    if (region < 45) {  // the gap after a cell, and the board's border
        const int cell = m_rng.below(kGridSize);
        const int gap = m_rng.between(13, 15);
        POINT p{CellCentre(cell) + gap, m_rng.between(0, kBoardPixels - 1)};
        if (m_rng.chance(50)) {
            std::swap(p.x, p.y);
        }
        ::ClientToScreen(board, &p);
        return p;
    }
    HWND target = nullptr;
    if (region < 53) {
        target = main.m_previewWnd.GetSafeHwnd();
    } else if (region < 58) {
        target = main.m_scoreWnd.GetSafeHwnd();
    } else if (region < 70) {
        const HWND buttons[] = {main.m_shapeButton.GetSafeHwnd(),
                                main.m_newGameButton.GetSafeHwnd(),
                                main.m_exitButton.GetSafeHwnd()};
        const int pick = m_rng.below(10);  // the exit button least: it ends the run
        target = buttons[pick < 5 ? 0 : pick < 9 ? 1 : 2];
    }
    const RECT window = WindowRect(main.GetSafeHwnd());
    if (target != nullptr) {
        const RECT r = WindowRect(target);
        return {m_rng.between(r.left, r.right - 1), m_rng.between(r.top, r.bottom - 1)};
    }
    if (region < 80) {  // the caption
        return {m_rng.between(window.left, window.right - 1), window.top + m_rng.between(3, 21)};
    }
    if (region < 81) {  // the close box
        return {window.right - m_rng.between(5, 20), window.top + m_rng.between(5, 18)};
    }
    if (region < 90) {  // the rest of the window
        return {m_rng.between(window.left, window.right - 1),
                m_rng.between(window.top, window.bottom - 1)};
    }
    return m_rng.chance(50) ? Outside(main.GetSafeHwnd())
                            : POINT{m_rng.between(-20, 659), m_rng.between(-20, 499)};
}

POINT Driver::Outside(HWND hwnd) {
    const RECT r = WindowRect(hwnd);
    for (int tries = 0; tries < 20; ++tries) {
        const POINT p{m_rng.between(0, 639), m_rng.between(0, 479)};
        if (!::PtInRect(&r, p)) {
            return p;
        }
    }
    return {0, 0};
}

void Driver::Move(POINT p) {
    Step step;
    step.event.type = host::EventType::MouseMove;
    step.event.x = p.x;
    step.event.y = p.y;
    step.event.buttons = m_buttons;
    m_batch.push_back(step);
}

void Driver::Press(POINT p, MouseButton button, bool down) {
    const std::uint8_t bit = button == MouseButton::Left ? host::kButtonLeft : host::kButtonRight;
    m_buttons = down ? static_cast<std::uint8_t>(m_buttons | bit)
                     : static_cast<std::uint8_t>(m_buttons & ~bit);
    Step step;
    step.event.type = down ? host::EventType::MouseDown : host::EventType::MouseUp;
    step.event.x = p.x;
    step.event.y = p.y;
    step.event.button = button;
    step.event.buttons = m_buttons;
    m_batch.push_back(step);
}

void Driver::Click(POINT p, MouseButton button) {
    Press(p, button, true);
    Press(p, button, false);
}

void Driver::Key(std::uint16_t key, std::uint8_t ch, std::uint8_t modifiers) {
    Step step;
    step.event.modifiers = modifiers;
    if ((modifiers & host::kModAlt) != 0) {
        step.event.type = host::EventType::KeyDown;
        step.event.vk = vk::kMenu;
        m_batch.push_back(step);
    }
    step.event.type = host::EventType::KeyDown;
    step.event.vk = key;
    step.event.ch = ch;
    m_batch.push_back(step);
    step.event.type = host::EventType::KeyUp;
    step.event.ch = 0;
    m_batch.push_back(step);
    if ((modifiers & host::kModAlt) != 0) {
        step.event.vk = vk::kMenu;
        step.event.modifiers = 0;
        m_batch.push_back(step);
    }
}

void Driver::Advance(std::uint64_t ms) {
    Step step;
    step.kind = Step::Kind::Advance;
    step.value = ms;
    m_batch.push_back(step);
}

}  // namespace soak
