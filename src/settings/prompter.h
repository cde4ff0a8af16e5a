#pragma once

#include <string>
#include <vector>

namespace lullex {

enum class BoxIcon { None, Critical, Warning, Information, Question };
enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No };

// A modal message box: its full title, icon, buttons and text lines (shown joined by line ends).
struct MessageBox {
    std::string title;
    BoxIcon icon = BoxIcon::None;
    BoxButtons buttons = BoxButtons::Ok;
    std::vector<std::string> lines;

    bool operator==(const MessageBox&) const = default;
};

// Shows a modal message box and returns the button pressed. The implementation also writes
// the title and each line to standard error, so a user who started the program from a
// terminal can read what it said.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual BoxAnswer show(const MessageBox& box) = 0;
};

// The box's title and each of its lines, one per line, on standard error: what every prompter
// writes before it shows a box, and all there is where no box can show (no display).
void WriteToStandardError(const MessageBox& box);

}  // namespace lullex
