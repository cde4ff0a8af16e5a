#pragma once

#include "prompter.h"
#include "seam_fakes.h"

#include <vector>

namespace lullex {

// Records every box shown and answers with a scripted button.
class RecordingPrompter : public Prompter {
public:
    BoxAnswer answer = BoxAnswer::Ok;
    std::vector<MessageBox> boxes;

    BoxAnswer show(const MessageBox& box) override
    {
        boxes.push_back(box);
        return answer;
    }
};

using test::CountingTimer;
using test::FixedClock;
using test::ProgramEnded;
using test::ThrowingTerminator;

}  // namespace lullex
