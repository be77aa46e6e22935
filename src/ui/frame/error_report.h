#pragma once

// How an error that escapes an event handler is told to the user.

#include <QString>
#include <exception>

namespace klemvar {

// The error's message with a full stop appended, unless the message is empty
// or already ends in a character that sorts at or below "." (as "!" and ")" do).
QString ErrorBoxText(const QString& message);

// Shows the error in a box: the text above, the caption "Klemvar", an error
// icon and an OK button. Returns when the box is closed.
void ReportException(std::exception_ptr error);

}  // namespace klemvar
