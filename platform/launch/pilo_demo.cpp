// pilo_demo.cpp: plays one whole game of the real program on the headless host with a simple
// player, and keeps pictures of the opening, a line going, the piece-set menu and the final
// score. Usage: pilo-demo [folder]; the pictures go to the folder given, else to $PILO_DEMO_DIR,
// else to the current folder. Prints the score and the playing time.
#include "app/CGameApp.h"
#include "app/CMainDialog.h"
#include "dialogs/CFinalScoreDialog.h"
#include "game/BoardGeometry.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/launch/HeadlessRun.h"
#include "platform/win32/user/PopupMenu.h"
#include "platform/launch/DemoPlayer.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace {

// Virtual milliseconds the player waits between looks while something runs.
constexpr std::uint64_t kLookPeriodMs = 150;
// A game that runs this long has lost its way.
constexpr int kMaxLooks = 200000;
// Longer than the splash stays up.
constexpr std::uint64_t kSplashMs = 1000;
// The menu opens after this many moves.
constexpr int kMenuAfterMoves = 3;

class DemoPlayer {
public:
    DemoPlayer(host::HeadlessHost& host, std::filesystem::path folder)
        : m_host(host), m_folder(std::move(folder)) {}

    // Queues the player's first look; each look queues the next until the game is over.
    void Start() { Look(); }

    bool Finished() const { return m_bFinished; }
    const std::vector<std::string>& Failures() const { return m_failures; }
    const std::vector<std::string>& Pictures() const { return m_pictures; }
    int Score() const { return m_nScore; }
    long Seconds() const { return m_nSeconds; }
    int Moves() const { return m_nMoves; }
    int ScoringMoves() const { return m_nScoringMoves; }

private:
    enum class Phase {
        Starting,
        Opening,
        Playing,
        Menu,
        MenuHover,
        MenuChosen,
        FinalScore,
        Leaving
    };

    void Look() {
        m_host.script_call([this](host::HeadlessHost&) { Act(); });
    }
    void LookLater(std::uint64_t ms = kLookPeriodMs) {
        m_host.script_advance(ms);
        Look();
    }

    CMainDialog* MainDialog() const {
        CGameApp* pApp = GetGameApp();
        if (pApp == nullptr) {
            return nullptr;
        }
        auto* pMain = dynamic_cast<CMainDialog*>(pApp->m_pMainWnd);
        return pMain != nullptr && pMain->GetSafeHwnd() != nullptr ? pMain : nullptr;
    }
    static CFinalScoreDialog* FinalScoreDialog() {
        return dynamic_cast<CFinalScoreDialog*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
    }

    void Snapshot(const char* name) {
        const std::filesystem::path path = m_folder / name;
        if (m_host.write_png(path.string())) {
            m_pictures.push_back(path.string());
        } else {
            m_failures.push_back("could not write " + path.string());
        }
    }

    static POINT CentreOf(CWnd& wnd) {
        CRect rect;
        wnd.GetWindowRect(&rect);
        return {rect.left + rect.Width() / 2, rect.top + rect.Height() / 2};
    }
    static POINT CellOnScreen(CWnd& board, int row, int column) {
        POINT p{CellCentre(column), CellCentre(row)};
        board.ClientToScreen(&p);
        return p;
    }

    void Act() {
        if (++m_nLooks > kMaxLooks) {
            Fail("the game did not end in time");
            return;
        }
        switch (m_phase) {
            case Phase::Starting:
                return Starting();
            case Phase::Opening:
                return Opening();
            case Phase::Playing:
                return Playing();
            case Phase::Menu:
                return MenuShown();
            case Phase::MenuHover:
                return MenuHovered();
            case Phase::MenuChosen:
                return MenuChosen();
            case Phase::FinalScore:
                return FinalScoreShown();
            case Phase::Leaving:
                return;
        }
    }

    // The splash comes first and goes by itself; the game starts when it has gone.
    void Starting() {
        CMainDialog* pMain = MainDialog();
        if (pMain == nullptr || !pMain->IsWindowVisible()) {
            return LookLater();
        }
        m_phase = Phase::Opening;
        LookLater(kSplashMs);
    }

