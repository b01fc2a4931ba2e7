#pragma once

#include "settings/line_choice.h"

#include <QDate>
#include <QHash>
#include <QString>

namespace chronolien {

class SettingsFile;

// Every setting of the program, one field per key of config.ini, named after its key. Whoever
// changes a field stores it at once through SettingsStore, naming the field.
struct Settings {
    bool forfait = true;
    qint32 pos_x = 5000; // twips; 32-bit so that a window on a wide desktop comes back where it was
    qint32 pos_y = 500;
    bool affiche_cpt = true;
    bool pos_compteur = false;
    bool pos_mail = true;
    qint32 cpt_mois = 0;
    qint32 cpt_limite = 107400;
    QString nomskin = QStringLiteral("jupiter");
    QString affiche_auto = QStringLiteral("01000");
    bool alerte1 = true;
    bool alerte2 = false;
    qint16 j_raz = 1;
    QDate date_raz;
    bool affiche_actu = true;
    bool pos_mem = true;
    bool affiche_rebours = true;
    bool sons = true;
    QString son_connect;
    QString son_deconnect;
    QString son_mail;
    bool courrier = false;
    bool connect_auto = false;
    // After the first 23 records, written only once the user chooses a line.
    LineChoice ligne;

    // The defaults of a first start in the given application folder on the given day.
    static Settings defaults(const QString& appFolder, const QDate& today);

    // Position 1 to 5 of affiche_auto is "1"; a missing position counts as "0".
    bool autoOpen(int position) const;
};

// The keys a first start writes, in load order, which is also the order of the records of a fresh
// config.ini.
const QStringList& settingsKeys();

// Reads every key into the settings. An absent or blank key, or one whose text does not convert
// to its field (a number out of the field's range, a boolean or date that does not read), takes
// its default, which is written back, except for "ligne", which only its page writes; a key that
// reads is never rewritten. fileTexts, when given, receives the text the file then holds under each
// key whose text is the one the field's value is written as.
void loadSettings(Settings& settings, SettingsFile& file, const QString& appFolder, const QDate& today,
    QHash<QString, QString>* fileTexts = nullptr);

// The settings in memory bound to config.ini. A setting is stored by naming its field, so that
// only the table of keys knows their texts and a wrong key does not compile.
class SettingsStore {
public:
    SettingsStore(Settings& settings, SettingsFile& file);

    Settings& settings() const { return m_settings; }

    // Reads every key into the settings, as loadSettings does.
    void load(const QString& appFolder, const QDate& today);

    // Writes the field's value under its key.
    void store(bool Settings::*field);
    void store(qint32 Settings::*field);
    void store(qint16 Settings::*field);
    void store(QString Settings::*field);
    void store(QDate Settings::*field);
    void store(LineChoice Settings::*field);

private:
    template <typename Member> void storeMember(Member field);

    Settings& m_settings;
    SettingsFile& m_file;
    // The text this store last read or wrote under each key, while the write succeeded: storing
    // the same text again writes nothing, so that the ten-second save leaves a file that holds it
    // alone, from the first save on.
    QHash<QString, QString> m_written;
};

} // namespace chronolien
