// The options sheet opened from the main window, and the calls it makes into the window
// and the agent.
#include "app/CNotesApp.h"
#include "ui/AgentLink.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/COptionsPropSheet.h"

#include <QFontDialog>

namespace {

// Font heights are stored in pixels at 96 per inch.
QFont ToFont(const FontSetting& setting)
{
    QFont font(setting.FaceName);
    font.setPixelSize(std::max(1, std::abs(setting.Height)));
    font.setWeight(QFont::Weight(std::clamp(setting.Weight / 10 * 10, 100, 900)));
    font.setItalic(setting.Italic != 0);
    font.setUnderline(setting.Underline != 0);
    return font;
}

std::optional<FontSetting> ChooseFont(QWidget* parent, const FontSetting& current)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, ToFont(current), parent);
    if (!ok)
        return std::nullopt;
    FontSetting setting = current;
    setting.FaceName = chosen.family().left(31);
    setting.Height = chosen.pixelSize() > 0 ? chosen.pixelSize() : qRound(chosen.pointSizeF() * 96.0 / 72.0);
    setting.Weight = chosen.weight();
    setting.Italic = chosen.italic() ? 1 : 0;
    setting.Underline = chosen.underline() ? 1 : 0;
    return setting;
}

} // namespace

OptionsContext CMainFrame::MakeOptionsContext()
{
    OptionsContext context;
    context.settings = &m_app.GetSettings();
    context.backend = &m_app.GetSettingsBackend();
    context.relayoutView = [this] {
        m_view->Relayout();
        m_view->Redraw(false);
    };
    // The image title font changes the notes' heights as well.
    context.redrawView = context.relayoutView;
    // The agent link: a message to an agent that is not running does nothing.
    context.startAgent = [this] { AgentLink::StartAgent(m_app.ProgramFolder()); };
    context.tellAgent = [](const QString& text) { AgentLink::TellAgent(text); };
    context.chooseFont = &ChooseFont;
    return context;
}

void CMainFrame::OnEditOptions()
{
    COptionsPropSheet sheet(MakeOptionsContext(), this);
    sheet.exec();
}