    void Opening() {
        Snapshot("1-opening.png");
        m_phase = Phase::Playing;
        Look();
    }

    void Playing() {
        CMainDialog* pMain = MainDialog();
        if (pMain == nullptr) {
            Fail("the main window went away during the game");
            return;
        }
        if (CFinalScoreDialog* pFinal = FinalScoreDialog()) {
            m_nScore = pFinal->m_nScore;
            m_nSeconds = PlayingSecondsNow();
            Snapshot("5-final-score.png");
            m_phase = Phase::FinalScore;
            const POINT ok = CentreOf(pFinal->m_btnOK);
            m_host.script_click(ok.x, ok.y);
            return LookLater();
        }
        const BoardModel& model = pMain->m_boardWnd.GetModel();
        if (model.GetState() != BoardModel::Idle) {
            if (m_bLineMoving && model.GetState() == BoardModel::Moving && !m_bLineMidShot) {
                m_bLineMidShot = true;
                Snapshot("2b-line-moving.png");
            }
            return LookLater();
        }
        if (m_bLineMoving) {
            m_bLineMoving = false;
            if (pMain->m_scoreWnd.m_nScore > m_nScoreBefore) {
                Snapshot("2c-line-removed.png");
                m_bLineShown = true;
            }
        }
        if (pMain->m_scoreWnd.m_nScore > m_nLastScore) {
            ++m_nScoringMoves;
        }
        m_nLastScore = pMain->m_scoreWnd.m_nScore;
        if (model.FreeCells() == 0) {
            // The final score comes once the last tick is over.
            return LookLater();
        }
        if (!m_bMenuShown && m_nMoves >= kMenuAfterMoves) {
            return OpenMenu(*pMain);
        }
        const std::optional<DemoMove> move = ChooseDemoMove(model);
        if (!move) {
            Fail("no piece can move although cells are free");
            return;
        }
        if (move->run >= 5 && !m_bLineShown) {
            Snapshot("2a-line-before.png");
            m_bLineMoving = true;
            m_bLineMidShot = false;
            m_nScoreBefore = pMain->m_scoreWnd.m_nScore;
        }
        ++m_nMoves;
        const POINT from = CellOnScreen(pMain->m_boardWnd, move->fromRow, move->fromColumn);
        const POINT to = CellOnScreen(pMain->m_boardWnd, move->toRow, move->toColumn);
        m_host.script_click(from.x, from.y);
        m_host.script_click(to.x, to.y);
        // One tick into the travel, so the moving piece is in the picture.
        LookLater();
    }

    // A right press over the board opens the menu, whose own loop then waits for the player.
    void OpenMenu(CMainDialog& main) {
        m_bMenuShown = true;
        m_phase = Phase::Menu;
        const POINT at = CellOnScreen(main.m_boardWnd, 6, 6);
        m_host.script_mouse_move(at.x, at.y);
        m_host.script_mouse_down(at.x, at.y, host::MouseButton::Right);
        m_host.script_mouse_up(at.x, at.y, host::MouseButton::Right);
        Look();
    }

    void MenuShown() {
        if (user::tracking_window() == nullptr) {
            Fail("the piece-set menu did not open");
            m_phase = Phase::Playing;
            return Look();
        }
        Snapshot("3a-menu.png");
        // Over the second item: its frame turns red.
        const std::optional<POINT> item = MenuItemCentre(1);
        if (!item) {
            Fail("the piece-set menu has no second item");
            return;
        }
        m_host.script_mouse_move(item->x, item->y);
        m_phase = Phase::MenuHover;
        Look();
    }

    void MenuHovered() {
        Snapshot("3b-menu-hover.png");
        const std::optional<POINT> item = MenuItemCentre(1);
        if (!item) {
            Fail("the piece-set menu closed too early");
            return;
        }
        m_host.script_mouse_down(item->x, item->y);
        m_host.script_mouse_up(item->x, item->y);
        m_phase = Phase::MenuChosen;
        LookLater();
    }

    void MenuChosen() {
        if (user::tracking_window() != nullptr) {
            Fail("the piece-set menu stayed open after a choice");
        }
        Snapshot("4-piece-set-changed.png");
        m_phase = Phase::Playing;
        Look();
    }

