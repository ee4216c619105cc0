#pragma once
// The exception family of the calculator. Every error that the program reports
// to the user is an Exception carrying the text shown in the error box.

#include <QString>
#include <exception>

namespace velars {

class Exception : public std::exception {
public:
    explicit Exception(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// A text that is not a number.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace velars
