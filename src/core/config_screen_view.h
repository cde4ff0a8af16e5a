#pragma once

#include "config_form.h"

#include <string>

namespace lullex {

// The texts of the configuration screen that change while it is open.
enum class ScreenText { CPUDelayL, IPAddL, Status, TMessage };
enum class ScreenTooltip { CPUDelayT, IPAddT, ViewL, Restore, Save, ExitConfig };

// What the configuration screen's logic needs of its window. An implementation only shows and
// reports; it decides nothing.
class ConfigScreenView {
public:
    virtual ~ConfigScreenView() = default;

    virtual ConfigForm form() const = 0;
    // Fills the inputs; a list keeps its text when the form's text is not one of its entries.
    virtual void showForm(const ConfigForm& form) = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setText(ScreenText item, const std::string& text) = 0;
    virtual void setTooltip(ScreenTooltip item, const std::string& tooltip) = 0;
    virtual void setRemark(Remark remark, const std::string& text) = 0;
    // Highlighted: bold orange; otherwise plain dark green.
    virtual void setHighlighted(Remark remark, bool highlighted) = 0;
    // Save and Restore.
    virtual void setChangesAllowed(bool allowed) = 0;
    virtual void setTopmost(bool topmost) = 0;
    // The status line empties itself about 2 s from now.
    virtual void startStatusTimer() = 0;
    // False once the screen has been closed, even while one of its handlers is still running
    // (a message box of that handler was open when the screen's time ran out).
    virtual bool isOpen() const = 0;
};

}  // namespace lullex
