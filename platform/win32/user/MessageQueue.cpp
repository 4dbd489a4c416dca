// MessageQueue.cpp: posted and input messages, timers, capture, focus and the wait on the host.
#include "platform/win32/user/MessageQueue.h"

#include "platform/host/VirtualKeys.h"
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/mm/PlayHooks.h"
#include "platform/win32/user/Census.h"
#include "platform/win32/user/Activation.h"
#include "platform/win32/user/NonClient.h"
#include "platform/win32/user/Painting.h"
#include "platform/win32/user/WindowManager.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <vector>

namespace user {
namespace {

constexpr UINT kMinimumPeriod = 10;
constexpr UINT_PTR kFirstThreadTimer = 0x7FFF;  // ids SetTimer(NULL, ...) hands out

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT period;
    TIMERPROC proc;
    std::uint64_t due;
    bool expired = false;
};

struct QueueState {
    std::deque<MSG> posted;
    std::deque<MSG> input;
    std::vector<Timer> timers;
    bool quit = false;
    int quit_code = 0;
    HWND capture = nullptr;
    HWND focus = nullptr;
    POINT cursor{0, 0};
    UINT_PTR next_thread_timer = kFirstThreadTimer;
    std::uint64_t presented_count = 0;
    bool presented_once = false;
};

QueueState& queue() {
    static QueueState state;
    // A synchronous wave holds the thread: the screen is shown as drawn before it plays.
    static const bool hooked = (mm::set_before_play_hook(&present_if_changed), true);
    (void)hooked;
    return state;
}

std::uint64_t now() {
    return host::current().now_ms();
}

DWORD message_time() {
    return static_cast<DWORD>(now());
}

bool matches(const MSG& m, HWND hwnd, UINT filter_min, UINT filter_max) {
    if (hwnd != nullptr && m.hwnd != hwnd && !IsChild(hwnd, m.hwnd)) {
        return false;
    }
    if (filter_min == 0 && filter_max == 0) {
        return true;
    }
    return m.message >= filter_min && m.message <= filter_max;
}

// Takes (or copies) the first matching message of a queue.
bool take(std::deque<MSG>& from, MSG& out, HWND hwnd, UINT filter_min, UINT filter_max,
          bool remove) {
    for (auto it = from.begin(); it != from.end(); ++it) {
        if (matches(*it, hwnd, filter_min, filter_max)) {
            out = *it;
            if (remove) {
                from.erase(it);
            }
            return true;
        }
    }
    return false;
}

void expire_timers() {
    const std::uint64_t t = now();
    for (Timer& timer : queue().timers) {
        if (!timer.expired && t >= timer.due) {
            timer.expired = true;
            timer.due = t + timer.period;
        }
    }
}

bool take_timer(MSG& out, HWND hwnd, UINT filter_min, UINT filter_max, bool remove) {
    expire_timers();
    for (Timer& timer : queue().timers) {
        if (!timer.expired) {
            continue;
        }
        MSG m{timer.hwnd,     WM_TIMER,      timer.id, reinterpret_cast<LPARAM>(timer.proc),
              message_time(), queue().cursor};
        if (matches(m, hwnd, filter_min, filter_max)) {
            if (remove) {
                timer.expired = false;
            }
            out = m;
            return true;
        }
    }
    return false;
}

void pump_host_events() {
    while (std::optional<host::Event> event = host::current().poll_event()) {
        queue_host_event(*event);
    }
}

bool find_message(MSG& out, HWND hwnd, UINT filter_min, UINT filter_max, bool remove) {
    QueueState& q = queue();
    pump_host_events();
    if (take(q.posted, out, hwnd, filter_min, filter_max, remove)) {
        return true;
    }
    if (q.quit && ((filter_min == 0 && filter_max == 0) ||
                   (WM_QUIT >= filter_min && WM_QUIT <= filter_max))) {
        out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quit_code), 0, message_time(), q.cursor};
        if (remove) {
            q.quit = false;
        }
        return true;
    }
    while (take(q.input, out, hwnd, filter_min, filter_max, remove)) {
        // A press activates its window as it is taken; the window may ask to eat it.
        if (!remove || activate_for_click(out)) {
            return true;
        }
    }
    // WM_PAINT stays until BeginPaint or ValidateRect empties the update region.
    if ((filter_min == 0 && filter_max == 0) ||
        (WM_PAINT >= filter_min && WM_PAINT <= filter_max)) {
        paint_pending_frames();
        if (HWND dirty = window_needing_paint(hwnd)) {
            out = MSG{dirty, WM_PAINT, 0, 0, message_time(), q.cursor};
            return true;
        }
    }
    return take_timer(out, hwnd, filter_min, filter_max, remove);
}

std::optional<std::uint64_t> next_timer_deadline() {
    std::optional<std::uint64_t> deadline;
    for (const Timer& timer : queue().timers) {
        if (!timer.expired && (!deadline || timer.due < *deadline)) {
            deadline = timer.due;
        }
    }
    return deadline;
}

