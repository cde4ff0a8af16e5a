#include "config_screen.h"

#include "app_state.h"
#include "config_applier.h"
#include "config_checks.h"
#include "config_display.h"
#include "config_file_writer.h"
#include "config_screen_view.h"
#include "config_values.h"
#include "dialog_timeout.h"
#include "log_viewer.h"
#include "setting_values.h"

namespace lullex {
namespace {

// The notice counts the last seconds down.
constexpr int16_t NoticeSeconds = 90;

}  // namespace

ConfigScreen::ConfigScreen(const ConfigScreenParts& parts)
    : m_state(parts.state), m_view(parts.view), m_writer(parts.writer), m_applier(parts.applier),
      m_logViewer(parts.logViewer), m_administrator(parts.administrator)
{
}

void ConfigScreen::load()
{
    OpenDialog(m_state, Timeout);
    m_portErrorAtOpen = m_state.PortError;
    m_view.setChangesAllowed(m_administrator);
    const ScreenTitles titles = ConfigScreenTitles(m_state.AppTitle);
    m_view.setTooltip(ScreenTooltip::ViewL, titles.viewLog);
    m_view.setTooltip(ScreenTooltip::Restore, titles.restore);
    m_view.setTooltip(ScreenTooltip::Save, titles.save);
    m_view.setTooltip(ScreenTooltip::ExitConfig, titles.close);
    DataLoad();
    m_view.setCaption(titles.caption);
    if (isSlave())
        SetLostCommsLabels();
    m_view.setText(ScreenText::TMessage, "");
    // The stored choice, not the check box: an unsaved change does not count yet.
    m_view.setTopmost(m_state.settings.RunOnTop == SettingYes);
    const int failures = CheckValues();
    if (failures > 0)
        m_view.setText(ScreenText::Status, OutOfRangeStatus(failures));
    else
        m_state.ConfigSaved = false;
}

void ConfigScreen::DataLoad()
{
    const ConfigForm shown = m_view.form();
    const LoadedForm loaded = LoadForm(m_state.settings, shown);
    m_choices = loaded.choices;
    m_view.showForm(loaded.form);
    // Setting the domain-name box acts as a user's click on it would.
    if (loaded.form.dName != shown.dName)
        ClearHighlights();
    if (m_choices.shutType != 0)
        m_view.setRemark(
            Remark::ShutTypeM,
            ShutTypeRemark(m_choices.shutType, m_state.settings.CMain, loaded.form.dName));
    m_loadedValues = ChangeText(loaded.form, m_choices);
}

void ConfigScreen::onDomainNameClicked()
{
    showChoices();
}

void ConfigScreen::onShutTypePicked()
{
    showChoices();
}

void ConfigScreen::showChoices()
{
    ClearHighlights();
    ShowShutType();
}

void ConfigScreen::ClearHighlights()
{
    for (std::size_t i = 0; i < RemarkCount; ++i)
        m_view.setHighlighted(static_cast<Remark>(i), false);
    m_view.setRemark(Remark::ShutTypeM, "");
    ShowAddressKind();
}

void ConfigScreen::ShowAddressKind()
{
    const AddressKindTexts texts = AddressKind(m_view.form().dName, m_state.settings.CMain);
    m_view.setText(ScreenText::IPAddL, texts.caption);
    m_view.setTooltip(ScreenTooltip::IPAddT, texts.tooltip);
    m_view.setRemark(Remark::IPAddM, texts.remark);
}

void ConfigScreen::ShowShutType()
{
    const ConfigForm form = m_view.form();
    const int16_t shutType = ShutTypeIndex(form.shutName);
    if (shutType == 0)
        return;
    m_choices.shutType = shutType;
    m_view.setRemark(Remark::ShutTypeM,
                     ShutTypeRemark(shutType, m_state.settings.CMain, form.dName));
}

void ConfigScreen::SetLostCommsLabels()
{
    m_view.setText(ScreenText::CPUDelayL, LostCommsCaption);
    m_view.setTooltip(ScreenTooltip::CPUDelayT, LostCommsTooltip);
}

int ConfigScreen::CheckValues()
{
    ClearHighlights();
    ShowShutType();
    const ConfigForm form = m_view.form();
    if (const int16_t level = LogLevelIndex(form.logLevel))
        m_choices.logLevel = level;
    const CheckOutcome outcome =
        CheckFields(form, m_choices, {m_state.settings.CMain, m_state.PortError});
    for (std::size_t i = 0; i < RemarkCount; ++i) {
        if (outcome.highlighted[i])
            m_view.setHighlighted(static_cast<Remark>(i), true);
    }
    if (!outcome.ipAddRemark.empty())
        m_view.setRemark(Remark::IPAddM, outcome.ipAddRemark);
    if (!outcome.shutTypeRemark.empty())
        m_view.setRemark(Remark::ShutTypeM, outcome.shutTypeRemark);
    return outcome.failures;
}

void ConfigScreen::onSave()
{
    if (!m_administrator)
        return;
    m_view.setText(ScreenText::Status, "");
    m_state.PortError = false;
    if (CheckValues() != 0) {
        m_view.setText(ScreenText::Status, NotSavedStatus);
        return;
    }
    const ConfigForm form = m_view.form();
    const bool changed = ChangeText(form, m_choices) != m_loadedValues;
    if ((form.startMin ? SettingYes : SettingNo) != m_state.settings.StartMin)
        m_applier.clearMinOverride();
    if (changed && !m_writer.WriteConfig(ValuesToWrite(form, m_choices))) {
        // The edits are dropped. The main tick may have closed the screen while the error box
        // was open; a closed screen is left alone.
        if (m_view.isOpen())
            DataLoad();
        return;
    }
    m_view.setText(ScreenText::Status, changed ? SavedStatus : NoChangesStatus);
    m_loadedValues = ChangeText(form, m_choices);
    m_view.startStatusTimer();
}

void ConfigScreen::onRestore()
{
    if (!m_administrator)
        return;
    m_view.showForm(RestoredForm(m_view.form()));
    m_view.setText(ScreenText::Status, RestoredStatus);
    m_view.startStatusTimer();
}

void ConfigScreen::onViewLog()
{
    m_logViewer.ViewLog();
}

void ConfigScreen::onSecond()
{
    const int16_t left = CountDialogSecond(m_state);
    if (left <= NoticeSeconds)
        m_view.setText(ScreenText::TMessage, ClosingNotice(left));
}

void ConfigScreen::onStatusTimeout()
{
    m_view.setText(ScreenText::Status, "");
}

void ConfigScreen::onClose()
{
    if (ReinitialisesOnClose(m_state, m_portErrorAtOpen))
        m_applier.reinitialise();
    m_state.DialogOpen = false;
}

bool ConfigScreen::isSlave() const
{
    return m_state.settings.CMain == RoleSlave;
}

}  // namespace lullex
