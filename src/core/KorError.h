#pragma once

#include <QString>

#include <exception>

/// A command failed; the command guard shows the text in an error box.
class KorError : public std::exception {
public:
    explicit KorError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString& text() const { return m_text; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

/// A save-changes question was cancelled: the command ends silently.
class KorAbort : public std::exception {
public:
    const char* what() const noexcept override { return "aborted"; }
};