    static std::optional<POINT> MenuItemCentre(int position) {
        HWND hMenuWnd = user::tracking_window();
        RECT item{};
        if (hMenuWnd == nullptr || !user::tracked_item_rect(position, item)) {
            return std::nullopt;
        }
        POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ::ClientToScreen(hMenuWnd, &p);
        return p;
    }

    // After the final score dialog: the game is over, the player leaves by the exit button.
    void FinalScoreShown() {
        if (FinalScoreDialog() != nullptr) {
            // Still announcing, or the click has not come through yet.
            return LookLater();
        }
        CMainDialog* pMain = MainDialog();
        if (pMain == nullptr) {
            Fail("the main window went away with the final score");
            return;
        }
        m_bFinished = true;
        m_phase = Phase::Leaving;
        const POINT exit = CentreOf(pMain->m_exitButton);
        m_host.script_click(exit.x, exit.y);
    }

    static long PlayingSecondsNow() {
        CGameApp* pApp = GetGameApp();
        if (pApp == nullptr) {
            return 0;
        }
        return static_cast<long>(
            (CTime::GetCurrentTime() - pApp->GetStartTime()).GetTotalSeconds());
    }

    void Fail(const std::string& reason) {
        m_failures.push_back(reason);
        m_phase = Phase::Leaving;
        // Ends the modal loops from the outside: the host's close button.
        m_host.script_close();
        m_host.script_close();
        m_host.script_close();
    }

    host::HeadlessHost& m_host;
    std::filesystem::path m_folder;
    Phase m_phase = Phase::Starting;
    std::vector<std::string> m_failures;
    std::vector<std::string> m_pictures;
    int m_nLooks = 0;
    int m_nMoves = 0;
    int m_nScoringMoves = 0;
    int m_nLastScore = 0;
    int m_nScore = 0;
    long m_nSeconds = 0;
    int m_nScoreBefore = 0;
    bool m_bLineMoving = false;
    bool m_bLineMidShot = false;
    bool m_bLineShown = false;
    bool m_bMenuShown = false;
    bool m_bFinished = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: pilo-demo [folder for the pictures]\n");
        return 2;
    }
    const char* fromEnvironment = std::getenv("PILO_DEMO_DIR");
    const std::filesystem::path folder = argc == 2 ? argv[1]
                                         : fromEnvironment != nullptr && *fromEnvironment
                                             ? fromEnvironment
                                             : ".";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "pilo-demo: cannot make %s: %s\n", folder.string().c_str(),
                     ec.message().c_str());
        return 1;
    }

    host::HeadlessHost host;
    DemoPlayer player(host, folder);
    player.Start();
    bool bLost = false;
    host.set_exhausted_handler([&bLost](host::HeadlessHost& h) {
        // Nothing left to do while the program still waits: close it rather than hang.
        bLost = true;
        h.push_event(host::Event{host::EventType::CloseRequested});
    });

    std::string error;
    const int nExit = launch::run_headless(host, &error);
    if (nExit < 0) {
        std::fprintf(stderr, "pilo-demo: the program could not start: %s\n", error.c_str());
        return 1;
    }

    for (const std::string& picture : player.Pictures()) {
        std::printf("picture: %s\n", picture.c_str());
    }
    std::printf("moves: %d, of them removing lines: %d\n", player.Moves(), player.ScoringMoves());
    std::printf("final score: %d\n", player.Score());
    const long s = player.Seconds();
    std::printf("playing time: %ld:%02ld:%02ld (%ld s)\n", s / 3600, s / 60 % 60, s % 60, s);

    bool bOk = nExit == 0 && player.Finished() && !bLost;
    for (const std::string& failure : player.Failures()) {
        std::fprintf(stderr, "pilo-demo: %s\n", failure.c_str());
        bOk = false;
    }
    if (bLost) {
        std::fprintf(stderr, "pilo-demo: the program waited with nothing left to do\n");
    }
    if (nExit != 0) {
        std::fprintf(stderr, "pilo-demo: the program ended with %d\n", nExit);
    }
    return bOk ? 0 : 1;
}
