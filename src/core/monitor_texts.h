#pragma once

#include <cstdint>
#include <string>

namespace lullex {

struct Settings;

// The main window's texts, each built in one place so that every caller shows the same words.
std::string ActivationText(int16_t count);
std::string IdleText(int16_t count);
std::string NotConnectedText(int16_t count);
inline constexpr const char* ConnectedText = "Connected";
std::string CountdownText(const char* prefix, int count);

// What the program will do, as the Title shows it: the action sentence and the idle limit.
std::string ActionTitle(const Settings& settings, const std::string& shutTypeName,
                        int16_t idleLimit);
// The set-up request shown while monitoring cannot run.
std::string SetUpRequest(const Settings& settings);

}  // namespace lullex
