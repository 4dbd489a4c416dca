// SoakScript.cpp: replay files and the generator.
#include "soak/SoakScript.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace soak {
namespace {

constexpr const char* kHeader = "pilo-soak replay 1";

}  // namespace

std::uint64_t Rng::next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

bool write_replay(const std::string& path, std::uint64_t seed, const std::vector<Batch>& batches,
                  std::size_t step_count) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (f == nullptr) {
        return false;
    }
    std::fprintf(f, "%s\nseed %" PRIu64 "\n", kHeader, seed);
    std::size_t written = 0;
    for (const Batch& batch : batches) {
        if (written >= step_count) {
            break;
        }
        std::fprintf(f, "B\n");
        for (const Step& s : batch) {
            if (written++ >= step_count) {
                break;
            }
            if (s.kind == Step::Kind::Event) {
                const host::Event& e = s.event;
                std::fprintf(f, "E %d %d %d %d %u %u %u %u\n", static_cast<int>(e.type), e.x, e.y,
                             static_cast<int>(e.button), e.vk, e.ch, e.buttons, e.modifiers);
            } else {
                std::fprintf(f, "%c %" PRIu64 "\n", static_cast<char>(s.kind), s.value);
            }
        }
    }
    const bool ok = std::fflush(f) == 0;
    return std::fclose(f) == 0 && ok;
}

bool read_replay(const std::string& path, std::vector<Batch>& batches, std::uint64_t& seed,
                 std::string* error) {
    std::ifstream in(path);
    std::string line;
    if (!in || !std::getline(in, line) || line != kHeader) {
        *error = path + ": not a replay file";
        return false;
    }
    int number = 1;
    while (std::getline(in, line)) {
        ++number;
        std::istringstream fields(line);
        char tag = 0;
        fields >> tag;
        Step step;
        bool ok = true;
        if (line.empty()) {
            continue;
        } else if (line.rfind("seed ", 0) == 0) {
            seed = std::strtoull(line.c_str() + 5, nullptr, 10);
            continue;
        } else if (tag == 'B') {
            batches.emplace_back();
            continue;
        } else if (tag == 'E') {
            int type = 0, button = 0;
            unsigned vk = 0, ch = 0, buttons = 0, mods = 0;
            host::Event& e = step.event;
            fields >> type >> e.x >> e.y >> button >> vk >> ch >> buttons >> mods;
            ok = type >= 0 && type <= static_cast<int>(host::EventType::CloseRequested) &&
                 button >= 0 && button <= static_cast<int>(host::MouseButton::Middle) &&
                 vk <= 0xFF && ch <= 0xFF && buttons <= 7 && mods <= 7;
            e.type = static_cast<host::EventType>(type);
            e.button = static_cast<host::MouseButton>(button);
            e.vk = static_cast<std::uint16_t>(vk);
            e.ch = static_cast<std::uint8_t>(ch);
            e.buttons = static_cast<std::uint8_t>(buttons);
            e.modifiers = static_cast<std::uint8_t>(mods);
        } else if (tag == 'A' || tag == 'C' || tag == 'S') {
            step.kind = static_cast<Step::Kind>(tag);
            fields >> step.value;
        } else {
            ok = false;
        }
        if (!ok || fields.fail() || batches.empty()) {
            *error = path + ":" + std::to_string(number) + ": not a step: " + line;
            return false;
        }
        batches.back().push_back(step);
    }
    return true;
}

}  // namespace soak
