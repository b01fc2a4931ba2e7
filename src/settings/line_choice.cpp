#include "settings/line_choice.h"

#include "settings/settings_file.h"
#include "settings/win1252.h"

namespace chronolien {

namespace {

constexpr QLatin1StringView DialUpText { "pon" };
constexpr QLatin1StringView NetworkManagerPrefix { "nm:" };

} // namespace

QString LineChoice::toText() const
{
    return isDialUp() ? QString(DialUpText) : NetworkManagerPrefix + networkManagerConnection;
}

std::optional<LineChoice> LineChoice::fromText(const QString& text)
{
    if (text == DialUpText)
        return LineChoice {};
    if (text.startsWith(NetworkManagerPrefix) && text.size() > NetworkManagerPrefix.size())
        return LineChoice { text.mid(NetworkManagerPrefix.size()) };
    return std::nullopt;
}

bool LineChoice::canStore(const QString& connection)
{
    const QString stored = NetworkManagerPrefix + connection;
    return !connection.isEmpty() && stored.size() <= SettingsFile::ValueSize && !stored.endsWith(u' ')
        && fromWin1252(toWin1252(stored)) == stored;
}

} // namespace chronolien
