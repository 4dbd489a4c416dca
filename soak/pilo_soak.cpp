// pilo_soak.cpp: the real program under a long seeded stream of random input, checked between
// batches. Usage: pilo-soak [--events N] [--seed S] [--out FILE] [--keep] | --replay FILE
// --out names the replay file a failure writes; --keep writes it after a clean run too.
#include "soak/SoakDriver.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// Under the sanitizers a report ends the process through their death callback.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PILO_SOAK_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(PILO_SOAK_SANITIZED)
#include <sanitizer/common_interface_defs.h>
#define PILO_SOAK_DEATH_CALLBACK 1
#endif

namespace {

soak::Driver* g_driver = nullptr;

// A sanitizer report or a crash: say where in the input it happened and keep the replay.
void OnDeath() {
    soak::Driver* driver = g_driver;
    g_driver = nullptr;
    if (driver != nullptr) {
        driver->ReportFailure("the program crashed or a sanitizer stopped it");
    }
}

void OnSignal(int signal) {
    OnDeath();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

bool ParseNumber(const char* text, std::uint64_t& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end != text && *end == '\0';
}

int Usage() {
    std::fprintf(stderr,
                 "usage: pilo-soak [--events N] [--seed S] [--out FILE] [--keep]\n"
                 "       pilo-soak --replay FILE\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    soak::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--keep") {
            options.keep = true;
            continue;
        }
        if (i + 1 >= argc) {
            return Usage();
        }
        const char* value = argv[++i];
        std::uint64_t number = 0;
        if (arg == "--events" && ParseNumber(value, number)) {
            options.events = static_cast<std::size_t>(number);
        } else if (arg == "--seed" && ParseNumber(value, number)) {
            options.seed = number;
        } else if (arg == "--out") {
            options.replay_out = value;
        } else if (arg == "--replay") {
            options.replay_in = value;
        } else {
            return Usage();
        }
    }

    soak::Driver driver(options);
    g_driver = &driver;
#ifdef PILO_SOAK_DEATH_CALLBACK
    __sanitizer_set_death_callback(&OnDeath);
#endif
    std::signal(SIGSEGV, &OnSignal);
    std::signal(SIGABRT, &OnSignal);
    std::signal(SIGFPE, &OnSignal);

    const auto start = std::chrono::steady_clock::now();
    const bool ok = driver.Run();
    g_driver = nullptr;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const soak::Figures& f = driver.GetFigures();
    std::printf("events %zu in %.1f s (%.0f a second)\n", f.steps, seconds,
                seconds > 0 ? static_cast<double>(f.steps) / seconds : 0.0);
    std::printf(
        "runs %zu, games ended %zu, final score dialogs %zu, other dialogs %zu, popup "
        "menus %zu, idle checks %zu\n",
        f.runs, f.games, f.final_scores, f.dialogs, f.menus, f.idle_checks);
    std::printf("largest counts: %s\n", soak::Describe(f.peak).c_str());
    return ok ? 0 : 1;
}
