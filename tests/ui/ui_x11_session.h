#pragma once

#include "x_session.h"

namespace lullex::test {

// The X session (Xvfb, openbox, trayer, a session bus) that the application of this test
// binary is connected to.
XSession& UiSession();

}  // namespace lullex::test
