#pragma once

#include "state/mail_window_view.h"

#include <QObject>
#include <QPoint>
#include <memory>

class QAction;
class QMenu;

namespace chronolien {

class DetailWindow;
class MailListLogic;
class MailWindow;

// The mail list on screen: writes the lines and the scroll bar of fl_mail, shows fl_detmail, and
// turns the user's scrolling, clicks and choices in the pop-up menu menumail ("Détail",
// "Supprimer") into the mail list's events.
class MailListDisplay final : public QObject, public MailWindowView {
    Q_OBJECT

public:
    explicit MailListDisplay(MailWindow& window);
    ~MailListDisplay() override;

    void showMailLines(const MailListContent& content) override;
    void showMailDetail(const MailDetail& detail) override;

    // Hands every event of the two windows and the menu to the logic.
    void connectTo(MailListLogic& logic);

    // menumail, with its entries menu3detail and menu3supr.
    QMenu* menu() const { return m_menu.get(); }
    // fl_detmail.
    DetailWindow& detailWindow() const { return *m_detailWindow; }

Q_SIGNALS:
    void scrolled(int value); // defil moved
    void lineDoubleClicked(int line); // lst_mail(line)
    void linePressed(int line); // lst_mail(line), any button
    void detailChosen(); // "Détail"
    void deleteChosen(); // "Supprimer", from the menu or fl_detmail

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MailWindow& m_window;
    std::unique_ptr<QMenu> m_menu;
    QAction* m_detail;
    QAction* m_delete;
    std::unique_ptr<DetailWindow> m_detailWindow;
};

} // namespace chronolien
