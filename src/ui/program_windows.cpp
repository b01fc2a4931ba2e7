#include "ui/program_windows.h"

#include "platform/process_starter.h"
#include "settings/settings.h"
#include "skins/window_outlines.h"
#include "skins/window_placement.h"
#include "state/app_state.h"
#include "ui/counter_window.h"
#include "ui/floating_window.h"
#include "ui/mail_window.h"
#include "ui/program_menus.h"

#include <QFileInfo>
#include <QMenu>

namespace chronolien {

ProgramWindows::ProgramWindows(AppState& state, SettingsStore& settings, ProcessStarter& processes)
    : m_state(state)
    , m_settings(settings)
    , m_processes(processes)
    , m_centre(std::make_unique<FloatingWindow>())
    , m_counter(std::make_unique<CounterWindow>())
    , m_mail(std::make_unique<MailWindow>())
    , m_menus(std::make_unique<ProgramMenus>())
{
    // The satellites hang beside the floating window even when they open without it.
    m_centre->moveToTwips(m_state.settings.pos_x, m_state.settings.pos_y);
    connectFloatingWindow();
    connectSatellites();
    connectMenus();
}

ProgramWindows::~ProgramWindows() = default;

void ProgramWindows::connectFloatingWindow()
{
    FloatingWindow* centre = m_centre.get();
    connect(
        centre, &FloatingWindow::toggleConnectionRequested, this, &ProgramWindows::toggleConnectionRequested);
    connect(centre, &FloatingWindow::menuRequested, m_menus.get(), &ProgramMenus::popupCentreMenu);
    connect(centre, &FloatingWindow::hideRequested, this, &ProgramWindows::hideFloatingWindow);
    connect(centre, &FloatingWindow::quitRequested, this, &ProgramWindows::quitRequested);
    connect(centre, &FloatingWindow::dragStarted, this, &ProgramWindows::beginDrag);
    connect(centre, &FloatingWindow::dragFinished, this, &ProgramWindows::endDrag);
}

void ProgramWindows::connectSatellites()
{
    connect(m_counter.get(), &CounterWindow::closeRequested, this, [this] {
        m_state.settings.affiche_cpt = false;
        applyCounterWindow();
    });
    connect(m_counter.get(), &CounterWindow::changeSideRequested, this, [this] {
        m_state.settings.pos_compteur = !m_state.settings.pos_compteur;
        placeCounterWindow();
    });
    connect(m_mail.get(), &MailWindow::changeSideRequested, this, [this] {
        m_state.settings.pos_mail = !m_state.settings.pos_mail;
        placeMailWindow();
    });
}

void ProgramWindows::connectMenus()
{
    ProgramMenus* menus = m_menus.get();
    connect(menus, &ProgramMenus::helpChosen, this, &ProgramWindows::openHelp);
    connect(menus, &ProgramMenus::graphChosen, this, &ProgramWindows::openGraph);
    connect(menus, &ProgramMenus::aboutChosen, this, &ProgramWindows::aboutRequested);
    connect(menus, &ProgramMenus::configurationChosen, this, &ProgramWindows::configurationRequested);
    connect(menus, &ProgramMenus::connectChosen, this, &ProgramWindows::toggleConnectionRequested);
    connect(menus, &ProgramMenus::quitChosen, this, &ProgramWindows::quitRequested);
    connect(menus, &ProgramMenus::floatingWindowChosen, this, [this] {
        if (m_state.settings.affiche_actu)
            hideFloatingWindow();
        else
            showFloatingWindow();
    });
    connect(menus, &ProgramMenus::counterWindowChosen, this, [this] {
        m_state.settings.affiche_cpt = !m_state.settings.affiche_cpt;
        applyCounterWindow();
    });
}

void ProgramWindows::showFloatingWindow()
{
    Settings& settings = m_state.settings;
    m_centre->moveToTwips(settings.pos_x, settings.pos_y);
    m_centre->setOutline(centreWindowOutline());
    loadCentreSkin(m_state.connectedFlag);
    if (!settings.affiche_actu) {
        m_centre->makeTopmost();
        m_centre->moveToTwips(settings.pos_x, settings.pos_y);
    }
    m_centre->show();
    applyCounterWindow();
    applyMailWindow();
    m_menus->setFloatingShownCaption(true);
    settings.affiche_actu = true;
}

void ProgramWindows::hideFloatingWindow()
{
    if (!floatingWindowCanHide())
        return;
    m_centre->hide();
    m_centre->resetDrag();
    m_counter->hide();
    m_mail->hide();
    m_menus->setFloatingShownCaption(false);
    m_state.settings.affiche_actu = false;
}

void ProgramWindows::applyCounterWindow()
{
    const bool shown = m_state.settings.affiche_cpt;
    if (!shown) {
        m_counter->hide();
        m_menus->setCounterShownCaption(false);
    } else {
        anchorHiddenCentre();
        m_counter->setOutline(counterWindowOutline());
        m_counter->makeTopmost();
        loadCounterSkin();
        placeCounterWindow();
        m_counter->setLeftTwips(counterLeft(m_centre->leftTwips()));
        if (m_refreshCounter)
            m_refreshCounter();
        m_counter->show();
        m_menus->setCounterShownCaption(true);
    }
    m_settings.store(&Settings::affiche_cpt);
}

void ProgramWindows::applyMailWindow()
{
    if (!m_state.mailWindowShown) {
        m_mail->hide();
        return;
    }
    m_mail->hide();
    anchorHiddenCentre();
    m_mail->makeTopmost();
    m_mail->setOutline(mailWindowOutline());
    loadMailSkin();
    if (m_fillMailList)
        m_fillMailList();
    m_mail->show();
    placeMailWindow();
    m_mail->setTopTwips(mailTop(m_centre->topTwips()));
}

void ProgramWindows::anchorHiddenCentre()
{
    // A satellite that opens without the floating window (a plan alert, mail) hangs beside the
    // window's stored place, which the settings give only once they are loaded.
    if (!m_centre->isVisible())
        m_centre->moveToTwips(m_state.settings.pos_x, m_state.settings.pos_y);
}

void ProgramWindows::closeAllWindows()
{
    m_menus->trayMenu()->close();
    m_menus->centreMenu()->close();
    m_mail->hide();
    m_counter->hide();
    m_centre->hide();
    m_centre->resetDrag();
}

void ProgramWindows::placeCounterWindow()
{
    const bool above = m_state.settings.pos_compteur;
    m_counter->setTopTwips(counterTop(m_centre->topTwips(), above));
    m_settings.store(&Settings::pos_compteur);
}

void ProgramWindows::placeMailWindow()
{
    const bool left = m_state.settings.pos_mail;
    m_mail->setLeftTwips(mailLeft(m_centre->leftTwips(), left));
    m_settings.store(&Settings::pos_mail);
}

void ProgramWindows::loadPicture(SkinnedWindow& window, SkinPicture picture)
{
    // A missing or unreadable picture leaves the window as it looks now.
    if (std::optional<QImage> image = loadSkinPicture(m_state.appFolder, m_state.settings.nomskin, picture))
        window.setPicture(*image);
}

void ProgramWindows::loadCentreSkin(bool connected)
{
    loadPicture(*m_centre, centrePicture(connected));
}

void ProgramWindows::loadCounterSkin()
{
    loadPicture(*m_counter, SkinPicture::Counter);
}

void ProgramWindows::loadMailSkin()
{
    loadPicture(*m_mail, SkinPicture::Mail);
}

void ProgramWindows::reloadSkins()
{
    loadCentreSkin(m_state.connectedFlag);
    loadCounterSkin();
    loadMailSkin();
}

void ProgramWindows::setTrayIconShown(bool shown)
{
    m_trayIconShown = shown;
    m_menus->setTrayEntriesInCentreMenu(!shown);
}

void ProgramWindows::openHelp()
{
    m_processes.openUrl(m_state.dataPath(QStringLiteral("doc/aide.htm")));
}

void ProgramWindows::openGraph()
{
    const QString graph = m_state.dataPath(QStringLiteral("graph"));
    if (QFileInfo(graph).isFile())
        m_processes.startDetached(graph);
}

void ProgramWindows::setConnectCaptions(bool connected)
{
    m_menus->setConnectCaption(connected);
    m_centre->setConnectToolTip(connected);
}

void ProgramWindows::setDownLight(bool shown)
{
    m_centre->setDownLight(shown);
}

void ProgramWindows::setUpLight(bool shown)
{
    m_centre->setUpLight(shown);
}

void ProgramWindows::setCounterTexts(const QString& session, const QString& month)
{
    m_counter->setCounterTexts(session, month);
}

void ProgramWindows::setMonthAlertLook(bool alert)
{
    m_counter->setMonthAlertLook(alert);
}

void ProgramWindows::setGauge(const GaugeView& gauge)
{
    m_counter->setGauge(gauge);
}

void ProgramWindows::beginDrag()
{
    m_counter->hide();
    m_mail->hide();
}

void ProgramWindows::endDrag()
{
    Settings& settings = m_state.settings;
    settings.pos_x = m_centre->leftTwips();
    settings.pos_y = m_centre->topTwips();
    if (settings.pos_mem) {
        m_settings.store(&Settings::pos_x);
        m_settings.store(&Settings::pos_y);
    }
    showFloatingWindow();
}

} // namespace chronolien
