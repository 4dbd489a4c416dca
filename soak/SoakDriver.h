// SoakDriver.h: runs the real program again and again on the headless host, feeds it batches
// of seeded random input (or a replay) and checks it between batches.
#pragma once

#include "game/BoardListener.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/user/Census.h"
#include "platform/win32/windows.h"
#include "soak/SoakScript.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class BoardModel;
class CMainDialog;

namespace soak {

struct Options {
    std::uint64_t seed = 1;
    std::size_t events = 10000;
    bool keep = false;      // write the replay file even when every check held
    std::string replay_in;  // empty: generate the input from the seed
    std::string replay_out = "pilo-soak.replay";  // written when a check fails or it crashes
};

struct Figures {
    std::size_t steps = 0;         // input steps played
    std::size_t runs = 0;          // times the program started and ended
    std::size_t games = 0;         // games that reached their end
    std::size_t final_scores = 0;  // final score dialogs seen open
    std::size_t menus = 0;         // popup menus seen open
    std::size_t dialogs = 0;       // other dialogs seen open: the About box, message boxes
    std::size_t idle_checks = 0;   // looks at the settled main window (census and screen)
    user::Census peak;             // the largest count of each kind seen at any look
};

// Sits between the board model and its window: passes every call on and keeps what the
// checks need to know about the game.
class ModelWatch final : public BoardListener {
public:
    BoardListener* inner = nullptr;
    const BoardModel* model = nullptr;
    long removed = 0;    // pieces taken off in lines since the deal
    bool moved = false;  // a move has ended since the deal
    std::size_t games = 0;
    std::string fault;  // the first broken rule seen in a call

    void CellEmptied(int row, int column) override;
    void PieceAtRest(int row, int column, int colour) override;
    void NextPiecesChanged(const std::int16_t* next, int count) override;
    void LineRemoved(const BoardLine& line) override;
    void BoardDealt() override;
    void GameOver() override;
};

// The census in words.
std::string Describe(const user::Census& census);

class Driver {
public:
    explicit Driver(Options options);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // Runs until the input is used up or a check fails; true when every check held.
    bool Run();
    const Figures& GetFigures() const { return m_figures; }
    // Writes the replay of the steps up to the current one and says where; for crashes too.
    void ReportFailure(const std::string& what);

private:
    enum class Scene { Starting, Main, FinalScore, Dialog, Menu };

    void Look(host::HeadlessHost& host);
    void WindDown(host::HeadlessHost& host);
    void Check(host::HeadlessHost& host, Scene scene, CMainDialog* main);
    void CheckModel(CMainDialog& main);
    void CheckSettled(host::HeadlessHost& host, CMainDialog& main);
    std::string ScreenAgainstModel(host::HeadlessHost& host, CMainDialog& main);
    void Fail(const std::string& what);

    Scene SceneNow(CMainDialog* main);
    Batch Generate(Scene scene, CMainDialog* main);
    void GenerateMain(CMainDialog& main);
    void GenerateFill(CMainDialog& main);
    void GenerateMenu();
    void GenerateDialog();
    void GenerateKeys();
    void Settle(CMainDialog& main);
    void Script(host::HeadlessHost& host, const Batch& batch);

    // Builders of the batch under construction.
    void Move(POINT p);
    void Press(POINT p, host::MouseButton button, bool down);
    void Click(POINT p, host::MouseButton button = host::MouseButton::Left);
    void Key(std::uint16_t vk, std::uint8_t ch = 0, std::uint8_t modifiers = 0);
    void Advance(std::uint64_t ms);
    POINT PickPoint(CMainDialog& main);
    POINT Outside(HWND hwnd);

    Options m_options;
    Rng m_rng;
    Figures m_figures;
    ModelWatch m_watch;
    std::vector<Batch> m_batches;  // everything scripted, for the replay file
    std::size_t m_replayCursor = 0;
    std::size_t m_stepIndex = 0;  // steps scripted
    std::size_t m_current = 0;    // the step played last
    Batch m_batch;                // under construction
    std::uint8_t m_buttons = 0;
    bool m_failed = false;
    bool m_done = false;
    int m_windDownLooks = 0;
    bool m_fill = false;
    int m_chaosLeft = 0;
    std::size_t m_fillGames = 0;
    bool m_settlePending = false;
    std::optional<user::Census> m_baseline;
    HWND m_lastFinal = nullptr;
    HWND m_lastMenu = nullptr;
    HWND m_lastDialog = nullptr;
    std::size_t m_nextProgress = 10000;
};

}  // namespace soak