WPARAM mouse_key_state(const host::Event& event) {
    WPARAM state = 0;
    if (event.buttons & host::kButtonLeft)
        state |= MK_LBUTTON;
    if (event.buttons & host::kButtonRight)
        state |= MK_RBUTTON;
    if (event.buttons & host::kButtonMiddle)
        state |= MK_MBUTTON;
    if (event.modifiers & host::kModShift)
        state |= MK_SHIFT;
    if (event.modifiers & host::kModControl)
        state |= MK_CONTROL;
    return state;
}

UINT mouse_message(const host::Event& event) {
    if (event.type == host::EventType::MouseMove) {
        return WM_MOUSEMOVE;
    }
    const bool down = event.type == host::EventType::MouseDown;
    switch (event.button) {
        case host::MouseButton::Right:
            return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        case host::MouseButton::Middle:
            return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        default:
            return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    }
}

// The non-client message of a client mouse message (the two ranges run in the same order).
UINT non_client_message(UINT client_message) {
    return client_message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
}

// True when the frontmost visible top-level window under the point is disabled: the mouse
// goes nowhere then, not to the windows behind it.
bool over_disabled_window(POINT pt) {
    for (HWND top : top_level_windows()) {
        const Window* w = find_window(top);
        if (w == nullptr || (w->style & WS_VISIBLE) == 0) {
            continue;
        }
        if (const RECT r = screen_window_rect(*w); PtInRect(&r, pt)) {
            return (w->style & WS_DISABLED) != 0;
        }
    }
    return false;
}

void queue_mouse(const host::Event& event) {
    QueueState& q = queue();
    const POINT pt{event.x, event.y};
    q.cursor = pt;
    HWND target = q.capture;
    if (target == nullptr) {
        if (over_disabled_window(pt)) {
            return;
        }
        target = WindowFromPoint(pt);
        if (target == nullptr) {
            return;
        }
        const LRESULT hit = SendMessageA(
            target, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
        if (hit != HTCLIENT) {
            // Frames, captions and close boxes hear of the mouse in screen coordinates.
            if (hit > HTNOWHERE) {
                q.input.push_back(MSG{target, non_client_message(mouse_message(event)),
                                      static_cast<WPARAM>(hit),
                                      MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)),
                                      static_cast<DWORD>(event.time_ms), pt});
            }
            return;
        }
    }
    POINT client = pt;
    if (!ScreenToClient(target, &client)) {
        return;
    }
    q.input.push_back(MSG{target, mouse_message(event), mouse_key_state(event),
                          MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)),
                          static_cast<DWORD>(event.time_ms), pt});
}

void queue_key(const host::Event& event) {
    QueueState& q = queue();
    if (q.focus == nullptr) {
        return;
    }
    const bool down = event.type == host::EventType::KeyDown;
    const bool alt = (event.modifiers & host::kModAlt) != 0;
    const bool system = alt || event.vk == host::vk::kF10 || event.vk == host::vk::kMenu;
    const UINT message =
        down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    DWORD lparam = 1 | (static_cast<DWORD>(down ? event.ch : 0) << 16);
    if (alt)
        lparam |= 1u << 29;
    if (!down || event.repeat)
        lparam |= 1u << 30;
    if (!down)
        lparam |= 1u << 31;
    q.input.push_back(MSG{q.focus, message, event.vk, static_cast<LPARAM>(lparam),
                          static_cast<DWORD>(event.time_ms), q.cursor});
}

void queue_close(const host::Event& event) {
    if (const HWND active = GetActiveWindow()) {
        queue().input.push_back(
            MSG{active, WM_CLOSE, 0, 0, static_cast<DWORD>(event.time_ms), queue().cursor});
        return;
    }
    for (HWND top : top_level_windows()) {
        const Window* w = find_window(top);
        if (w != nullptr && w->owner == nullptr && (w->style & WS_VISIBLE)) {
            queue().input.push_back(
                MSG{top, WM_CLOSE, 0, 0, static_cast<DWORD>(event.time_ms), queue().cursor});
            return;
        }
    }
}

}  // namespace

void queue_host_event(const host::Event& event) {
    switch (event.type) {
        case host::EventType::MouseMove:
        case host::EventType::MouseDown:
        case host::EventType::MouseUp:
            queue_mouse(event);
            break;
        case host::EventType::KeyDown:
        case host::EventType::KeyUp:
            queue_key(event);
            break;
        case host::EventType::CloseRequested:
            queue_close(event);
            break;
    }
}

std::size_t live_timer_count() {
    return queue().timers.size();
}

std::size_t queued_posted_count() {
    return queue().posted.size();
}

std::size_t queued_input_count() {
    return queue().input.size();
}

