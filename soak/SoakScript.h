// SoakScript.h: the soak's input as data: steps in batches, their replay file, and the seeded
// generator every choice comes from.
#pragma once

#include "platform/host/Host.h"

#include <cstdint>
#include <string>
#include <vector>

namespace soak {

// One step of input: a host event, a move of the monotonic clock, a jump of the calendar, or
// the word that the input has settled, so the next look checks the idle main window in full.
struct Step {
    enum class Kind : char { Event = 'E', Advance = 'A', Calendar = 'C', Settled = 'S' };
    Kind kind = Kind::Event;
    host::Event event;
    std::uint64_t value = 0;  // Advance: milliseconds; Calendar: seconds forward
};

// The steps scripted between two looks at the program.
using Batch = std::vector<Step>;

// A replay file: a header line, then one line a step, each batch opened by a line "B".
bool write_replay(const std::string& path, std::uint64_t seed, const std::vector<Batch>& batches,
                  std::size_t step_count);
// Reads a replay file and the seed it was made with; false with the reason in *error when it
// is not one.
bool read_replay(const std::string& path, std::vector<Batch>& batches, std::uint64_t& seed,
                 std::string* error);

// A small generator with the same sequence everywhere (splitmix64).
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    // 0 <= value < n; n must be positive.
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint64_t m_state;
};

}  // namespace soak
