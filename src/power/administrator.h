#pragma once

namespace lullex {

// Whether the user who runs the program may change its configuration: the effective user is
// root, or one of the process's groups (supplementary or effective) is named "sudo", "wheel"
// or "admin". Never throws; whatever cannot be found out counts as no.
bool IsAdministrator() noexcept;

}  // namespace lullex
