#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace chronolien {

class LinkLabel;
class ProcessStarter;

// fl_propos: the program's name, version, release date and maker, with links to the maker's web
// site and mail address.
class AboutBox : public QWidget {
    Q_OBJECT
public:
    explicit AboutBox(ProcessStarter& processes, QWidget* parent = nullptr);

    QLabel* version;
    QLabel* txt_date;
    LinkLabel* site;
    LinkLabel* mail;
    QPushButton* bt_ok;

    // Opens the maker's web site in the user's browser.
    void openWebSite();
    // Composes a message to the maker about this version.
    void writeToMaker();

private:
    ProcessStarter& m_processes;
};

// The one about box of the run, opened modeless from the tray menus and the configuration dialog;
// a closed box is built anew at the next opening.
class AboutBoxOpener {
public:
    explicit AboutBoxOpener(ProcessStarter& processes);
    ~AboutBoxOpener();
    AboutBoxOpener(const AboutBoxOpener&) = delete;
    AboutBoxOpener& operator=(const AboutBoxOpener&) = delete;

    void showAboutBox();
    AboutBox* box() const { return m_box; }

private:
    ProcessStarter& m_processes;
    QPointer<AboutBox> m_box;
};

} // namespace chronolien
