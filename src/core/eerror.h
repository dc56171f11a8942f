#pragma once
// Base of every error the program raises: an object carrying a message
// that the application's error hook shows to the user.

#include <QByteArray>
#include <QString>
#include <exception>

class EError : public std::exception {
public:
    explicit EError(QString message) : m_message(std::move(message)) { m_utf8 = m_message.toUtf8(); }
    const QString& message() const noexcept { return m_message; }
    void setMessage(QString message) { m_message = std::move(message); m_utf8 = m_message.toUtf8(); }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
