#pragma once

// The one error style of the core layers: an exception that carries a kind (its class
// name, as the program's messages print it) and a message. Messages are composed as
// "<fixed text><kind> - <message>", so describe() gives the part after the fixed text.
//
// Each layer derives its own kinds, e.g. EDatabaseError in db, EFileFormatError in
// exchange. Camera operations do not throw: they end in a one-byte result code.

#include <QString>

#include <stdexcept>

class ERKError : public std::runtime_error
{
public:
    ERKError(QString kind, QString message)
        : std::runtime_error(message.toStdString())
        , m_kind(std::move(kind))
        , m_message(std::move(message))
    {
    }

    const QString& kind() const noexcept { return m_kind; }
    const QString& message() const noexcept { return m_message; }
    QString describe() const { return m_kind + QStringLiteral(" - ") + m_message; }

private:
    QString m_kind;
    QString m_message;
};

// Declares an error kind whose kind text is its own class name.
#define RK_DECLARE_ERROR(Name, Base)                                                       \
    class Name : public Base                                                               \
    {                                                                                      \
    public:                                                                                \
        explicit Name(QString message) : Base(QStringLiteral(#Name), std::move(message)) {} \
                                                                                           \
    protected:                                                                             \
        Name(QString kind, QString message) : Base(std::move(kind), std::move(message)) {} \
    };