void forget_window(HWND hwnd) {
    QueueState& q = queue();
    auto for_window = [hwnd](const MSG& m) { return m.hwnd == hwnd; };
    q.posted.erase(std::remove_if(q.posted.begin(), q.posted.end(), for_window), q.posted.end());
    q.input.erase(std::remove_if(q.input.begin(), q.input.end(), for_window), q.input.end());
    q.timers.erase(std::remove_if(q.timers.begin(), q.timers.end(),
                                  [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
                   q.timers.end());
    if (q.capture == hwnd) {
        q.capture = nullptr;
    }
    if (q.focus == hwnd) {
        q.focus = nullptr;
    }
}

void present_if_changed() {
    QueueState& q = queue();
    const std::uint64_t count = gdi::screen_change_count();
    if (q.presented_once && count == q.presented_count) {
        return;
    }
    const gdi::ScreenFrame screen = gdi::screen_frame();
    host::Frame frame;
    frame.width = screen.width;
    frame.height = screen.height;
    frame.stride = static_cast<std::size_t>(screen.width);
    if (screen.bits_per_pixel == 8) {
        frame.format = host::PixelFormat::Indexed8;
        frame.indices = screen.indices;
        frame.palette = screen.palette;
    } else {
        frame.format = host::PixelFormat::Rgb32;
        frame.pixels = screen.pixels;
    }
    host::current().present(frame);
    q.presented_count = screen.change_count;
    q.presented_once = true;
}

}  // namespace user

using namespace user;

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove) {
    if (msg == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (hwnd != nullptr && window_or_error(hwnd) == nullptr) {
        return FALSE;
    }
    return find_message(*msg, hwnd, filter_min, filter_max, (remove & PM_REMOVE) != 0) ? TRUE
                                                                                       : FALSE;
}

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max) {
    if (msg == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (hwnd != nullptr && window_or_error(hwnd) == nullptr) {
        return -1;
    }
    for (;;) {
        if (find_message(*msg, hwnd, filter_min, filter_max, true)) {
            return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        present_if_changed();
        const host::WaitResult result = host::current().wait(next_timer_deadline());
        if (result == host::WaitResult::Exhausted && !next_timer_deadline()) {
            pump_host_events();
            if (find_message(*msg, hwnd, filter_min, filter_max, true)) {
                return msg->message == WM_QUIT ? FALSE : TRUE;
            }
            *msg = MSG{nullptr, WM_QUIT, 0, 0, message_time(), queue().cursor};
            return FALSE;
        }
    }
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (hwnd != nullptr && window_or_error(hwnd) == nullptr) {
        return FALSE;
    }
    queue().posted.push_back(MSG{hwnd, message, wparam, lparam, message_time(), queue().cursor});
    return TRUE;
}

void PostQuitMessage(int exit_code) {
    queue().quit = true;
    queue().quit_code = exit_code;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, message_time());
        return 0;
    }
    if (msg->hwnd == nullptr) {
        return 0;
    }
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) {
        return FALSE;
    }
    const auto ch = static_cast<BYTE>((static_cast<DWORD>(msg->lParam) >> 16) & 0xFF);
    if (ch == 0) {
        return FALSE;
    }
    return PostMessageA(msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, ch,
                        msg->lParam);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc) {
    if (!host::current().settings().timers) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);  // no timer to be had, as when they run out
        return 0;
    }
    if (hwnd != nullptr && window_or_error(hwnd) == nullptr) {
        return 0;
    }
    QueueState& q = queue();
    if (hwnd == nullptr) {
        id = q.next_thread_timer++;
    }
    const UINT period = std::max(elapse_ms, kMinimumPeriod);
    q.timers.erase(std::remove_if(q.timers.begin(), q.timers.end(),
                                  [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; }),
                   q.timers.end());
    q.timers.push_back(Timer{hwnd, id, period, proc, now() + period});
    return id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto& timers = queue().timers;
    const auto it = std::find_if(timers.begin(), timers.end(),
                                 [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    timers.erase(it);
    return TRUE;
}

HWND SetCapture(HWND hwnd) {
    if (hwnd != nullptr && window_or_error(hwnd) == nullptr) {
        return nullptr;
    }
    const HWND previous = queue().capture;
    queue().capture = hwnd;
    if (previous != nullptr && previous != hwnd) {
        SendMessageA(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    }
    return previous;
}

BOOL ReleaseCapture() {
    const HWND previous = queue().capture;
    queue().capture = nullptr;
    if (previous != nullptr) {
        SendMessageA(previous, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetCapture() {
    return queue().capture;
}

HWND SetFocus(HWND hwnd) {
    if (hwnd != nullptr && window_or_error(hwnd) == nullptr) {
        return nullptr;
    }
    const HWND previous = queue().focus;
    if (previous == hwnd) {
        return previous;
    }
    queue().focus = hwnd;
    if (previous != nullptr) {
        SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    if (hwnd != nullptr && queue().focus == hwnd) {
        SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    return previous;
}

HWND GetFocus() {
    return queue().focus;
}

BOOL GetCursorPos(LPPOINT pt) {
    if (pt == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *pt = queue().cursor;
    return TRUE;
}
