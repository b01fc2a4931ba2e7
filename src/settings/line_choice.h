#pragma once

#include <QString>
#include <optional>

namespace chronolien {

// The line the program counts, dials and hangs up, stored under the key "ligne": the dial-up line
// of pppd ("pon", also when the key is absent) or a NetworkManager connection chosen by its name
// ("nm:" followed by the name).
struct LineChoice {
    QString networkManagerConnection; // empty for the dial-up line

    bool isDialUp() const { return networkManagerConnection.isEmpty(); }
    friend bool operator==(const LineChoice&, const LineChoice&) = default;

    QString toText() const;
    // Nothing for a text that names neither line.
    static std::optional<LineChoice> fromText(const QString& text);

    // Whether the connection's name comes back unchanged from config.ini: the value holds 60
    // Windows-1252 characters without trailing spaces, so a longer name would be cut and another
    // alphabet's letters turned into "?", naming a connection that does not exist.
    static bool canStore(const QString& connection);
};

} // namespace chronolien
