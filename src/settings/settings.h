#pragma once

#include <cstdint>
#include <string>

namespace lullex {

// The 13 values of Data/Lullex.ini. Field names are the file's key names.
struct Settings {
    int16_t CMain = 0;  // 1 master, 2 slave
    int16_t DName = 0;  // 1 IPAdd is an IP address, 2 a domain name
    std::string IPAdd;
    int32_t Port1 = 0;
    int16_t CPUDelay = 0;
    int16_t LogLevel = 0;  // 1 None, 2 Normal, 3 Full
    std::string LogName;
    std::string LogPath;
    int16_t RunOnTop = 0;  // 1 no, 2 yes
    int16_t StartDelay = 0;
    int16_t StartMin = 0;  // 1 no, 2 yes
    int16_t ShutTime = 0;
    int16_t ShutType = 0;  // 1..6, see power/shut_type.h
};

inline constexpr int16_t RoleMaster = 1;
inline constexpr int16_t RoleSlave = 2;
inline constexpr int16_t LogLevelNone = 1;
inline constexpr int16_t LogLevelNormal = 2;
inline constexpr int16_t LogLevelFull = 3;

inline constexpr const char* ProductName = "Lullex";
inline constexpr const char* ProductVersion = "2.5";
inline constexpr const char* ConfigFilePath = "Data/Lullex.ini";
inline constexpr const char* DefaultLogPath = "Log/";

}  // namespace lullex
