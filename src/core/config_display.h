#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lullex {

// The display rules of the configuration screen: what its two lists mean and which captions,
// tooltips and remarks follow the role, the kind of partner address and the power action.

// The log level of a text of the list: None 1, Normal 2, Full 3; 0 for any other text.
int16_t LogLevelIndex(std::string_view text);
// The list's text of a log level; empty outside 1..3.
std::string LogLevelText(int16_t level);

// The power action named exactly (case and all) by a text; 0 for any other text.
int16_t ShutTypeIndex(std::string_view text);
// The remark beside the power action: a warning for the actions that close applications by
// force, and for "Monitor" what it needs (or that a slave cannot use it).
std::string ShutTypeRemark(int16_t shutType, int16_t cMain, bool domainName);

// The address row's caption, its input's tooltip and its remark for the kind of address.
struct AddressKindTexts {
    const char* caption;
    const char* tooltip;
    const char* remark;
};
AddressKindTexts AddressKind(bool domainName, int16_t cMain);

// A slave counts the seconds without the master's tags on the same row.
inline constexpr const char* LostCommsCaption = "Lost Comms Delay";
inline constexpr const char* LostCommsTooltip =
    "Time for communications to be lost before shutdown initiated";

inline constexpr const char* ValidIPAddressRequired = "Must Be A Valid IP Address";
inline constexpr const char* ValidDomainNameRequired = "Must Be A Valid Domain Name";
inline constexpr const char* InvalidInSlaveMode = "Invalid Option In Slave Mode";

inline constexpr const char* NotSavedStatus =
    "Item(s) Highlighted Contain Out Of Range Values - Changes Not Saved";
inline constexpr const char* SavedStatus = "Changes Saved - Click Close To Activate The Changes";
inline constexpr const char* NoChangesStatus = "No Changes To Save";
inline constexpr const char* RestoredStatus = "Defaults Restored - Click Save To Keep";

// The status line at opening when stored values break the rules, e.g. "2 Item(s) ...".
std::string OutOfRangeStatus(int failures);
// The notice over the last seconds before the screen closes by itself.
std::string ClosingNotice(int16_t secondsLeft);

// The screen's window caption and its buttons' tooltips, all carrying the application title.
struct ScreenTitles {
    std::string caption;
    std::string viewLog;
    std::string restore;
    std::string save;
    std::string close;
};
ScreenTitles ConfigScreenTitles(const std::string& appTitle);

}  // namespace lullex
