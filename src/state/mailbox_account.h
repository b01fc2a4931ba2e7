#pragma once

#include <QString>
#include <array>

namespace chronolien {

// What the check dialogue of an account awaits from its server.
enum class CheckStep : qint16 {
    AwaitingQuit = 0, // the answer to QUIT, or nothing at all: the dialogue is over
    AwaitingGreeting = 1,
    AwaitingUser = 2,
    AwaitingPass = 3,
    AwaitingStat = 4,
    AwaitingTop = 5, // the headers of message currentMessage
    AwaitingList = 6, // the sizes, when the TOP replies gave none
};

// One of the five POP3 mailboxes the program checks. The first six fields are stored in
// courrier.ini; the others belong to the check dialogue of the current run.
struct MailboxAccount {
    qint16 number = 0; // the account's number as last validated; 0 when never validated
    QString server; // host name, or host:port
    QString login;
    QString password;
    qint16 state = 0; // StateNotTested, StateOk or StateError
    bool inUse = false;

    qint16 retries = 0; // reconnections made in this check, 0 to 2
    CheckStep checkStep = CheckStep::AwaitingQuit;
    qint16 messageCount = 0; // messages to read in this check, 1 to 30
    qint16 currentMessage = 0; // server number of the message whose headers are awaited
    bool sizesInTop = false; // the server gives sizes in its TOP status line; kept for the run

    static constexpr qint16 StateNotTested = 0;
    static constexpr qint16 StateOk = 1;
    static constexpr qint16 StateError = 2;
};

// The five accounts, numbered 1 to 5.
struct MailboxAccounts {
    static constexpr int Count = 5;

    std::array<MailboxAccount, Count> list;
    bool loaded = false; // loadAccounts has run in this process

    MailboxAccount& account(int number) { return list.at(std::size_t(number - 1)); }
    const MailboxAccount& account(int number) const { return list.at(std::size_t(number - 1)); }
};

} // namespace chronolien
