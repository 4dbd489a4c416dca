// ModalDepth.h: how many message loops of the class library are running, innermost last.
#pragma once

namespace afx {

// Counts one running loop for its lifetime. Temporary objects are freed only at the idle
// time of the outermost loop: a nested loop runs inside a handler that may still hold some.
class LoopLevel {
public:
    LoopLevel();
    ~LoopLevel();
    LoopLevel(const LoopLevel&) = delete;
    LoopLevel& operator=(const LoopLevel&) = delete;
    static bool outermost();
};

}  // namespace afx
