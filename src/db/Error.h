#pragma once
// The one error type of the tool: every failing statement, open or conversion raises it with the
// database's or converter's own message, and the update run's failure path reports it.
#include <QString>
#include <stdexcept>

namespace velthorn {

class VelthornError : public std::runtime_error {
  public:
    explicit VelthornError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

  private:
    QString message_;
};

}  // namespace velthorn
