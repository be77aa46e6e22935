#include "ui/frame/error_report.h"

#include "ui/frame/services.h"

namespace klemvar {

QString ErrorBoxText(const QString& message) {
  if (message.isEmpty() || message.back() <= QLatin1Char('.')) return message;
  return message + QLatin1Char('.');
}

namespace {

QString MessageOf(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return QString::fromUtf8(e.what());
  } catch (...) {
    return QString();
  }
}

}  // namespace

void ReportException(std::exception_ptr error) {
  ShowMessageBox(ErrorBoxText(MessageOf(error)), QString::fromUtf8(kApplicationTitle),
                 mb::kOk | mb::kIconError);
}

}  // namespace klemvar
