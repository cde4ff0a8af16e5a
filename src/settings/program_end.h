#pragma once

namespace lullex {

inline constexpr int ExitNormal = 0;
inline constexpr int ExitFatalError = 1;
inline constexpr int ExitUncaughtFailure = 2;

// Ends the program: removes the tray icon, then leaves at once with the code, running no
// further handler.
class Terminator {
public:
    virtual ~Terminator() = default;
    [[noreturn]] virtual void endProgram(int exitCode) = 0;
};

// The main 500 ms timer, as far as routines outside the state machine touch it.
class MainTimer {
public:
    virtual ~MainTimer() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
};

}  // namespace lullex
