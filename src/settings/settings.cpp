#include "settings/settings.h"

#include "settings/settings_file.h"
#include "settings/sound_settings.h"
#include "settings/text_forms.h"

#include <QStringList>
#include <limits>
#include <variant>

namespace chronolien {

namespace {

struct IntField {
    qint32 Settings::*field;
    qint32 min;
    qint32 max;
};
struct ShortField {
    qint16 Settings::*field;
    qint16 min;
    qint16 max;
};
using Field = std::variant<bool Settings::*, IntField, ShortField, QString Settings::*, QDate Settings::*,
    LineChoice Settings::*>;

struct Key {
    const char* name;
    Field field;
    // False for a key that a fresh config.ini leaves out: the file keeps its first 23 records, byte
    // for byte as every earlier version wrote them, and the key is appended once the user sets it.
    bool writtenAtLoad = true;
};

constexpr qint32 kIntMin = std::numeric_limits<qint32>::min();
constexpr qint32 kIntMax = std::numeric_limits<qint32>::max();

const Key kKeys[] = {
    { "forfait", &Settings::forfait },
    { "pos_x", IntField { &Settings::pos_x, kIntMin, kIntMax } },
    { "pos_y", IntField { &Settings::pos_y, kIntMin, kIntMax } },
    { "affiche_cpt", &Settings::affiche_cpt },
    { "pos_compteur", &Settings::pos_compteur },
    { "pos_mail", &Settings::pos_mail },
    { "cpt_mois", IntField { &Settings::cpt_mois, kIntMin, kIntMax } },
    { "cpt_limite", IntField { &Settings::cpt_limite, kIntMin, kIntMax } },
    { "nomskin", &Settings::nomskin },
    { "affiche_auto", &Settings::affiche_auto },
    { "alerte1", &Settings::alerte1 },
    { "alerte2", &Settings::alerte2 },
    { "j_raz", ShortField { &Settings::j_raz, 1, 31 } },
    { "date_raz", &Settings::date_raz },
    { "affiche_actu", &Settings::affiche_actu },
    { "pos_mem", &Settings::pos_mem },
    { "affiche_rebours", &Settings::affiche_rebours },
    { "sons", &Settings::sons },
    { "son_connect", &Settings::son_connect },
    { "son_deconnect", &Settings::son_deconnect },
    { "son_mail", &Settings::son_mail },
    { "courrier", &Settings::courrier },
    { "connect_auto", &Settings::connect_auto },
    { "ligne", &Settings::ligne, false },
};

template <typename T> std::optional<T> inRange(const QString& text, T min, T max)
{
    const qint64 number = roundHalfEven(leadingNumber(text));
    if (number < min || number > max)
        return std::nullopt;
    return static_cast<T>(number);
}

// Converts the stored text into the field; false when the text does not fit the field.
bool readInto(Settings& s, const Field& field, const QString& text)
{
    struct Reader {
        Settings& s;
        const QString& text;
        bool operator()(bool Settings::*f) const
        {
            const auto v = textToBool(text);
            return v && (s.*f = *v, true);
        }
        bool operator()(const IntField& f) const
        {
            const auto v = inRange<qint32>(text, f.min, f.max);
            return v && (s.*f.field = *v, true);
        }
        bool operator()(const ShortField& f) const
        {
            const auto v = inRange<qint16>(text, f.min, f.max);
            return v && (s.*f.field = *v, true);
        }
        bool operator()(QString Settings::*f) const { return s.*f = text, true; }
        bool operator()(QDate Settings::*f) const
        {
            const auto v = textToDate(text);
            return v && (s.*f = *v, true);
        }
        bool operator()(LineChoice Settings::*f) const
        {
            const auto v = LineChoice::fromText(text);
            return v && (s.*f = *v, true);
        }
    };
    return std::visit(Reader { s, text }, field);
}

// The field's value as config.ini holds it.
QString fieldText(const Settings& s, const Field& field)
{
    struct Text {
        const Settings& s;
        QString operator()(bool Settings::*f) const { return boolToText(s.*f); }
        QString operator()(const IntField& f) const { return QString::number(s.*f.field); }
        QString operator()(const ShortField& f) const { return QString::number(s.*f.field); }
        QString operator()(QString Settings::*f) const { return s.*f; }
        QString operator()(QDate Settings::*f) const { return dateToText(s.*f); }
        QString operator()(LineChoice Settings::*f) const { return (s.*f).toText(); }
    };
    return std::visit(Text { s }, field);
}

// Whether the table's field is the given member of the settings.
template <typename Member> bool isMember(const Field& field, Member member)
{
    return std::visit(
        [member](const auto& f) {
            using F = std::decay_t<decltype(f)>;
            if constexpr (std::is_same_v<F, Member>)
                return f == member;
            else if constexpr (std::is_same_v<F, IntField> || std::is_same_v<F, ShortField>) {
                if constexpr (std::is_same_v<decltype(f.field), Member>)
                    return f.field == member;
            }
            return false;
        },
        field);
}

void assignDefault(Settings& s, const Settings& defaults, const Field& field)
{
    std::visit(
        [&](const auto& f) {
            using F = std::decay_t<decltype(f)>;
            if constexpr (std::is_same_v<F, IntField> || std::is_same_v<F, ShortField>)
                s.*f.field = defaults.*f.field;
            else
                s.*f = defaults.*f;
        },
        field);
}

} // namespace

Settings Settings::defaults(const QString& appFolder, const QDate& today)
{
    Settings s;
    s.date_raz = today;
    // The field holds what a restart will read.
    s.son_connect = storedSoundPath(appFolder, defaultSoundPath(appFolder, SoundEvent::Connect));
    s.son_deconnect = storedSoundPath(appFolder, defaultSoundPath(appFolder, SoundEvent::Disconnect));
    s.son_mail = storedSoundPath(appFolder, defaultSoundPath(appFolder, SoundEvent::Mail));
    return s;
}

bool Settings::autoOpen(int position) const
{
    return position >= 1 && position <= affiche_auto.size() && affiche_auto.at(position - 1) == u'1';
}

const QStringList& settingsKeys()
{
    static const QStringList keys = [] {
        QStringList list;
        for (const Key& k : kKeys) {
            if (k.writtenAtLoad)
                list.append(QString::fromLatin1(k.name));
        }
        return list;
    }();
    return keys;
}

void loadSettings(Settings& settings, SettingsFile& file, const QString& appFolder, const QDate& today,
    QHash<QString, QString>* fileTexts)
{
    const Settings defaults = Settings::defaults(appFolder, today);
    for (const Key& k : kKeys) {
        const QString key = QString::fromLatin1(k.name);
        const QString text = file.readKey(key);
        // Blank and absent are the same to the loader: a value of spaces reads back empty.
        if (!text.isEmpty() && readInto(settings, k.field, text)) {
            if (fileTexts && text == fieldText(settings, k.field))
                fileTexts->insert(key, text);
            continue;
        }
        assignDefault(settings, defaults, k.field);
        if (!k.writtenAtLoad)
            continue;
        const QString written = fieldText(settings, k.field);
        file.writeKey(key, written);
        if (fileTexts && !file.writeFailing())
            fileTexts->insert(key, written);
    }
}

SettingsStore::SettingsStore(Settings& settings, SettingsFile& file)
    : m_settings(settings)
    , m_file(file)
{
}

void SettingsStore::load(const QString& appFolder, const QDate& today)
{
    m_written.clear();
    loadSettings(m_settings, m_file, appFolder, today, &m_written);
}

template <typename Member> void SettingsStore::storeMember(Member field)
{
    for (const Key& k : kKeys) {
        if (isMember(k.field, field)) {
            const QString key = QString::fromLatin1(k.name);
            const QString text = fieldText(m_settings, k.field);
            const auto written = m_written.constFind(key);
            if (written != m_written.cend() && *written == text)
                return;
            m_file.writeKey(key, text);
            if (m_file.writeFailing())
                m_written.remove(key);
            else
                m_written.insert(key, text);
            return;
        }
    }
    // Every field of the settings has its key in the table.
    Q_UNREACHABLE();
}

void SettingsStore::store(bool Settings::*field)
{
    storeMember(field);
}

void SettingsStore::store(qint32 Settings::*field)
{
    storeMember(field);
}

void SettingsStore::store(qint16 Settings::*field)
{
    storeMember(field);
}

void SettingsStore::store(QString Settings::*field)
{
    storeMember(field);
}

void SettingsStore::store(QDate Settings::*field)
{
    storeMember(field);
}

void SettingsStore::store(LineChoice Settings::*field)
{
    storeMember(field);
}

} // namespace chronolien
