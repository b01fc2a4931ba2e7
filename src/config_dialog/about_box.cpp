#include "config_dialog/about_box.h"

#include "config_dialog/about_texts.h"
#include "config_dialog/link_label.h"
#include "config_dialog/mailto_link.h"
#include "config_dialog/tree_images.h"
#include "platform/process_starter.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace chronolien {

namespace {

QLabel* label(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

AboutBox::AboutBox(ProcessStarter& processes, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_processes(processes)
{
    setObjectName(QStringLiteral("fl_propos"));
    setWindowTitle(QStringLiteral("A propos de Chronolien"));
    auto* outer = new QVBoxLayout(this);
    // Shape2: the coloured frame around the box's content.
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Shape2"));
    frame->setFrameShape(QFrame::Box);
    frame->setStyleSheet(QStringLiteral("QFrame#Shape2 { border: 2px solid #20407a; }"));
    outer->addWidget(frame);
    auto* layout = new QVBoxLayout(frame);

    auto* header = new QHBoxLayout;
    auto* image = label(QStringLiteral("Image1"), QString(), frame);
    image->setPixmap(
        QPixmap::fromImage(treeImage(3).scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    auto* title = label(QStringLiteral("Label1"), QStringLiteral("A propos de Chronolien"), frame);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    title->setFont(titleFont);
    header->addWidget(image);
    header->addWidget(title, 1);
    layout->addLayout(header);

    auto* grid = new QGridLayout;
    version = label(QStringLiteral("version"), QString(), frame);
    txt_date = label(QStringLiteral("txt_date"), QString(), frame);
    grid->addWidget(label(QStringLiteral("Label2"), QStringLiteral("Version :"), frame), 0, 0);
    grid->addWidget(version, 0, 1);
    grid->addWidget(label(QStringLiteral("Label5"), QStringLiteral("Date de sortie :"), frame), 1, 0);
    grid->addWidget(txt_date, 1, 1);
    grid->addWidget(label(QStringLiteral("Label7"), QStringLiteral("Auteur :"), frame), 2, 0);
    grid->addWidget(label(QStringLiteral("Label8"), makerName(), frame), 2, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto* notice = label(QStringLiteral("Label3"),
        QStringLiteral("Chronolien est un logiciel gratuit. Vous pouvez le copier et le distribuer "
                       "librement, à condition de ne pas le modifier et de ne pas le vendre."),
        frame);
    notice->setWordWrap(true);
    layout->addWidget(notice);
    auto* thanks = label(QStringLiteral("Label6"),
        QStringLiteral("Merci à tous ceux qui ont testé les versions précédentes et envoyé leurs "
                       "idées et leurs remarques."),
        frame);
    thanks->setWordWrap(true);
    layout->addWidget(thanks);

    site = new LinkLabel(QStringLiteral("site"), frame);
    site->setText(makerWebSite());
    mail = new LinkLabel(QStringLiteral("mail"), frame);
    mail->setText(makerMailAddress());
    for (LinkLabel* link : { site, mail }) {
        link->setStyleSheet(QStringLiteral("color: #1030c0; text-decoration: underline;"));
        layout->addWidget(link);
    }
    bt_ok = new QPushButton(QStringLiteral("OK"), frame);
    bt_ok->setObjectName(QStringLiteral("bt_ok"));
    layout->addWidget(bt_ok, 0, Qt::AlignRight);

    version->setText(aboutVersionText());
    txt_date->setText(releaseDateText());

    connect(bt_ok, &QPushButton::clicked, this, &QWidget::close);
    connect(site, &LinkLabel::clicked, this, &AboutBox::openWebSite);
    connect(mail, &LinkLabel::clicked, this, &AboutBox::writeToMaker);
}

void AboutBox::openWebSite()
{
    m_processes.openUrl(makerWebSite());
}

void AboutBox::writeToMaker()
{
    openMailto(m_processes, makerMailAddress(), QStringLiteral("A propos de Chronolien ") + mailVersionText(),
        QString(), QString(), QString());
}

AboutBoxOpener::AboutBoxOpener(ProcessStarter& processes)
    : m_processes(processes)
{
}

AboutBoxOpener::~AboutBoxOpener()
{
    delete m_box;
}

void AboutBoxOpener::showAboutBox()
{
    if (!m_box) {
        m_box = new AboutBox(m_processes);
        m_box->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_box->show();
    m_box->raise();
    m_box->activateWindow();
}

} // namespace chronolien
